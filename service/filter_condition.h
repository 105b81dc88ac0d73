#pragma once

#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

namespace quorstat::service {

// A numeric search condition of the user list: "等于|V", "大于|V", "大等于|V", "小于|V" or
// "小等于|V", several joined by "#" that must all hold ("大等于|3#小等于|10"). Values and
// figures are compared in hundredths, as the list shows them.
class FilterCondition {
public:
    // Integer conditions take whole numbers only. Throws PageError when the text is no
    // condition.
    static FilterCondition parse(std::string_view text, bool integer);

    bool matches(double figure) const;

private:
    enum class Relation { Equal, Greater, GreaterEqual, Less, LessEqual };

    static bool holds(Relation relation, std::int64_t value, std::int64_t bound);

    std::vector<std::pair<Relation, std::int64_t>> terms_;
};

}  // namespace quorstat::service
