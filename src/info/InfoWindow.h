// d88info.exe in a console window of its own (dropped on or double-clicked in
// Explorer), which closes the moment it ends: each image dropped is shown as
// d88info --files -op shows it, in the user's language, every line within
// the window's width; a double-click without an image says what to do. The
// layout is a pure function, the same on every system.
#pragma once

#include <cstddef>
#include <string>

#include "Language.h"

namespace d88info {

// `text` with every line that takes more than `columns` columns (a full-width
// character counts two) broken into lines that do not: after a space, or
// between a full-width character and the next unless that is punctuation
// that closes (、。) : , .), within a word only where nothing else is in
// reach. Each line a break makes is indented by 12 columns where the line was
// indented (a file's line: under the text after its name), else by 4.
std::string fitToWindow(const std::string& text, std::size_t columns);

// The --files -op listing of the image at `path` as the window shows it:
// within `columns`, names decoded, after a heading "==== NAME ====" when
// `heading`; "" and `opened` false when it cannot be opened, which is said
// in the text instead.
std::string windowListing(const std::string& path, bool heading, Language language,
                          std::size_t columns, bool& opened);

// Everything d88info does in a window of its own but wait for a key: the
// listing of each image when every argument names a file (what Explorer
// passes for the files dropped), the hint and the usage with no argument,
// anything else as runInfo() does it; then the line asking for a key.
// Returns the exit status.
int runInOwnWindow(int argc, char** argv);

}  // namespace d88info
