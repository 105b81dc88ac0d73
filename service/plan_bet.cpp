#include "service/plan_bet.h"

#include <fmt/format.h>

#include <algorithm>
#include <bit>

#include "plan/bet_numbers.h"
#include "service/page_error.h"

namespace quorstat::service {
namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

int valueOf(std::string_view digits) {
    int value = 0;
    for (const char c : digits)
        value = value * 10 + (c - '0');
    return value;
}

std::uint16_t digitMask(std::string_view digits) {
    std::uint16_t mask = 0;
    for (const char c : digits) {
        if (!isDigit(c))
            throw PageError("胆码格式不正确");
        mask |= static_cast<std::uint16_t>(1u << (c - '0'));
    }
    return mask;
}

std::string digitsOf(std::uint16_t mask) {
    std::string digits;
    for (int digit = 0; digit <= 9; ++digit)
        if (mask & (1u << digit))
            digits.push_back(static_cast<char>('0' + digit));
    return digits;
}

bool isGrouped(const PlayInfo& play) {
    return play.kindName == "组选";
}

}  // namespace

PlanBet PlanBet::parse(int playId, std::string_view text) {
    const PlayInfo* play = findPlay(playId);
    if (play == nullptr)
        throw PageError("玩法名称不正确");
    if (text.empty())
        throw PageError("没有输入投注数据");
    PlanBet bet(*play);
    switch (play->family) {
        case PlayFamily::number:
            bet.readNumbers(text);
            break;
        case PlayFamily::positionFree:
            bet.readDigits(text);
            break;
        case PlayFamily::positional:
            bet.readPositionGroups(text);
            break;
        case PlayFamily::none:
            throw PageError("玩法名称不正确");
    }
    return bet;
}

// Numbers of exactly starCount digits separated by blanks; 组选 numbers count with their digits
// in ascending order, so 21 and 12 are one number.
void PlanBet::readNumbers(std::string_view text) {
    numbers_.assign(static_cast<std::size_t>(numberSpace(play_->starCount)), false);
    while (!text.empty()) {
        const std::size_t start = text.find_first_not_of(' ');
        if (start == std::string_view::npos)
            break;
        text.remove_prefix(start);
        const std::size_t end = std::min(text.find(' '), text.size());
        addNumber(text.substr(0, end));
        text.remove_prefix(end);
    }
    if (count_ == 0)
        throw PageError("没有输入投注数据");
    for (std::size_t value = 0; value < numbers_.size(); ++value)
        if (numbers_[value])
            text_ += fmt::format("{:0{}} ", value, play_->starCount);
}

void PlanBet::addNumber(std::string_view digits) {
    if (digits.size() != static_cast<std::size_t>(play_->starCount) ||
        !std::all_of(digits.begin(), digits.end(), isDigit))
        throw PageError("投注号码格式不正确");
    std::string number(digits);
    if (isGrouped(*play_))
        std::sort(number.begin(), number.end());
    const auto value = static_cast<std::size_t>(valueOf(number));
    if (!numbers_[value])
        ++count_;
    numbers_[value] = true;
}

void PlanBet::readDigits(std::string_view text) {
    digitMasks_[0] = digitMask(text);
    text_ = digitsOf(digitMasks_[0]);
    count_ = std::popcount(digitMasks_[0]);
}

// "K:DIGITS" items joined by ",", positions 1 to 5 ascending, each with at least one digit.
void PlanBet::readPositionGroups(std::string_view text) {
    int lastPosition = 0;
    while (true) {
        const std::size_t end = std::min(text.find(','), text.size());
        const std::string_view item = text.substr(0, end);
        if (item.size() < 3 || item[1] != ':' || item[0] <= '0' + lastPosition || item[0] > '5')
            throw PageError("胆码格式不正确");
        lastPosition = item[0] - '0';
        digitMasks_[static_cast<std::size_t>(lastPosition - 1)] = digitMask(item.substr(2));
        if (end == text.size())
            break;
        text.remove_prefix(end + 1);
    }
    for (std::size_t position = 0; position < digitMasks_.size(); ++position) {
        if (digitMasks_[position] == 0)
            continue;
        text_ += fmt::format("{}{}:{}", text_.empty() ? "" : ",", position + 1,
                             digitsOf(digitMasks_[position]));
        count_ += std::popcount(digitMasks_[position]);
    }
    if (count_ == 0)
        throw PageError("请选择胆码");
}

int PlanBet::winningBets(std::string_view draw, std::string_view positionCode) const {
    std::string drawn;
    std::uint16_t drawnMask = 0;
    int positionalWins = 0;
    for (const char code : positionCode) {
        const std::size_t position = static_cast<std::size_t>(code - '1');
        const char digit = draw[position];
        drawn.push_back(digit);
        drawnMask |= static_cast<std::uint16_t>(1u << (digit - '0'));
        positionalWins += (digitMasks_[position] >> (digit - '0')) & 1;
    }
    switch (play_->family) {
        case PlayFamily::number:
            if (isGrouped(*play_))
                std::sort(drawn.begin(), drawn.end());
            return numbers_[static_cast<std::size_t>(valueOf(drawn))] ? 1 : 0;
        case PlayFamily::positionFree:
            return std::popcount(static_cast<std::uint16_t>(drawnMask & digitMasks_[0]));
        case PlayFamily::positional:
            return positionalWins;
        case PlayFamily::none:
            break;
    }
    return 0;
}

int PlanBet::betSpace(int playId) {
    const PlayInfo* play = findPlay(playId);
    if (play == nullptr)
        return 0;
    switch (play->family) {
        case PlayFamily::number:
            // 组选 numbers are the digit multisets: 55 of two digits, 220 of three.
            return isGrouped(*play) ? (play->starCount == 2 ? 55 : 220)
                                    : numberSpace(play->starCount);
        case PlayFamily::positionFree:
            return 10;
        case PlayFamily::positional:
            return 50;
        case PlayFamily::none:
            break;
    }
    return 0;
}

}  // namespace quorstat::service
