#include "databox/result_area.h"

#include <algorithm>

#include "databox/box_tree.h"
#include "plan/bet_numbers.h"
#include "plan/number_classes.h"

namespace quorstat {

namespace {

constexpr std::string_view kBlockSeparator = "\r\n\r\n";

}  // namespace

void ResultArea::view(const tagPLANBIGPDATA& item, const PlayState& play) {
    BetCounters counters;
    result_ = {item.numbers(), tallyBetNumbers(item.numbers(), counters, play)};
}

void ResultArea::complement(const PlayState& play) {
    if (!readsBetNumbers(play))
        return;
    BetCounters counters;
    tallyBetNumbers(result_.text, counters, play);
    std::string text = complementNumbers(counters, play.starCount, play.orderedPlay != 0);
    const int count = tallyBetNumbers(text, counters, play);
    result_ = {std::move(text), count};
}

void ResultArea::toStaging() {
    if (!staging_.empty())
        staging_ += kBlockSeparator;
    staging_ += result_.text;
    result_ = {};
}

int ResultArea::stagingToItems(tagPLANBIGPDATA& root, const PlayState& play) const {
    int added = 0;
    std::string_view rest = staging_;
    while (!rest.empty()) {
        const std::size_t end = std::min(rest.find(kBlockSeparator), rest.size());
        std::string block(rest.substr(0, end));
        rest.remove_prefix(std::min(rest.size(), end + kBlockSeparator.size()));
        BetCounters counters;
        const int count = NormalizeBetNumbers(block, counters, play);
        if (count == 0)
            continue;
        auto item = NewItemNode();
        item->name = UniqueChildName(root, kStagedDataName);
        item->setNumbers(std::move(block), play, counters);
        item->betCount = count;
        root.children.push_back(std::move(item));
        ++added;
    }
    return added;
}

std::string ResultDisplayText(std::string_view text) {
    constexpr std::size_t kLineWidth = 60;
    const std::size_t firstNumber = text.find_first_of(" \r\n");
    const std::size_t width =
        (firstNumber == std::string_view::npos ? text.size() : firstNumber) + 1;
    const std::size_t perLine = std::max<std::size_t>(1, kLineWidth / width);
    std::string shown(text);
    std::size_t numbers = 0;
    for (std::size_t i = 0; i < shown.size(); ++i) {
        const char c = shown[i];
        if (c == '\r' || c == '\n') {
            numbers = 0;
        } else if (c == ' ' && i > 0 && shown[i - 1] != ' ' && shown[i - 1] != '\n' &&
                   ++numbers == perLine) {
            shown[i] = '\n';
            numbers = 0;
        }
    }
    return shown;
}

}  // namespace quorstat
