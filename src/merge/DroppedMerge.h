// d88merge.exe dropped on in Explorer, in a console window of its own: the
// images dropped are merged into "NAME (merged).d88" beside the first
// (never over a file that is there: "NAME (merged 2).d88" and on), and the
// report is shown in the user's language within the window's 80 columns.
#pragma once

#include <cstdio>
#include <string>

namespace d88merge {

// The window's columns less one, so that a line that fills them does not
// wrap onto an empty one.
inline constexpr std::size_t kWindowColumns = 79;

// "DIR/NAME (merged).d88" for the image `first` ("DIR/NAME.d88"), the
// `number`th name tried (1: no number).
std::string mergedNameBeside(const std::string& first, int number);

// Merges the images `argv[1..]`; the exit status. Says how to use it when
// fewer than two were dropped.
int mergeDropped(int argc, char** argv, bool japanese, std::FILE* out, std::FILE* err);

}  // namespace d88merge
