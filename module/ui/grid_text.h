#pragma once

#include <string>

#include "ui/grid_content.h"

namespace quorstat {

// The grid as a fixed-width table in the ANSI code page: every shown column as wide as its longest
// text (its name included when the grid has a header) plus one blank, a dashed rule under the
// header and above the summary rows, lines ended by "\r\n" without trailing blanks.
std::string GridText(const GridContent& grid, bool withHeader);

}  // namespace quorstat
