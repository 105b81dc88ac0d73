#pragma once

#include <cstddef>
#include <vector>

#include "ui/grid_content.h"

namespace quorstat {

// Orders the body rows by one column (numbers by value, texts in ANSI order, which puts common
// Chinese words in pinyin order); equal rows keep their order and the summary rows stay last.
// Returns, for each new position, the position the row came from.
std::vector<std::size_t> SortGridRows(GridContent& grid, std::size_t column, bool ascending);

}  // namespace quorstat
