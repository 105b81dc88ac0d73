#include "plan/plan_form_data.h"

#include <algorithm>

#include "plan/play_table.h"

namespace quorstat {

namespace {

constexpr int kThreeStarGroup = 1306;
constexpr double kThreeStarGroupPrizeCap = 325.0;

}  // namespace

double DefaultPrize(int playId) {
    const PlayInfo* play = findPlay(playId);
    if (!play)
        return 1000.0;
    switch (play->family) {
        case PlayFamily::positionFree:
            return 10.0;
        case PlayFamily::positional:
            return 20.0;
        default:
            break;
    }
    if (playId == kThreeStarGroup)
        return kThreeStarGroupPrizeCap;
    switch (play->starCount) {
        case 2:
            return 100.0;
        case 3:
            return 1000.0;
        case 4:
            return 10000.0;
        default:
            return 100000.0;
    }
}

tagCONFIG_MYPLANDATA NewPlanFormData(int lotteryId, int playId) {
    tagCONFIG_MYPLANDATA record;
    record.lotteryId = lotteryId;
    record.playId = playId;
    record.prize = DefaultPrize(playId);
    return record;
}

double DisplayedPrize(const tagCONFIG_MYPLANDATA& record) {
    if (record.prize == 0)
        return DefaultPrize(record.playId);
    if (record.playId == kThreeStarGroup)
        return std::min(record.prize, kThreeStarGroupPrizeCap);
    return record.prize;
}

}  // namespace quorstat
