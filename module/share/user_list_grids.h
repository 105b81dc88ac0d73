#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "net/user_record.h"
#include "ui/grid_content.h"

namespace quorstat {

// Columns of the detailed grid; the index of a column is its sort code.
inline constexpr std::size_t kUserRowNumberColumn = 0;
inline constexpr std::size_t kUserNameColumn = 1;
inline constexpr std::size_t kUserColumnCount = 13;
// Users per row of the compact grid.
inline constexpr std::size_t kNamesPerRow = 7;

// The stability periods of the context menu: menu text, FactorCycle value and header suffix.
struct StabilityPeriod {
    std::string_view menuText;
    int factorCycle;
    std::string_view suffix;
};
extern const std::vector<StabilityPeriod> kStabilityPeriods;
// The header suffix of a period; empty for a value that is none of the menu's.
std::string_view StabilitySuffix(int factorCycle);

// One row per user with its colours; `firstRowNumber` numbers the first row, `ownName` marks the
// logged-in user's row.
GridContent DetailedUserGrid(const std::vector<tagUSERINFO>& users, int firstRowNumber,
                             std::string_view ownName, int factorCycle);
// The names only, kNamesPerRow to a row, users with running plans white on red or blue.
GridContent CompactUserGrid(const std::vector<tagUSERINFO>& users);

// The users of `records` who share their plans, in that order: what goes into the data box.
std::vector<tagUSERINFO> SharingUsers(const std::vector<tagUSERINFO>& users,
                                      const std::vector<std::size_t>& records);
// Their names joined by ",", as the clipboard takes them.
std::string JoinedNames(const std::vector<tagUSERINFO>& users,
                        const std::vector<std::size_t>& records);

}  // namespace quorstat
