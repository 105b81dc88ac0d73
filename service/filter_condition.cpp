#include "service/filter_condition.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

#include "service/page_error.h"

namespace quorstat::service {
namespace {

constexpr double kLargestValue = 1e15;

std::int64_t hundredths(double value) {
    return std::llround(value * 100);
}

// A decimal number with an optional "-" and, for real conditions, a fraction.
std::int64_t readValue(std::string_view text, bool integer) {
    double value = 0;
    const bool fraction = text.find('.') != std::string_view::npos;
    const auto [end, error] =
        std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed);
    if (text.empty() || text.front() == '+' || error != std::errc() ||
        end != text.data() + text.size() || (integer && fraction) || !std::isfinite(value) ||
        std::fabs(value) > kLargestValue)
        throw PageError("筛选条件不正确");
    return hundredths(value);
}

}  // namespace

FilterCondition FilterCondition::parse(std::string_view text, bool integer) {
    static constexpr std::pair<std::string_view, Relation> kWords[] = {
        {"等于", Relation::Equal},          {"大于", Relation::Greater},
        {"大等于", Relation::GreaterEqual}, {"小于", Relation::Less},
        {"小等于", Relation::LessEqual},
    };
    FilterCondition condition;
    while (true) {
        const std::size_t end = std::min(text.find('#'), text.size());
        const std::string_view term = text.substr(0, end);
        const std::size_t bar = term.find('|');
        const std::string_view word = term.substr(0, bar);
        const auto known = std::find_if(std::begin(kWords), std::end(kWords),
                                        [word](const auto& entry) { return entry.first == word; });
        if (bar == std::string_view::npos || known == std::end(kWords))
            throw PageError("筛选条件不正确");
        condition.terms_.emplace_back(known->second, readValue(term.substr(bar + 1), integer));
        if (end == text.size())
            return condition;
        text.remove_prefix(end + 1);
    }
}

bool FilterCondition::matches(double figure) const {
    const std::int64_t value = hundredths(figure);
    return std::all_of(terms_.begin(), terms_.end(),
                       [value](const auto& term) { return holds(term.first, value, term.second); });
}

bool FilterCondition::holds(Relation relation, std::int64_t value, std::int64_t bound) {
    switch (relation) {
        case Relation::Equal:
            return value == bound;
        case Relation::Greater:
            return value > bound;
        case Relation::GreaterEqual:
            return value >= bound;
        case Relation::Less:
            return value < bound;
        case Relation::LessEqual:
            return value <= bound;
    }
    return false;
}

}  // namespace quorstat::service
