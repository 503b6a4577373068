// The report's lines broken to fit a window: a line wider than the window
// goes on in lines of its own, indented under it, broken after a space or a
// Japanese comma where one is in reach.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace d88merge {

// `lines` with each wider than `columns` broken; all of them as they are for 0.
std::vector<std::string> fitLines(const std::vector<std::string>& lines, std::size_t columns);

}  // namespace d88merge
