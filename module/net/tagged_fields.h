#pragma once

#include <span>
#include <string>
#include <string_view>

#include "net/reply_text.h"

namespace quorstat {

// How one tagged field of a record is stored: tag (with its "=") and conversion into a member.
template <typename Record>
struct FieldRule {
    std::string_view tag;
    void (*store)(Record&, std::string_view value);
};

inline std::string ToText(std::string_view value) {
    return std::string(value);
}

template <typename Record, auto Member, auto Convert>
void Assign(Record& record, std::string_view value) {
    record.*Member = Convert(value);
}

// Reads the "|"-separated TAG=VALUE fields of one record; fields with other tags are ignored.
// The service writes the fields in the order of the rules, so the search for a field's rule starts
// behind the rule of the field before.
template <typename Record>
void ReadTaggedFields(std::string_view text, std::span<const FieldRule<Record>> rules,
                      Record& record) {
    std::size_t next = 0;
    ForEachItem(text, '|', SplitMode::Lenient, [&](std::string_view field) {
        const std::string_view tag = FieldTag(field);
        for (std::size_t tried = 0; tried < rules.size(); ++tried) {
            const std::size_t at = (next + tried) % rules.size();
            if (rules[at].tag == tag) {
                rules[at].store(record, field.substr(tag.size()));
                next = at + 1;
                break;
            }
        }
        return true;
    });
}

}  // namespace quorstat
