#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace quorstat {

// How the calculator chooses the multiple of each issue.
enum MultipleStrategy : std::int32_t {
    MulManual = 256,
    MulAllIn = 257,
    MulFixedRate = 258,
    MulFixedProfit = 259,
    MulStepProfit = 260,
    MulDoublingProfit = 261,
    MulByIssues = 262,
    MulSegmentRate = 263,
};

inline constexpr bool isStrategy(std::int32_t code) {
    return code >= MulManual && code <= MulSegmentRate;
}

// 按投注期数翻倍 either adds to the multiple or doubles it.
enum RaiseMode : std::uint8_t { RaiseAdd = 0, RaiseDouble = 1 };

inline constexpr int kMaxIssueCount = 99;

// A named column of multiples.
struct PRESETDATA {
    std::string presetName;
    std::string presetText;  // always written empty
    std::int32_t presetIssues = 0;
    std::vector<std::uint32_t> presetMultiples;

    bool operator==(const PRESETDATA&) const = default;
};

// The plan form and calculator state of one lottery and play, as kept between runs.
struct tagCONFIG_MYPLANDATA {
    std::int32_t lotteryId = 0;
    std::int32_t playId = 0;
    std::string positionNames;  // checked position names, each followed by ","
    std::int32_t positionsChecked = 0;
    std::string betNumbers;  // numbers text, or the picker's selection string
    std::int32_t issueCount = 1;
    double unitCost = 2.0;
    double prize = 1000.0;
    std::int32_t linkPrize = 1;
    std::int32_t strategy = MulManual;
    double fixedRate = 10.0;
    double fixedProfit = 100.0;
    double stepProfit = 100.0;
    double startProfit = 100.0;
    std::int32_t raiseEvery = 2;
    std::uint8_t raiseMode = RaiseAdd;
    std::int32_t raiseBy = 1;
    std::int32_t segment1Issues = 10;
    double segment1Rate = 10.0;
    double segment2Rate = 20.0;
    std::vector<std::uint32_t> manualMultiples;
    std::int32_t pasteInverted = 0;
    std::int32_t addEqualDigits = 0;
    std::int32_t addRuns = 0;
    std::int32_t reservedInt = 0;  // unused by the form; kept as read
    double reservedReal = 0;       // unused by the form; kept as read
    std::int32_t useCapital = 0;
    double capital = 1000.0;
    std::int32_t initialMultiple = 1;
    std::vector<PRESETDATA> presets;

    bool operator==(const tagCONFIG_MYPLANDATA&) const = default;
};

// The prize a new record of the play starts with.
double DefaultPrize(int playId);

// The state of a (lottery, play) pair the user has not used before.
tagCONFIG_MYPLANDATA NewPlanFormData(int lotteryId, int playId);

// The prize the form shows for a stored record: 三星组选 never above 325, and a zero prize
// replaced by the play's default.
double DisplayedPrize(const tagCONFIG_MYPLANDATA& record);

}  // namespace quorstat
