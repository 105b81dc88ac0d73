#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace quorstat {

// Every reply: a status character, a separator, then "|" fields, "$" records and TAG=VALUE fields.

// The first character; none for an empty reply.
std::optional<char> StatusCode(std::string_view reply);
// The reply without its status character and the separator behind it.
std::string_view ReplyBody(std::string_view reply);
// The first field of the body; empty when the body has no "|" or starts with one.
std::string_view Message(std::string_view reply);

enum class ListOutcome { Failed, Unchanged, Loaded };

// The body of a list reply with status "1"; nothing for any other status, with `outcome` set to
// Unchanged for "2" (nothing new since the stamp sent) and left as it was otherwise.
std::optional<std::string_view> ListReplyBody(std::string_view reply, ListOutcome& outcome);

// Takes the text up to the next separator off the front of `rest`; none when there is no separator.
std::optional<std::string_view> CutField(std::string_view& rest, char separator);

// "TOTAL|COUNT|STAMP|" at the front of a list reply's body, taken off `rest`. None when TOTAL or
// COUNT has no "|" behind it; a STAMP without one takes the rest of the text.
struct ListHeader {
    std::int32_t total = 0;
    std::int32_t count = 0;
    std::string_view stamp;
};
std::optional<ListHeader> CutListHeader(std::string_view& rest);

// Strict: an empty item ends the list. Lenient: an empty item is skipped. KeepEmpty: an empty item
// between two separators is an item of its own.
enum class SplitMode { Strict, Lenient, KeepEmpty };

// Trailing separators are dropped and the items cut in order; `visit` returns false to stop early.
template <typename Visit>
void ForEachItem(std::string_view text, char separator, SplitMode mode, Visit&& visit) {
    const std::size_t last = text.find_last_not_of(separator);
    const std::string_view list =
        last == std::string_view::npos ? std::string_view() : text.substr(0, last + 1);
    std::size_t start = 0;
    while (true) {
        const std::size_t end = list.find(separator, start);
        const std::string_view item = list.substr(
            start, end == std::string_view::npos ? std::string_view::npos : end - start);
        if (item.empty() && mode == SplitMode::Strict)
            return;
        if ((!item.empty() || mode == SplitMode::KeepEmpty) && !visit(item))
            return;
        if (end == std::string_view::npos)
            return;
        start = end + 1;
    }
}

std::vector<std::string_view> SplitList(std::string_view text, char separator, SplitMode mode);

// The value of a field that starts with `tag` (which ends with "="); none for any other field.
std::optional<std::string_view> TagValue(std::string_view field, std::string_view tag);
// The tag of a field: its text up to and including the first "="; empty when there is none.
std::string_view FieldTag(std::string_view field);

// The leading whole number (blanks and a sign allowed before the digits); 0 without digits.
// Values beyond 32 bits are clamped.
std::int32_t ReadInt(std::string_view text);
// The leading real number; 0 without one, and 0 for values that are not finite.
double ReadReal(std::string_view text);
// Money and statistics values carry "," as thousands separator.
std::int32_t ReadGroupedInt(std::string_view text);
double ReadMoney(std::string_view text);
// Flags are true exactly for the word "True".
bool ReadFlag(std::string_view text);

}  // namespace quorstat
