#include "databox/box_replies.h"

#include "net/reply_text.h"
#include "plan/position_table.h"

namespace quorstat {

namespace {

constexpr std::int32_t kNotDrawnState = 4;

// Drops the status and the issue field; a text without the separator stays as it is.
std::string_view dropLeadingFields(std::string_view text) {
    for (int i = 0; i < 2; ++i) {
        const std::size_t bar = text.find('|');
        if (bar != std::string_view::npos)
            text.remove_prefix(bar + 1);
    }
    return text;
}

std::string_view withoutTrailing(std::string_view text, char ch) {
    while (!text.empty() && text.back() == ch)
        text.remove_suffix(1);
    return text;
}

std::string positionNames(std::string_view codes, int lotteryId) {
    return ConvertPositions(codes, lotteryId, PositionDirection::toNames);
}

void readPlanField(std::string_view field, int lotteryId, PlanContent& content) {
    const std::string_view tag = FieldTag(field);
    const std::string_view value = field.substr(tag.size());
    if (tag == "UID=")
        content.userId = ReadInt(value);
    else if (tag == "PID=")
        content.planId = ReadInt(value);
    else if (tag == "IS=")
        content.issue = ReadInt(value);
    else if (tag == "POS=")
        content.positions = positionNames(value, lotteryId);
    else if (tag == "TXT=")
        content.numbers = std::string(value);
}

}  // namespace

std::optional<PlanContent> ParsePlanReply(std::string_view reply, int lotteryId) {
    if (StatusCode(reply) != '1')
        return std::nullopt;
    std::string_view rest = withoutTrailing(dropLeadingFields(reply), '$');
    PlanContent content;
    while (!rest.empty()) {
        const std::optional<std::string_view> field = CutField(rest, '|');
        if (!field)
            return std::nullopt;
        readPlanField(*field, lotteryId, content);
    }
    return content;
}

std::optional<std::vector<PlanState>> ParseStatusReply(std::string_view reply, int lotteryId) {
    if (StatusCode(reply) != '1')
        return std::nullopt;
    std::vector<PlanState> states;
    ForEachItem(dropLeadingFields(reply), '$', SplitMode::Lenient, [&](std::string_view record) {
        const std::size_t bar = record.find('|');
        const std::string_view head = record.substr(0, bar);
        std::string tail(bar == std::string_view::npos ? std::string_view()
                                                       : record.substr(bar + 1));
        std::erase(tail, '|');
        const std::size_t equals = tail.find('=');
        if (equals == std::string::npos)
            return true;
        const std::string_view stateText = std::string_view(tail).substr(equals + 1);
        states.push_back({ReadInt(std::string_view(tail).substr(0, equals)),
                          stateText.empty() ? kNotDrawnState : ReadInt(stateText),
                          positionNames(TagValue(head, "POS=").value_or(head), lotteryId)});
        return true;
    });
    return states;
}

}  // namespace quorstat
