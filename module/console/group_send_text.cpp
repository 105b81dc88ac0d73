#include "console/group_send_text.h"

namespace quorstat {
namespace {

constexpr std::string_view kFullWidthSpace = "\u3000";
constexpr std::string_view kWhiteSpace = " \t\r\n";
constexpr std::string_view kLineBreak = "\r\n";

void appendLine(std::string& text, std::string_view line) {
    text += kLineBreak;
    text += line;
}

}  // namespace

std::string TrimmedSendText(std::string_view text) {
    std::string spaced;
    spaced.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        if (text.substr(at, kFullWidthSpace.size()) == kFullWidthSpace) {
            spaced += ' ';
            at += kFullWidthSpace.size();
        } else {
            spaced += text[at++];
        }
    }
    const std::size_t first = spaced.find_first_not_of(kWhiteSpace);
    if (first == std::string::npos)
        return {};
    return spaced.substr(first, spaced.find_last_not_of(kWhiteSpace) - first + 1);
}

std::string PlanSendText(std::string text, const tagCONFIG_QQSEND& general, int tailPersonal) {
    const int index = general.signatureIndex;
    if (index >= 0 && static_cast<std::size_t>(index) < general.signatures.size())
        appendLine(text, general.signatures[static_cast<std::size_t>(index)]);
    if (tailPersonal != 0)
        appendLine(text, kPlanTailLine);
    return text;
}

std::string CustomSendText(std::string text, int tailMode) {
    if (tailMode == 2)
        appendLine(text, kShortCustomTailLine);
    else if (tailMode != 0)
        appendLine(text, kLongCustomTailLine);
    return text;
}

}  // namespace quorstat
