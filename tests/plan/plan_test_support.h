#pragma once

#include "plan/play_state.h"

namespace quorstat {

// The state after choosing a five-digit lottery and the given play.
inline PlayState playStateFor(int playId) {
    PlayState state;
    state.selectLottery(1010);
    state.selectPlay(playId);
    return state;
}

}  // namespace quorstat
