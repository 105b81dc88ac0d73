#include "plan/issue_number.h"

#include <gtest/gtest.h>

namespace quorstat {
namespace {

constexpr int kChongqing = 1010;

struct IssueCase {
    int issue;
    int steps;
    int perDay;
    int expected;
};

TEST(LastIssueOfRun, CrossesDaysMonthsYearsAndLeapDays) {
    const IssueCase cases[] = {
        {141231120, 1, 120, 141231120},   {141231119, 3, 120, 150101001},
        {141231084, 2, 84, 150101001},    {160228120, 2, 120, 160229001},
        {150228120, 2, 120, 150301001},   {228120, 2, 120, 229001},
        {140430120, 2, 120, 140501001},   {140131100, 30, 120, 140201009},
        {140101001, 241, 120, 140103001}, {140101005, 99, 120, 140101103},
    };
    for (const IssueCase& c : cases) {
        SCOPED_TRACE(c.issue);
        EXPECT_EQ(LastIssueOfRun(c.issue, c.steps, kChongqing, c.perDay), c.expected);
    }
}

TEST(IssueBefore, StepsBackOverDayMonthAndYearEnds) {
    const IssueCase cases[] = {
        {150101001, 1, 120, 141231120}, {160301001, 1, 120, 160229120},
        {150301002, 4, 120, 150228118}, {150101005, 4, 120, 150101001},
        {150101005, 0, 120, 150101005}, {150102001, 241, 120, 141230120},
        {229001, 1, 120, 228120},       {150101003, 3, 84, 141231084},
    };
    for (const IssueCase& c : cases) {
        SCOPED_TRACE(c.issue);
        EXPECT_EQ(IssueBefore(c.issue, c.steps, kChongqing, c.perDay), c.expected);
    }
}

TEST(IssueArithmetic, RunAndStepBackAreInverse) {
    for (int steps = 1; steps < 400; steps += 7) {
        const int last = LastIssueOfRun(161231050, steps, kChongqing, 120);
        ASSERT_NE(last, 0);
        EXPECT_EQ(IssueBefore(last, steps - 1, kChongqing, 120), 161231050) << steps;
    }
}

TEST(IssueArithmetic, GivesNoIssueFromInvalidInput) {
    const struct {
        int issue;
        int lotteryId;
        int perDay;
    } cases[] = {
        {141301001, kChongqing, 120},  // month 13
        {150229001, kChongqing, 120},  // no leap day in 2015
        {140431001, kChongqing, 120},  // April has 30 days
        {140100001, kChongqing, 120},  // day 0
        {140001001, kChongqing, 120},  // month 0
        {141231000, kChongqing, 120},  // sequence 0
        {0, kChongqing, 120},          {-141231001, kChongqing, 120},
        {1141231001, kChongqing, 120},  // ten digits
        {141231001, 1016, 120},        {141231001, kChongqing, 0},
        {141231001, kChongqing, 1000},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.issue);
        EXPECT_EQ(LastIssueOfRun(c.issue, 1, c.lotteryId, c.perDay), 0);
        EXPECT_EQ(IssueBefore(c.issue, 1, c.lotteryId, c.perDay), 0);
    }
}

TEST(IssueArithmetic, GivesNoIssueOutsideTwoDigitYears) {
    EXPECT_EQ(LastIssueOfRun(991231120, 2, kChongqing, 120), 0);
    EXPECT_EQ(IssueBefore(101001, 1, kChongqing, 120), 0);
    EXPECT_EQ(LastIssueOfRun(141231001, 0, kChongqing, 120), 0);
    EXPECT_EQ(IssueBefore(141231001, -1, kChongqing, 120), 0);
    EXPECT_EQ(LastIssueOfRun(141231001, 2'000'000'000, kChongqing, 1), 0);
}

}  // namespace
}  // namespace quorstat
