#include "console/current_scope.h"

#include "plan/lottery_table.h"
#include "plan/play_table.h"

namespace quorstat {

LotteryScope CurrentScope(const AppState& state) {
    return {std::string(LotteryName(state.lotteryId)), std::string(PlayStarName(state.playId)),
            std::string(PlayKindName(state.playId))};
}

}  // namespace quorstat
