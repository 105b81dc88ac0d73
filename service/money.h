#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quorstat::service {

// Amounts in thousandths of a yuan: the client writes every amount with three decimals, so the
// service keeps them exact and never adds up binary fractions.
using Milli = std::int64_t;
constexpr Milli kMilliPerYuan = 1000;

// A non-negative decimal with at most three decimals, such as "2", "0.5" or "1950.000".
std::optional<Milli> parseMoney(std::string_view text);
// Three decimals, for example "-12.500".
std::string formatMoney(Milli amount);
// Two decimals, for rates and averages.
std::string formatFigure(double value);

}  // namespace quorstat::service
