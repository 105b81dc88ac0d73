#pragma once

#include <span>
#include <string_view>

namespace quorstat {

struct LotteryInfo {
    int id;
    std::string_view name;
};

// The six five-digit draws, ids 1010..1015, in id order.
std::span<const LotteryInfo> lotteryTable();

std::string_view LotteryName(int lotteryId);
int LotteryIdFromName(std::string_view name);

// (id div 10) mod 10; every listed lottery has family digit 1 (five digits per draw).
int lotteryFamilyDigit(int lotteryId);
bool isListedLottery(int lotteryId);

}  // namespace quorstat
