#include "plan/play_state.h"

#include "plan/lottery_table.h"
#include "plan/play_table.h"

namespace quorstat {

void PlayState::selectLottery(int id) {
    lotteryId = id;
    // An unknown family gets no digit rules, so no five-digit rule is applied to it by accident.
    const bool fiveDigits = lotteryFamilyDigit(id) == 1;
    maxDigit = fiveDigits ? 9 : 0;
    minDigit = 0;
    positionCount = fiveDigits ? 5 : 0;
    digitFamily = fiveDigits ? 1 : 0;
}

void PlayState::selectPlay(int id) {
    playId = id;
    const PlayInfo* play = findPlay(id);
    starCount = play ? play->starCount : 0;
    if (play && play->orderedPlay) {
        orderedPlay = *play->orderedPlay;
    }
}

}  // namespace quorstat
