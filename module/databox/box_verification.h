#pragma once

#include <cstdint>
#include <vector>

#include "databox/plan_bigp_data.h"

namespace quorstat {

// Rolls the states of the children up into every group at and below group: a group hits when the
// misses among its verified members are allowed (none without tolerance, a listed count with it),
// and misses whenever a mandatory member missed.
void VerifyGroup(tagPLANBIGPDATA& group);

// "验证信息：中%d，挂%d，未验证%d" over the rows of the list.
struct VerifySummary {
    int hit = 0;
    int missed = 0;
    int open = 0;
};
VerifySummary SummarizeRows(const tagPLANBIGPDATA& root);

// The issues "验证期号：" offers: the latest drawn issue and the four before it.
std::vector<std::int32_t> VerifyIssues(std::int32_t latestIssue, int lotteryId, int issuesPerDay);

}  // namespace quorstat
