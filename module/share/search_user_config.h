#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quorstat {

// The user-list filters in the order of the search panel and of the request.
inline constexpr std::size_t kUserFilterCount = 8;

// The search settings of the user list, kept in "SearchUserConfig.dat".
struct tagSEARCHUSERCONFIG {
    std::int32_t detail = 1;      // 1 the detailed grid, 0 the compact grid of names
    std::int32_t sortColumn = 0;  // 0 the service's order, 1..12 a column of the detailed grid
    std::int32_t ascending = 1;
    std::int32_t listMode = 0;  // 0 all users, 1 users I follow, 2 users following me
    std::array<std::int32_t, kUserFilterCount> filterOn{};
    std::array<std::string, kUserFilterCount> filterText;  // normal forms

    bool operator==(const tagSEARCHUSERCONFIG&) const = default;
};

inline constexpr std::uint32_t kSearchUserConfigMagic = 0x01337A1E;  // 20150814
inline constexpr std::string_view kSearchUserConfigFileName = "SearchUserConfig.dat";
inline constexpr int kLastSortColumn = 12;

// The settings of a file; none for another magic or a file cut short. Values out of their range
// read as their defaults.
std::optional<tagSEARCHUSERCONFIG> ReadSearchUserConfig(std::string_view bytes);
std::string WriteSearchUserConfig(const tagSEARCHUSERCONFIG& config);

}  // namespace quorstat
