#include "databox/box_verification.h"

#include <algorithm>

#include "core/number_list_parser.h"
#include "plan/issue_number.h"

namespace quorstat {

namespace {

constexpr std::int32_t kHit = 1;
constexpr std::int32_t kMissed = 2;

bool allowedMisses(const tagPLANBIGPDATA& group, int misses) {
    std::vector<int> allowed;
    return ParseNumberList(group.toleranceText, allowed) != 0 &&
           std::ranges::binary_search(allowed, misses);
}

}  // namespace

void VerifyGroup(tagPLANBIGPDATA& group) {
    int verified = 0;
    int hits = 0;
    bool mandatoryMissed = false;
    for (const auto& child : group.children) {
        if (child->group())
            VerifyGroup(*child);
        const std::int32_t state = child->verifyState;
        verified += state == kHit || state == kMissed ? 1 : 0;
        hits += state == kHit ? 1 : 0;
        mandatoryMissed = mandatoryMissed || (child->tolerant == 0 && state == kMissed);
    }
    if (group.children.empty())
        group.verifyState = 0;
    else if (mandatoryMissed)
        group.verifyState = kMissed;
    else if (verified == 0)
        group.verifyState = 0;
    else if (group.toleranceOn != 0 && !group.toleranceText.empty())
        group.verifyState = allowedMisses(group, verified - hits) ? kHit : kMissed;
    else
        group.verifyState = hits == verified ? kHit : kMissed;
}

VerifySummary SummarizeRows(const tagPLANBIGPDATA& root) {
    VerifySummary summary;
    for (const auto& row : root.children) {
        if (row->verifyState == kHit)
            ++summary.hit;
        else if (row->verifyState == kMissed)
            ++summary.missed;
        else
            ++summary.open;
    }
    return summary;
}

std::vector<std::int32_t> VerifyIssues(std::int32_t latestIssue, int lotteryId, int issuesPerDay) {
    std::vector<std::int32_t> issues;
    if (latestIssue == 0)
        return issues;
    issues.push_back(latestIssue);
    for (int back = 1; back <= 4; ++back) {
        const int issue = IssueBefore(latestIssue, back, lotteryId, issuesPerDay);
        if (issue != 0)
            issues.push_back(issue);
    }
    return issues;
}

}  // namespace quorstat
