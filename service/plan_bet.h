#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "plan/play_table.h"

namespace quorstat::service {

// The bet content of a plan in the form its play takes it, and what a draw wins on it.
// Number plays hold numbers of starCount digits ("12 34 "), position-free 胆 plays a set of
// digits ("0369"), 定位胆 digit groups by position ("1:01,3:5").
class PlanBet {
public:
    // Reads the content as the client sends it; throws PageError when it is malformed.
    static PlanBet parse(int playId, std::string_view text);

    int betCount() const { return count_; }
    // The canonical content: ascending, without repeats.
    const std::string& text() const { return text_; }

    // The single bets a draw ("30519") wins at one of the plan's position sets ("123").
    int winningBets(std::string_view draw, std::string_view positionCode) const;

    // How many different single bets the play offers at one position set: the "total bet
    // count" the ranking rules compare plans with.
    static int betSpace(int playId);

private:
    explicit PlanBet(const PlayInfo& play) : play_(&play) {}

    void readNumbers(std::string_view text);
    void readDigits(std::string_view text);
    void readPositionGroups(std::string_view text);
    void addNumber(std::string_view digits);

    const PlayInfo* play_;
    std::vector<bool> numbers_;
    // Digit masks: the 胆 digits in [0], or the 定位胆 group of position k in [k - 1].
    std::array<std::uint16_t, 5> digitMasks_{};
    std::string text_;
    int count_ = 0;
};

}  // namespace quorstat::service
