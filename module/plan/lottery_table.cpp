#include "plan/lottery_table.h"

#include <algorithm>
#include <array>

namespace quorstat {

namespace {

constexpr std::array<LotteryInfo, 6> lotteries{{
    {1010, "重庆时时彩"},
    {1011, "新疆时时彩"},
    {1012, "江西时时彩"},
    {1013, "黑龙江时时彩"},
    {1014, "天津时时彩"},
    {1015, "云南时时彩"},
}};

}  // namespace

std::span<const LotteryInfo> lotteryTable() {
    return lotteries;
}

std::string_view LotteryName(int lotteryId) {
    const auto* it = std::ranges::find(lotteries, lotteryId, &LotteryInfo::id);
    return it == lotteries.end() ? std::string_view{} : it->name;
}

int LotteryIdFromName(std::string_view name) {
    const auto* it = std::ranges::find(lotteries, name, &LotteryInfo::name);
    return it == lotteries.end() ? 0 : it->id;
}

int lotteryFamilyDigit(int lotteryId) {
    return lotteryId / 10 % 10;
}

bool isListedLottery(int lotteryId) {
    return !LotteryName(lotteryId).empty();
}

}  // namespace quorstat
