// A run in a console window of the program's own: d88cut.exe dropped on or
// double-clicked in Explorer, which starts it in the user's profile folder or
// wherever it likes, and closes the window the moment it ends. There each image
// is cut beside itself, several images dropped at once are cut one after the
// other, each ends with a summary, and a double-click without an image says
// what to do. The decisions are pure functions, the same on every system.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "RunState.h"
#include "system/ConsoleText.h"

namespace d88cut {

// How a system spells paths: Windows with drives, UNC names and either slash,
// POSIX from "/".
enum class PathRules { Windows, Posix };
#ifdef _WIN32
inline constexpr PathRules kSystemPaths = PathRules::Windows;
#else
inline constexpr PathRules kSystemPaths = PathRules::Posix;
#endif

// Whether `path` starts from a root rather than the current folder: a drive
// and a slash ("C:\", "C:/") or two slashes (a UNC name "\\server\share\",
// "\\?\C:\") on Windows, "/" elsewhere. "C:name" and "\name" depend on the
// current drive's folder and are not.
bool isFullPath(const std::string& path, PathRules rules);

// The folder that holds the file of a full path, to change to: "C:\Disks" for
// "C:\Disks\a.d88", the root "C:\" for "C:\a.d88", "\\server\share\" for a file
// at the share's top. Empty when the path is not full.
std::string folderOfFullPath(const std::string& path, PathRules rules);

// The name after the path's last slash (either slash on Windows).
std::string fileNameOf(const std::string& path, PathRules rules);

// What a run in a window of its own does with its command line.
struct WindowRun {
    enum class Kind {
        Hint,      // no image: what to do, then the usage
        Images,    // cut argv[firstImage] to the last argument, each beside itself
        Ordinary,  // anything else: as on a command line
    };
    Kind kind;
    bool opFlag;     // Images: "-op" came first
    int firstImage;  // Images: the first image's index in argv
};

// No argument, or "-op" alone, is a Hint. One or more arguments that are each
// the full path of an existing regular file or folder (what Explorer passes
// for the files and folders dropped), after an optional "-op" (what a
// shortcut whose target ends in " -op" passes before them), are Images.
// `isRegularFile` and `isFolder` say whether a path names one.
WindowRun planWindowRun(int argc, char** argv, PathRules rules, bool (*isRegularFile)(const char*),
                        bool (*isFolder)(const char*));

// Whether a file name ends in ".d88", in any case.
bool isD88Name(const std::string& name);

// The order in which a folder's images are cut: as a person reads the names,
// a run of digits by its number ("disk2" before "disk10", "disk01" before
// "disk2"), letters in any case alike; names alike so are in byte order.
bool comesBefore(const std::string& a, const std::string& b);

// The images a folder dropped stands for: of the file `names` directly in it,
// those that end in ".d88", in the order comesBefore() gives.
std::vector<std::string> imagesAmong(std::vector<std::string> names);

// A line that fills all 80 columns of a window moves the cursor on by itself,
// and its line feed then leaves an empty line: every line stays within 79.
inline constexpr std::size_t kLineColumns = d88console::kWindowLineColumns;

// The columns UTF-8 text takes on a console (in the system layer, for d88info's
// window too).
using d88console::columnsOf;

// `path` in pieces of at most `columns` columns, broken after a slash where
// one is in reach and within a name where none is.
std::vector<std::string> pathPieces(const std::string& path, std::size_t columns);

// The summary of one image's cut, from its tally alone, as text in `form`
// (Shift_JIS for Bytes, UTF-8 otherwise): the disks of the set recognised or
// that none was, how many files were cut and into `folder` (as given: UTF-8 on
// Windows), then the files partly read, not on the image and not written.
// Empty when the image could not be opened, which its message already said.
std::string summaryText(const CutTally& tally, const std::string& folder,
                        d88console::TextForm form);

// Everything a run in a window of its own does but wait for a key at its end:
// the plan of its command line carried out, each image's summary, the hint for
// -op when a disk's files were left out without it, and the line asking for a
// key. Returns the exit status, as runCutter's.
int runInOwnWindow(int argc, char** argv);

}  // namespace d88cut
