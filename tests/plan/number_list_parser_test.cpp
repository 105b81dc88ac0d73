#include "core/number_list_parser.h"

#include <gtest/gtest.h>

#include <numeric>
#include <string>
#include <vector>

namespace quorstat {
namespace {

const std::string kEmptyText = "没有输入有效数字！";
const std::string kDoubleMinus = "使用'-'输入的数据格式有错误！";
const std::string kMissingBound = "使用'-'符号时，后面必须有有效数字！";
const std::string kBadBound = "输入的数据格式有错误！";
const std::string kRangeOrder = "使用'-'符号指定范围时，前面的数字必须小于后面的数字！";
const std::string kOutOfRange = "输入的值必须在 0 到 65535 之间！";
const std::string kNothingTaken = "您没有输入有效数字！";

std::vector<int> valuesFrom(int first, int last) {
    std::vector<int> values(static_cast<std::size_t>(last - first + 1));
    std::iota(values.begin(), values.end(), first);
    return values;
}

TEST(ParseNumberList, ReadsValuesAndRanges) {
    const struct {
        std::string text;
        std::vector<int> values;
    } cases[] = {
        {"0135", {0, 1, 3, 5}},
        {"135", {135}},
        {"0", {0}},
        {"00", {0}},
        {"3-7", {3, 4, 5, 6, 7}},
        {"0-3", {0, 1, 2, 3}},
        {"05-7", {0, 5, 6, 7}},
        {"7 3,7；1", {1, 3, 7}},
        {"3-5-7", {3, 4, 5, 7}},
        {"3-5,1", {1, 3, 4, 5}},
        {"3- x 5 9", {3, 4, 5, 9}},
        {"-0", {0}},
        {"65535", {65535}},
        {"a12b", {12}},
        {"000123", {0, 1, 2, 3}},
        {"5 0123", {5, 123}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        std::vector<int> result{42};
        EXPECT_EQ(ParseNumberList(c.text, result), 1);
        EXPECT_EQ(result, c.values);
    }
}

TEST(ParseNumberList, FailsWithItsMessage) {
    const struct {
        std::string text;
        const std::string& message;
    } cases[] = {
        {"", kEmptyText},
        {"abc", kNothingTaken},
        {",,,", kNothingTaken},
        {"--5", kDoubleMinus},
        {"-", kMissingBound},
        {"1,2,-", kMissingBound},
        {"3-", kMissingBound},
        {"3-abc", kMissingBound},
        {"3---5", kBadBound},
        {"3-x-5", kRangeOrder},
        {"3--5", kRangeOrder},
        {"5-5", kRangeOrder},
        {"10-5", kRangeOrder},
        {"65536", kOutOfRange},
        {"-5", kOutOfRange},
        {"1 - 5", kOutOfRange},
        {"-3-5", kOutOfRange},
        {"65000-65536", kOutOfRange},
        {"70000-80000", kOutOfRange},
        {"99999999999999999999999999", kOutOfRange},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        std::vector<int> result{42};
        EXPECT_EQ(ParseNumberList(c.text, result), 0);
        EXPECT_EQ(lastInputError(), c.message);
        EXPECT_TRUE(result.empty());
    }
}

TEST(ParseNumberList, KeepsTheLastMessageAcrossASuccess) {
    std::vector<int> result;
    ASSERT_EQ(ParseNumberList("5-5", result), 0);
    ASSERT_EQ(ParseNumberList("5-6", result), 1);
    EXPECT_EQ(lastInputError(), kRangeOrder);
}

TEST(ParseNumberList, WideRangesInLongTextsStayCheap) {
    std::string text;
    while (text.size() < 10'000'000) {
        text += "0-65535 ";
    }
    std::vector<int> result;
    ASSERT_EQ(ParseNumberList(text, result), 1);
    EXPECT_EQ(result, valuesFrom(0, 65535));
}

}  // namespace
}  // namespace quorstat
