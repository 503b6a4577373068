// The command line as a user meets it: argument checks, the open failure and
// images without a whole disk, run on the built tool in a scratch directory.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <clocale>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <set>
#include <string>
#include <vector>

#include "ImageBuilder.h"
#include "ToolRun.h"
#include "cutter/Cutter.h"
#include "cutter/Messages.h"
#include "cutter/Output.h"
#include "cutter/OwnWindow.h"
#include "cutter/RunState.h"
#include "system/ConsoleText.h"
#include "system/UserLanguage.h"

namespace {

using d88mk::Bytes;
using d88test::cp932;

std::string fullUsage(const std::string& program) {
    return "Usage: " + program + " [d88file] [DiskNo.] [-op]\n" +
           cp932("       -op : オープニングのプログラムとタイトルグラフィックを切り出す\n");
}

std::string diskNoUsage(const std::string& program) {
    return "Usage: " + program + " [d88file] (DiskNo.)\n";
}

std::string help(const std::string& program) {
    return fullUsage(program) +
           cp932(
               "   DiskNo. : 最初のディスクだけを, その番号 (1-8) のディスクとして切り出す\n"
               "d88file (D88 イメージ) の各ディスクを認識して, そのデータファイルを\n"
               "今いるフォルダに切り出します. 同じ名前のファイルは置き換えます.\n"
               "DiskNo. の 1, 3, 4, 5, 6 はいつもその番号のディスク. 2 は R1 の合計が Opening\n"
               "Disk のものなら Opening Disk, 7 は Opening Disk か Program Disk のものなら\n"
               "そのディスク, 8 は R16 の合計が Data Disk 1 のものなら Data Disk 1 になる.\n");
}

#ifdef _WIN32
constexpr bool kWindows = true;
#else
constexpr bool kWindows = false;
#endif

std::string cannotOpen() {
    return cp932("ファイルをオープンできません.\n");
}
std::string recognised(const std::string& name) {
    return cp932(name + " を認識しました.\n");
}

// What the scratch directory holds before the run.
enum class Prepared { None, Empty, Short, Directory, Blank, Opening, OpFile };

void prepare(const d88test::ScratchDir& dir, Prepared setup) {
    // A disk whose R1 sector sums to 30971 is recognised as the Opening Disk,
    // so any run that gets as far as the disk loop prints a line.
    const Bytes opening =
        d88mk::DiskBuilder().addSector(1, 1, 1, d88mk::bytesWithSum(30971)).build();
    const std::string image = dir.file("disk.d88");
    switch (setup) {
        case Prepared::None:
            break;
        case Prepared::Empty:
            d88mk::writeFile(image, {});
            break;
        case Prepared::Short:
            d88mk::writeFile(image, Bytes(opening.begin(), opening.begin() + 687));
            break;
        case Prepared::Directory:
            std::filesystem::create_directory(image);
            break;
        case Prepared::Blank:
            d88mk::writeFile(image, d88mk::DiskBuilder().fillTrack(0, 1, 16, 1).build());
            break;
        case Prepared::Opening:
            d88mk::writeFile(image, opening);
            break;
        case Prepared::OpFile:
            d88mk::writeFile(dir.file("-op"), {});
            break;
    }
}

struct CliCase {
    Prepared setup;
    std::vector<std::string> args;
    int status;
    std::string err;
    std::string out = "";
    std::string argv0 = "";  // empty: the tool's path
};

TEST(CommandLine, ArgumentsAndImageFile) {
    const std::string tool = D88CUT_PATH;
    using P = Prepared;
    const std::string img = "disk.d88";
    std::vector<CliCase> cases = {
        {P::Opening, {}, 1, fullUsage(tool)},
        {P::Opening, {img, "1", "-op"}, 1, fullUsage(tool)},
        {P::Opening, {img, "2", "3", "4"}, 1, fullUsage(tool)},
        {P::None, {}, 1, fullUsage("a%sb%n"), "", "a%sb%n"},
        {P::Opening, {img, "0"}, 1, diskNoUsage("a%sb%n"), "", "a%sb%n"},
        // A disk with no run on it: each file is said not to be cut.
        {P::Blank, {img, "12"}, 0, d88test::noneCut("Opening Disk"), recognised("Opening Disk")},
        {P::Blank, {img, "8x"}, 0, d88test::noneCut("Demo Disk 2"), recognised("Demo Disk 2")},
        {P::Opening,
         {img, "-op"},
         0,
         d88test::noneCut("Opening Disk", true),
         recognised("Opening Disk")},
        {P::None, {img}, 1, cannotOpen()},
        {P::None, {img, "-op"}, 1, cannotOpen()},
        {P::Directory, {img}, 1, cannotOpen()},
        {P::None, {img, "x"}, 1, diskNoUsage(tool)},
        // "-op" alone is the image path.
        {P::None, {"-op"}, 1, cannotOpen()},
        {P::OpFile, {"-op"}, 0, d88test::noDiskOfTheSet()},
        // Help and the version only as the one argument.
        {P::None, {"-h"}, 0, "", help(tool)},
        {P::None, {"--help"}, 0, "", help(tool)},
        {P::None,
         {"/?"},
         kWindows ? 0 : 1,
         kWindows ? "" : cannotOpen(),
         kWindows ? help(tool) : ""},
        {P::None, {"--version"}, 0, "", "d88cut " D88CUT_VERSION "\n"},
        {P::None, {"--help", "1"}, 1, cannotOpen()},
        {P::None, {"-h", "-op"}, 1, cannotOpen()},
        {P::None, {"--Help"}, 1, cannotOpen()},
        {P::None, {img, "--help"}, 1, diskNoUsage(tool)},
        // A name outside ASCII in a file: Shift_JIS on Windows,
        // where the tool knows it as text; as given elsewhere.
        {P::None, {}, 1, fullUsage(kWindows ? cp932("ツール") : "ツール"), "", "ツール"},
        {P::None, {"-h"}, 0, "", help(kWindows ? "?t" : "ét"), "ét"}};
    // Not "-op" and no digit 1-8 first; the last begins with a double-byte "1".
    for (const std::string& bad :
         std::vector<std::string>{"0", "9", "x", "", "-OP", "--op", "-op ", "-o", cp932("１")}) {
        cases.push_back({P::Opening, {img, bad}, 1, diskNoUsage(tool)});
    }
    // No whole disk header: the file opens, no disk is processed, and none
    // of the set was found in it, with a disk number too.
    for (P setup : {P::Empty, P::Short}) {
        cases.push_back({setup, {img}, 0, d88test::noDiskOfTheSet()});
        cases.push_back({setup, {img, "3"}, 0, d88test::noDiskOfTheSet()});
        cases.push_back({setup, {img, "-op"}, 0, d88test::noDiskOfTheSet()});
    }

    for (const CliCase& c : cases) {
        std::string trace = "setup " + std::to_string(static_cast<int>(c.setup)) + c.argv0;
        for (const std::string& arg : c.args) {
            trace += " [" + arg + "]";
        }
        SCOPED_TRACE(trace);
        d88test::ScratchDir dir;
        prepare(dir, c.setup);
        const std::vector<std::string> before = dir.entries();
        const d88test::ToolResult result = d88test::runTool(tool, c.args, dir.path(), {c.argv0});
        EXPECT_EQ(result.exitStatus, c.status);
        EXPECT_EQ(result.out, c.out);
        EXPECT_EQ(result.err, c.err);
        // No run here reaches a file to cut: the directory is left as it was.
        EXPECT_EQ(dir.entries(), before);
    }
}

// An argument vector without even the program's name: no element at all, or
// the empty name that Linux gives a program started that way.
TEST(CommandLine, NoProgramNameShowsD88cut) {
    char emptyName[] = "";
    char* noElement[] = {nullptr};
    char* emptyElement[] = {emptyName, nullptr};
    const struct {
        int argc;
        char** argv;
    } cases[] = {{0, noElement}, {1, emptyElement}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.argc);
        d88test::ScratchDir dir;
        const std::string errPath = dir.file("stderr");
        std::fflush(stderr);
        const int savedErr = dup(2);
        const int captureFd = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        ASSERT_GE(savedErr, 0);
        ASSERT_GE(captureFd, 0);
        dup2(captureFd, 2);
        close(captureFd);
        const int status = d88cut::runCutter(c.argc, c.argv);
        std::fflush(stderr);
        dup2(savedErr, 2);
        close(savedErr);

        EXPECT_EQ(status, 1);
        const Bytes err = d88mk::readFile(errPath);
        EXPECT_EQ(d88test::fromTextMode(std::string(err.begin(), err.end())), fullUsage("d88cut"));
    }
}

// A pipe holds the bytes of a disk but cannot seek back to them.
TEST(CommandLine, ImageThatCannotSeekCannotBeOpened) {
#ifdef _WIN32
    GTEST_SKIP() << "no /dev/fd paths to a pipe on Windows";
#else
    d88test::ScratchDir dir;
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    const Bytes disk = d88mk::setDisk(d88mk::SetDisk::OpeningDisk, 2).build();
    const std::size_t head = d88mk::DiskBuilder::kHeaderSize;
    ASSERT_EQ(write(fds[1], disk.data(), head), static_cast<ssize_t>(head));
    close(fds[1]);
    const std::string path = "/dev/fd/" + std::to_string(fds[0]);
    const d88test::ToolResult result = d88test::runTool(D88CUT_PATH, {path}, dir.path());
    close(fds[0]);
    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, cannotOpen());
#endif
}

// An image that stands in the working directory under the name of a file to
// cut, or behind a link of such a name, is never emptied to write that file.
TEST(CommandLine, ImageIsNeverOverwrittenByAFileItCuts) {
    const struct {
        d88mk::SetDisk disk;
        const char* image;
        const char* link;
        bool hardLink;  // else a symbolic link
        int tracks;
        std::vector<std::string> cut;
        std::vector<std::string> notCut;
    } cases[] = {
        {d88mk::SetDisk::OpeningDisk,
         "MO00",
         "MO01",
         false,
         20,
         {"MO00", "MO01", "MO02", "MO03", "MO04"},
         {}},
        // MUSDRV is opened before its line is printed, so only MP00 announces
        // itself; the disk ends where MP00 does.
        {d88mk::SetDisk::ProgramDisk,
         "MUSDRV",
         "MP00",
         true,
         32,
         {"MP00"},
         {"MP01", "MP02", "MP03", "MP04", "MP05", "MP06", "MP07", "MP08", "MP09",
          "MP10", "MP11", "MP12", "MP13", "MP14", "MP15", "MP16", "MP17", "MP18",
          "MP19", "MP20", "MP21", "MP22", "MP23", "MP24", "MP25", "MP26"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.image);
        d88test::ScratchDir dir;
        const Bytes image = d88mk::setDisk(c.disk, c.tracks).build();
        d88mk::writeFile(dir.file(c.image), image);
        if (c.hardLink) {
            std::filesystem::create_hard_link(d88test::pathOf(dir.file(c.image)),
                                              d88test::pathOf(dir.file(c.link)));
        } else {
#ifdef _WIN32
            std::cout << "[  NOTE    ] " << c.link
                      << ": Windows lets few users make symbolic links\n";
            continue;
#endif
            std::filesystem::create_symlink(c.image, d88test::pathOf(dir.file(c.link)));
        }
        const d88test::ToolResult result = d88test::runTool(D88CUT_PATH, {c.image}, dir.path());
        EXPECT_EQ(result.exitStatus, 1);
        std::string out = recognised(c.hardLink ? "Program Disk" : "Opening Disk");
        for (const std::string& name : c.cut) {
            out += "cutting ... " + name + "\n";
        }
        EXPECT_EQ(result.out, out);
        EXPECT_EQ(result.err, cp932(std::string(c.image) + " を書き込めません.\n") +
                                  cp932(std::string(c.link) + " を書き込めません.\n") +
                                  d88test::notCut(c.notCut));
        EXPECT_EQ(d88mk::readFile(dir.file(c.image)), image);
        EXPECT_EQ(d88mk::readFile(dir.file(c.link)), image);
        std::set<std::string> files(c.cut.begin(), c.cut.end());
        files.insert({c.image, c.link});
        EXPECT_EQ(dir.entries(), std::vector<std::string>(files.begin(), files.end()));
    }
}

// Pipes and special files: a reader that goes away, a standard output that
// refuses every byte, a FIFO as image or as output, and one log for both
// streams. None may hang the run or cost a file it can write.
TEST(CommandLine, PipesAndSpecialFilesNeverHangOrLoseFiles) {
    using d88test::OutputTo;
    const std::vector<std::string> opening = {"G_TITLE", "MO00", "MO01",  "MO02",
                                              "MO03",    "MO04", "OPDEMO"};
    std::string cutting;
    for (const char* name : {"MO00", "MO01", "MO02", "MO03", "MO04", "OPDEMO", "G_TITLE"}) {
        cutting += std::string("cutting ... ") + name + "\n";
    }
    const std::string partlyRead = cp932("MO02 の一部を読み込めませんでした.\n");
    const std::string mo02 = "cutting ... MO02\n";
    std::string warnedInPlace = recognised("Opening Disk") + cutting;
    warnedInPlace.insert(warnedInPlace.find(mo02) + mo02.size(), partlyRead);
    const struct {
        const char* what;
        OutputTo stdoutTo;
        const char* fifo;  // a FIFO of this name in the working directory
        std::string image;
        int status;
        std::string out;
        std::string err;
        std::vector<std::string> files;
    } cases[] = {
        {"reader gone", OutputTo::ClosedPipe, nullptr, "disk.d88", 0, "", "", opening},
        {"output full", OutputTo::Full, nullptr, "disk.d88", 1, "",
         cp932("標準出力 を書き込めません.\n"), opening},
        {"FIFO as image", OutputTo::File, "fifo.d88", "fifo.d88", 1, "", cannotOpen(), {}},
        {"FIFO as output", OutputTo::File, "MO01", "disk.d88", 1,
         recognised("Opening Disk") + cutting, cp932("MO01 を書き込めません.\n"), opening},
        // Track 10 R0 is missing, so MO02 breaks off; its warning follows its line.
        {"one log for both", OutputTo::ErrorFile, nullptr, "cut.d88", 0, "", warnedInPlace,
         opening},
    };
    d88mk::DiskBuilder cut = d88mk::setDisk(d88mk::SetDisk::OpeningDisk, 30);
    cut.dropSector(10, 0);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        d88test::ScratchDir dir;
        if (!d88test::canRedirectTo(c.stdoutTo) ||
            (c.fifo != nullptr && !d88test::makeFifo(dir.file(c.fifo)))) {
            std::cout << "[  NOTE    ] " << c.what << ": not on this system\n";
            continue;
        }
        d88mk::writeFile(dir.file("disk.d88"),
                         d88mk::setDisk(d88mk::SetDisk::OpeningDisk, 30).build());
        d88mk::writeFile(dir.file("cut.d88"), cut.build());
        std::vector<std::string> files = c.files;
        if (c.fifo != nullptr) {
            if (std::find(files.begin(), files.end(), c.fifo) == files.end()) {
                files.push_back(c.fifo);
            }
        }
        files.push_back("cut.d88");
        files.push_back("disk.d88");
        std::sort(files.begin(), files.end());
        d88test::RunOptions options;
        options.stdoutTo = c.stdoutTo;
        options.timeoutSeconds = 5;
        const d88test::ToolResult result =
            d88test::runTool(D88CUT_PATH, {c.image, "-op"}, dir.path(), options);
        EXPECT_FALSE(result.timedOut);
        EXPECT_EQ(result.exitStatus, c.status);
        EXPECT_EQ(result.out, c.out);
        EXPECT_EQ(result.err, c.err);
        EXPECT_EQ(dir.entries(), files);
    }
}

// A name from the command line in a message: as given on a console or
// terminal; in a file or pipe, on Windows (which hands the tools names as
// text), in Shift_JIS with '?' for what it cannot hold.
TEST(CommandLine, NamesInMessagesTakeTheFormOfTheTextAround) {
    using d88console::TextForm;
    const struct {
        const char* name;
        TextForm form;
        std::string onWindows;
        std::string elsewhere;
    } cases[] = {
        {"ツール", TextForm::Bytes, cp932("ツール"), "ツール"},
        {"Ω①\\x.d88", TextForm::Bytes, cp932("Ω①\\x.d88"), "Ω①\\x.d88"},
        // No look-alike: "é" is no "e".
        {"café", TextForm::Bytes, "caf?", "café"},
        {"ツール", TextForm::Console, "ツール", "ツール"},
        {"ツール", TextForm::Utf8, "ツール", "ツール"},
        {"plain", TextForm::Bytes, "plain", "plain"},
        // Bytes that are no UTF-8 are no text to Windows; elsewhere they stay.
        {"a\xFF\x83", TextForm::Bytes, "a??", "a\xFF\x83"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(d88console::nameInForm(c.name, c.form), kWindows ? c.onWindows : c.elsewhere);
    }
}

// A console window is held open at the end only when it is the program's own
// (dropped on, double-clicked): never when shared, nor with input or output
// redirected, so that scripts and pipes never wait.
TEST(CommandLine, OnlyAConsoleWindowOfItsOwnIsHeldOpen) {
    const struct {
        unsigned long processes;
        bool input;
        bool output;
        bool held;
    } cases[] = {
        {1, true, true, true},    // dropped on or double-clicked
        {2, true, true, false},   // run from cmd or PowerShell
        {3, true, true, false},   // from a batch file
        {0, true, true, false},   // no console at all
        {1, false, true, false},  // input from a file or pipe
        {1, true, false, false},  // output to a file or pipe
        {1, false, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.processes) + (c.input ? " in" : "") +
                     (c.output ? " out" : ""));
        EXPECT_EQ(d88console::ownsConsoleWindow(c.processes, c.input, c.output), c.held);
    }
    // The tests run the tool with input from NUL or /dev/null: never held.
    EXPECT_FALSE(d88console::startedInOwnConsole());
}

// Each message is Shift_JIS text that a console can be shown decoded, and
// that encodes back to the very same bytes.
TEST(CommandLine, EveryMessageIsShiftJisText) {
    for (const d88cut::messages::MessageText& message : d88cut::messages::kMessages) {
        const std::string bytes = message.cp932;
        char text[3 * d88console::kMaxShiftJisText];
        std::size_t length = 0;
        ASSERT_TRUE(
            d88console::shiftJisToUtf8(bytes.data(), bytes.size(), text, sizeof text, length))
            << message.name;
        EXPECT_EQ(cp932(std::string(text, length)), bytes) << message.name;
        EXPECT_EQ(bytes.back(), '\n') << message.name;
    }
}

// A FIFO given as an output file, whose reader is slower than the cutter,
// is waited on: it gets the whole file, and nothing fails.
TEST(CommandLine, FifoOutputWaitsForASlowReader) {
    d88test::ScratchDir dir;
    d88mk::writeFile(dir.file("disk.d88"), d88mk::setDisk(d88mk::SetDisk::OpeningDisk, 30).build());
    const d88test::ToolResult plain =
        d88test::runTool(D88CUT_PATH, {"disk.d88", "-op"}, dir.path());
    ASSERT_EQ(plain.exitStatus, 0);
    const auto size =
        static_cast<std::size_t>(std::filesystem::file_size(d88test::pathOf(dir.file("OPDEMO"))));
    ASSERT_GT(size, 4096u);  // more than the FIFO holds
    std::filesystem::remove(d88test::pathOf(dir.file("OPDEMO")));
    d88test::SlowFifoReader reader;
    if (!d88test::makeFifo(dir.file("OPDEMO")) ||
        !d88test::startSlowFifoReader(dir.file("OPDEMO"), 300, reader)) {
        std::cout << "[  NOTE    ] no FIFOs on this system\n";
        return;
    }
    d88test::RunOptions options;
    options.timeoutSeconds = 10;
    const d88test::ToolResult run =
        d88test::runTool(D88CUT_PATH, {"disk.d88", "-op"}, dir.path(), options);
    reader.thread.join();
    EXPECT_EQ(run.exitStatus, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(reader.bytes, size);
}

// At the end of a run standard output is flushed before it is checked, so
// that a failure to write what was still buffered fails the run.
TEST(CommandLine, EndOfRunFlushesStandardOutputBeforeCheckingIt) {
    std::FILE* full = std::fopen("/dev/full", "w");
    if (full == nullptr) {
        GTEST_SKIP() << "no /dev/full on this system";
    }
    d88test::ScratchDir dir;
    d88mk::writeFile(dir.file("disk.d88"), d88mk::setDisk(d88mk::SetDisk::OpeningDisk, 9).build());
    const std::filesystem::path was = std::filesystem::current_path();
    std::filesystem::current_path(d88test::pathOf(dir.path()));
    std::string program = "d88cut";
    std::string image = "disk.d88";
    std::string number = "1";
    char* argv[] = {program.data(), image.data(), number.data(), nullptr};
    // In this process standard output is not line-buffered: the lines stay
    // buffered until the end of the run.
    std::fflush(stdout);
    const int saved = dup(fileno(stdout));
    ASSERT_GE(saved, 0);
    ASSERT_GE(dup2(fileno(full), fileno(stdout)), 0);
    const int status = d88cut::runCutter(3, argv);
    std::fflush(stdout);
    dup2(saved, fileno(stdout));
    close(saved);
    std::clearerr(stdout);
    std::fclose(full);
    std::filesystem::current_path(was);
    EXPECT_EQ(status, 1);
}

// A terminal in a UTF-8 locale is shown the messages in UTF-8; one in another
// locale, like files and pipes, gets the Shift_JIS bytes.
TEST(CommandLine, MessagesOnATerminalAreShownInItsCharacterSet) {
    if (!d88test::canRedirectTo(d88test::OutputTo::Terminal)) {
        GTEST_SKIP() << "no terminal to run on (a Windows console is shown UTF-16 alike)";
    }
    d88test::ScratchDir dir;
    const Bytes opening = d88mk::setDisk(d88mk::SetDisk::OpeningDisk, 9).build();
    d88mk::writeFile(dir.file("disk.d88"), d88mk::concat({opening, d88mk::DiskBuilder().build()}));
    const std::string utf8 = "Opening Disk を認識しました.\ncutting ... MO00\n";
    const struct {
        const char* locale;
        std::string out;
    } cases[] = {{"LC_ALL=C.UTF-8", utf8}, {"LC_ALL=C", cp932(utf8)}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.locale);
        d88test::RunOptions options;
        options.stdoutTo = d88test::OutputTo::Terminal;
        options.environment = {c.locale};
        const d88test::ToolResult result =
            d88test::runTool(D88CUT_PATH, {"disk.d88", "1"}, dir.path(), options);
        EXPECT_EQ(result.exitStatus, 0);
        EXPECT_EQ(result.out, c.out);
        // Standard error is a file here: bytes as they are.
        const d88test::ToolResult unsupported =
            d88test::runTool(D88CUT_PATH, {"disk.d88"}, dir.path(), options);
        EXPECT_EQ(unsupported.err,
                  d88test::notCut({"MO01", "MO02", "MO03", "MO04"}) + cp932("未対応の形式です.\n"));
    }
}

// Shift_JIS text decodes only where it has code page 932's shape, on every
// system alike, whatever the system's decoder lets through.
TEST(CommandLine, ShiftJisDecodesOnlyTextOfItsShape) {
    const struct {
        const char* what;
        std::string text;
        bool decodes;
        std::string utf8;
    } cases[] = {
        {"ASCII and katakana", "A\xB1\xDF", true, "Aｱﾟ"},
        {"0xA0, between ASCII and katakana", "A\xA0", false, ""},
        {"lone 0x80", "\x80", false, ""},
        {"last lead byte of the first block", "\x9F\x40", true, "檗"},
        {"trail byte that would be no character alone", "\x82\xA0", true, "あ"},
        {"lead byte at the end", "A\x82", false, ""},
        {"trail byte 0x7F", "\x82\x7F", false, ""},
        {"last trail byte", "\x81\xFC", true, "◯"},
        {"trail byte past the last", "\x81\xFD", false, ""},
        {"last lead byte", "\xFC\x4B", true, "黑"},
        {"lead byte past the last", "\xFD\x40", false, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        char out[64];
        std::size_t written = 99;
        EXPECT_EQ(
            d88console::shiftJisToUtf8(c.text.data(), c.text.size(), out, sizeof out, written),
            c.decodes);
        if (c.decodes) {
            EXPECT_EQ(std::string(out, written), c.utf8);
        }
    }
}

// Text decoded for a console is written to it by a call of its own beside the
// stream (on Windows), so that what was printed on the stream before it, and
// still waits in the stream's buffer, must reach the console first: a label,
// then the name. Elsewhere it goes through the stream itself.
TEST(CommandLine, TextPrintedBeforeDecodedTextReachesTheConsoleFirst) {
    const std::string name = "ソフト";
    const std::string expected = "  name: \"" + name + "\"";
    const auto printLabelAndName = [&](std::FILE* stream, d88console::TextForm form) {
        std::setvbuf(stream, nullptr, _IOFBF, 4096);
        std::fputs("  name: \"", stream);
        EXPECT_TRUE(d88console::writeUtf8(stream, form, name.data(), name.size()));
        std::fputs("\"", stream);
        std::fflush(stream);
    };
    if (!kWindows) {
        std::FILE* file = std::tmpfile();
        ASSERT_NE(file, nullptr);
        printLabelAndName(file, d88console::TextForm::Utf8);
        std::rewind(file);
        char shown[64] = {};
        EXPECT_EQ(std::string(shown, std::fread(shown, 1, sizeof shown, file)), expected);
        std::fclose(file);
        return;
    }
    const std::string self = "CommandLine.TextPrintedBeforeDecodedTextReachesTheConsoleFirst";
    if (!d88test::onOwnConsole()) {
        EXPECT_EQ(d88test::rerunOnOwnConsole(self), expected);
        return;
    }
    d88test::ConsoleScreen screen;
    ASSERT_NE(screen.stream(), nullptr);
    ASSERT_EQ(d88console::formOf(screen.stream()), d88console::TextForm::Console);
    printLabelAndName(screen.stream(), d88console::TextForm::Console);
    d88test::reportFromOwnConsole(screen.line(0));
}

// Asking a terminal's character set looks at the user's locale and leaves
// the program's own as it found it.
TEST(CommandLine, TerminalCheckLeavesTheLocaleAsFound) {
    std::FILE* terminal = d88test::openTerminal();
    if (terminal == nullptr) {
        // Windows tells a console apart without the locale.
        std::cout << "[  NOTE    ] no terminal of this process's own on this system\n";
        return;
    }
    const std::string found = std::setlocale(LC_CTYPE, nullptr);
    for (const auto& [locale, form] : {std::pair{"C.UTF-8", d88console::TextForm::Utf8},
                                       std::pair{"C", d88console::TextForm::Bytes}}) {
        SCOPED_TRACE(locale);
        d88test::setLcAll(locale);
        EXPECT_EQ(d88console::formOf(terminal), form);
        EXPECT_EQ(std::setlocale(LC_CTYPE, nullptr), found);
    }
}

// The user's language is the first of LC_ALL, LC_MESSAGES and LANG that is
// set and not empty; Japanese when it begins with "ja".
const std::vector<std::pair<std::string, std::string>>* localeVariables = nullptr;

const char* lookUpLocaleVariable(const char* name) {
    for (const auto& [variable, value] : *localeVariables) {
        if (variable == name) {
            return value.c_str();
        }
    }
    return nullptr;
}

TEST(CommandLine, UserLanguageIsTheFirstLocaleVariableSet) {
    const struct {
        std::vector<std::pair<std::string, std::string>> variables;
        bool japanese;
    } cases[] = {
        {{}, false},
        {{{"LANG", "ja_JP.UTF-8"}}, true},
        {{{"LANG", "ja"}}, true},
        {{{"LANG", "en_US.UTF-8"}}, false},
        {{{"LANG", "C"}}, false},
        {{{"LC_ALL", "C"}, {"LANG", "ja_JP.UTF-8"}}, false},
        {{{"LC_ALL", ""}, {"LC_MESSAGES", "ja_JP.eucJP"}, {"LANG", "C"}}, true},
        {{{"LC_MESSAGES", "en_GB.UTF-8"}, {"LANG", "ja_JP.UTF-8"}}, false},
        {{{"LC_ALL", ""}, {"LC_MESSAGES", ""}, {"LANG", "ja_JP.SJIS"}}, true},
        {{{"LANG", "jv_ID"}}, false},
    };
    for (const auto& c : cases) {
        localeVariables = &c.variables;
        std::string shown;
        for (const auto& [variable, value] : c.variables) {
            shown += variable + "=" + value + " ";
        }
        EXPECT_EQ(d88console::localeNamesJapanese(lookUpLocaleVariable), c.japanese) << shown;
    }
    localeVariables = nullptr;
}

// Image names in any script open, on Windows too.
TEST(CommandLine, ImageOfAnyNameOpens) {
    const Bytes opening = d88mk::setDisk(d88mk::SetDisk::OpeningDisk, 9).build();
    for (const std::string name : {"プログラム.d88", "Ω①.d88"}) {
        SCOPED_TRACE(name);
        d88test::ScratchDir dir;
        d88mk::writeFile(dir.file(name), opening);
        const d88test::ToolResult cut = d88test::runTool(D88CUT_PATH, {name, "1"}, dir.path());
        EXPECT_EQ(cut.exitStatus, 0);
        EXPECT_EQ(cut.out, recognised("Opening Disk") + "cutting ... MO00\n");
        const d88test::ToolResult info = d88test::runTool(D88INFO_PATH, {name}, dir.path());
        EXPECT_EQ(info.exitStatus, 0);
        const std::string heading = "image: " + std::to_string(opening.size()) + " bytes, 1 disk\n";
        EXPECT_EQ(info.out.substr(0, heading.size()), heading);
    }
}

// The words of a command line as argv, null-terminated.
std::vector<char*> argvOf(std::vector<std::string>& words) {
    std::vector<char*> argv;
    for (std::string& word : words) {
        argv.push_back(word.data());
    }
    argv.push_back(nullptr);
    return argv;
}

// A window of its own cuts each image into the folder that holds it: the
// folder part of a full path, its root kept; no folder for any other path.
TEST(OwnWindow, ImageFolderIsTheFolderPartOfAFullPath) {
    using d88cut::PathRules;
    const struct {
        const char* path;
        PathRules rules;
        const char* folder;
        const char* name;
    } cases[] = {
        {"C:\\Disks\\a.d88", PathRules::Windows, "C:\\Disks", "a.d88"},
        {"C:\\a.d88", PathRules::Windows, "C:\\", "a.d88"},
        {"d:/Disks/sub/a.d88", PathRules::Windows, "d:/Disks/sub", "a.d88"},
        {"C:\\Disks/mixed\\a.d88", PathRules::Windows, "C:\\Disks/mixed", "a.d88"},
        {"D:\\ディスク\\プログラム.d88", PathRules::Windows, "D:\\ディスク", "プログラム.d88"},
        {"\\\\server\\share\\a.d88", PathRules::Windows, "\\\\server\\share\\", "a.d88"},
        {"\\\\server\\share\\dir\\a.d88", PathRules::Windows, "\\\\server\\share\\dir", "a.d88"},
        {"//server/share/a.d88", PathRules::Windows, "//server/share/", "a.d88"},
        {"\\\\?\\C:\\long\\a.d88", PathRules::Windows, "\\\\?\\C:\\long", "a.d88"},
        {"a.d88", PathRules::Windows, "", "a.d88"},
        {"C:a.d88", PathRules::Windows, "", "C:a.d88"},
        {"\\Disks\\a.d88", PathRules::Windows, "", "a.d88"},
        {"/home/u/a.d88", PathRules::Posix, "/home/u", "a.d88"},
        {"/a.d88", PathRules::Posix, "/", "a.d88"},
        {"C:\\Disks\\a.d88", PathRules::Posix, "", "C:\\Disks\\a.d88"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(d88cut::folderOfFullPath(c.path, c.rules), c.folder);
        EXPECT_EQ(d88cut::isFullPath(c.path, c.rules), *c.folder != '\0');
        EXPECT_EQ(d88cut::fileNameOf(c.path, c.rules), c.name);
    }
}

// Only what Explorer passes for files and folders dropped (after the -op of a
// shortcut) is cut as images; anything else is the command line's, with its usage.
TEST(OwnWindow, OnlyFullPathsOfExistingFilesAndFoldersAreCutAsDroppedImages) {
    using Kind = d88cut::WindowRun::Kind;
    const auto isFile = [](const char* path) {
        return std::set<std::string>{"C:\\a\\1.d88", "D:/b/2.d88", "\\\\s\\h\\3.d88", "1.d88"}
                   .count(path) != 0;
    };
    const auto isFolder = [](const char* path) {
        return std::set<std::string>{"C:\\a", "D:\\ディスク\\", "a"}.count(path) != 0;
    };
    const struct {
        std::vector<std::string> args;
        Kind kind;
        int firstImage;
    } cases[] = {
        {{"C:\\a"}, Kind::Images, 1},
        {{"C:\\a", "D:/b/2.d88", "D:\\ディスク\\"}, Kind::Images, 1},
        {{"-op", "D:\\ディスク\\"}, Kind::Images, 2},
        {{"a"}, Kind::Ordinary, 0},
        {{"C:\\a", "C:\\b"}, Kind::Ordinary, 0},
        {{}, Kind::Hint, 0},
        {{"-op"}, Kind::Hint, 0},
        {{"C:\\a\\1.d88"}, Kind::Images, 1},
        {{"C:\\a\\1.d88", "D:/b/2.d88", "\\\\s\\h\\3.d88"}, Kind::Images, 1},
        {{"-op", "C:\\a\\1.d88", "D:/b/2.d88"}, Kind::Images, 2},
        {{"C:\\a\\1.d88", "-op"}, Kind::Ordinary, 0},
        {{"C:\\a\\1.d88", "3"}, Kind::Ordinary, 0},
        {{"C:\\a\\1.d88", "C:\\a\\missing.d88"}, Kind::Ordinary, 0},
        {{"1.d88", "1.d88"}, Kind::Ordinary, 0},
        {{"--help"}, Kind::Ordinary, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.args));
        std::vector<std::string> words{"d88cut.exe"};
        words.insert(words.end(), c.args.begin(), c.args.end());
        const d88cut::WindowRun plan =
            d88cut::planWindowRun(static_cast<int>(words.size()), argvOf(words).data(),
                                  d88cut::PathRules::Windows, isFile, isFolder);
        EXPECT_EQ(plan.kind, c.kind);
        EXPECT_EQ(plan.kind == Kind::Images ? plan.firstImage : 0, c.firstImage);
        EXPECT_EQ(plan.kind == Kind::Images && plan.opFlag, c.firstImage == 2);
    }
}

d88cut::CutTally tallyOf(int disks, const std::vector<const char*>& written,
                         const std::vector<const char*>& partly = {},
                         const std::vector<const char*>& unwritten = {},
                         const std::vector<const char*>& marked = {}) {
    d88cut::CutTally tally{};
    tally.imageOpened = true;
    tally.disksRecognised = disks;
    for (const auto& [list, names] : {std::pair{&tally.written, written},
                                      {&tally.partlyRead, partly},
                                      {&tally.notWritten, unwritten},
                                      {&tally.fromMarkedRecords, marked}}) {
        for (const char* name : names) {
            list->add(name);
        }
    }
    return tally;
}

// The tally of a file in which no disk of the set was found.
d88cut::CutTally noDiskTally(d88cut::ImageNature nature, int disks = 0) {
    d88cut::CutTally tally = tallyOf(0, {});
    tally.survey.nature = nature;
    tally.survey.diskCount = disks;
    return tally;
}

// The summary says what the cut came to, from the tally alone, in Shift_JIS
// where a file takes it; the folder only when a file went there.
TEST(OwnWindow, SummarySaysWhatTheCutCameTo) {
    const std::string head = cp932("---- まとめ ----\n");
    const std::string oneDisk = cp932("セットのディスクを 1 枚認識しました.\n");
    const std::string more = cp932("d88info.exe にドロップすると, くわしい中身が分かります.\n");
    const std::string deep = "C:\\" + std::string(70, 'x') + "\\日本語\\" + std::string(90, 'y');
    d88cut::CutTally closed = tallyOf(1, {"MO00"});
    closed.imageOpened = false;
    const struct {
        d88cut::CutTally tally;
        std::string folder;
        std::string text;
    } cases[] = {
        {tallyOf(2, {"MO00", "MO01", "MO00"}), "C:\\Disks",
         head +
             cp932("セットのディスクを 2 枚認識しました.\n2 "
                   "個のファイルを次のフォルダに切り出しました:\n") +
             "  C:\\Disks\n"},
        {tallyOf(1, {}, {}, {"MO01"}), "C:\\Disks",
         head + oneDisk +
             cp932("切り出したファイルはありません.\n書き込めなかったファイル:\n  MO01\n")},
        // With no disk of the set, what the file is, and where to learn more.
        {noDiskTally(d88cut::ImageNature::D88, 3), "/d",
         head + cp932("3 枚のディスクの D88 イメージですが, セットのディスクはありません.\n") +
             more},
        {noDiskTally(d88cut::ImageNature::NotD88), "/d",
         head + cp932("このファイルは D88 イメージではありません.\n") + more},
        {noDiskTally(d88cut::ImageNature::TooShort), "/d",
         head + cp932("このファイルは D88 イメージにしては短すぎます.\n") + more},
        {noDiskTally(d88cut::ImageNature::Empty), "/d",
         head + cp932("このファイルは空です.\n") + more},
        // Files from records that are not plainly normal are listed after the
        // partly read ones.
        {tallyOf(1, {"MP04", "MP07", "MP16"}, {"MP07"}, {}, {"MP04", "MP16"}), "/d",
         head + oneDisk +
             cp932("3 個のファイルを次のフォルダに切り出しました:\n  /d\n"
                   "一部を読み込めなかったファイル (読めない所は 0 で埋めました):\n  MP07\n"
                   "正常でないセクタ (CRC エラー, 削除マークなど) から切り出したファイル:\n"
                   "  MP04 MP16\n")},
        {closed, "/d", ""},
        // A folder too long for a line is broken after a slash, else anywhere.
        {tallyOf(1, {"MV00"}), deep,
         head + oneDisk + cp932("1 個のファイルを次のフォルダに切り出しました:\n") + "  C:\\" +
             std::string(70, 'x') + "\\\n  " + (kWindows ? cp932("日本語") : "日本語") + "\\\n  " +
             std::string(77, 'y') + "\n  " + std::string(13, 'y') + "\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.folder);
        EXPECT_EQ(d88cut::summaryText(c.tally, c.folder, d88console::TextForm::Bytes), c.text);
    }
    // Every name the set's disks cut has its room in a list.
    std::set<std::string> names;
    for (const d88cut::KindCuts* cuts :
         {&d88cut::openingCuts, &d88cut::programCuts, &d88cut::demo1Cuts, &d88cut::demo2Cuts,
          &d88cut::dataDisk3Cuts, &d88cut::visualCuts}) {
        for (const d88cut::CutFile& file : d88cut::filesOf(*cuts, true)) {
            names.insert(file.name);
        }
    }
    EXPECT_LE(names.size(), static_cast<std::size_t>(d88cut::FileNames::kRoom));
}

// Every line of the hint and the summary fits an 80-column window, a
// full-width character counted as two columns.
TEST(OwnWindow, EveryLineFitsAnEightyColumnWindow) {
    for (const auto& [text, columns] : {std::pair<std::string, std::size_t>{"abc", 3},
                                        {"あｱﾟ", 4},
                                        {"Ω①é", 6},
                                        {"\xFF", 2},
                                        {"", 0}}) {
        EXPECT_EQ(d88cut::columnsOf(text), columns) << text;
    }
    using d88console::TextForm;
    using namespace d88cut::messages;
    std::vector<const char*> mp;
    const d88cut::CutFileList programFiles = d88cut::filesOf(d88cut::programCuts, false);
    for (const d88cut::CutFile& file : programFiles) {
        mp.push_back(file.name);
    }
    const std::string folder =
        "C:\\Users\\" + std::string(40, 'u') + "\\ディスク" + std::string(50, 'z') + "\\プログラム";
    std::string all = d88cut::summaryText(tallyOf(8, mp, mp, mp), folder, TextForm::Utf8);
    for (const MessageName message : {kDropHint, kUsage, kUsageOption, kOpHint, kPressAKey}) {
        all += d88cut::messageText(TextForm::Utf8, message, "d88cut.exe");
    }
    std::size_t lines = 0;
    for (std::size_t start = 0, end; (end = all.find('\n', start)) != std::string::npos;
         start = end + 1, ++lines) {
        const std::string line = all.substr(start, end - start);
        EXPECT_LE(d88cut::columnsOf(line), d88cut::kLineColumns) << line;
    }
    EXPECT_EQ(lines, 17u);
}

// The end of a run in a window of its own, run in this process from the
// folder `where`, its output in files as a file gets it: dropped on from a
// third folder, two images in two folders are each cut beside themselves,
// each with its summary, and the key is asked for once; with no file cut no
// folder is named; with no image the window says to drop one.
TEST(OwnWindow, DroppedImagesAreCutBesideThemselvesWithASummaryEach) {
    const d88test::ScratchDir a, b, c, folder, empty, logs;
    // Tracks 8 and 9 only: MO02 breaks off, MO03 and MO04 are not there; a
    // folder of MO01's name keeps it from being written.
    d88mk::writeFile(a.file("one.d88"), d88mk::setDisk(d88mk::SetDisk::OpeningDisk, 10).build());
    std::filesystem::create_directory(d88test::pathOf(a.file("MO01")));
    d88mk::writeFile(b.file("two.d88"), d88mk::DiskBuilder().fillTrack(0, 1, 16, 1).build());
    d88mk::writeFile(c.file("data.d88"), d88mk::setDisk(d88mk::SetDisk::DataDisk1, 2).build());
    // A folder dropped stands for its images: those directly in it, named
    // .d88 in any case, in the order a person reads their names.
    const Bytes data = d88mk::setDisk(d88mk::SetDisk::DataDisk1, 2).build();
    for (const char* name : {"disk10.d88", "disk9.D88", "日本語.d88", "disk9.txt"}) {
        d88mk::writeFile(folder.file(name), data);
    }
    std::filesystem::create_directory(d88test::pathOf(folder.file("sub.d88")));
    d88mk::writeFile(folder.file("sub.d88/inner.d88"), data);
    const std::string head = cp932("---- まとめ ----\n");
    const std::string key = cp932("何かキーを押すとウィンドウを閉じます.\n");
    const std::string dataDisk = recognised("Data Disk 1") +
                                 cp932("このディスクには切り出すデータはありません.\n") + head +
                                 cp932(
                                     "セットのディスクを 1 枚認識しました.\n切り出したファイル"
                                     "はありません.\n");
    const std::string japanese = kWindows ? cp932("日本語.d88") : "日本語.d88";
    // A folder is named as it was dropped.
    const std::string emptyFolder = empty.path();
    const struct {
        std::vector<std::string> args;
        std::string out;
        std::string err;
        int status;
    } cases[] = {
        {{a.file("one.d88"), b.file("two.d88")},
         "==== one.d88 ====\n" + recognised("Opening Disk") +
             "cutting ... MO00\ncutting ... MO01\ncutting ... MO02\n" + head +
             cp932("セットのディスクを 1 枚認識しました.\n2 "
                   "個のファイルを次のフォルダに切り出しました:\n") +
             "  " + std::filesystem::path(a.path()).make_preferred().u8string() + "\n" +
             cp932("一部を読み込めなかったファイル (読めない所は 0 で埋めました):\n  MO02\n"
                   "最初のセクタがイメージになく, 切り出せなかったファイル:\n  MO03 MO04\n"
                   "書き込めなかったファイル:\n  MO01\n") +
             "\n==== two.d88 ====\n" + head +
             cp932("1 枚のディスクの D88 イメージですが, セットのディスクはありません.\n"
                   "d88info.exe にドロップすると, くわしい中身が分かります.\n\n"
                   "次のイメージの Opening Disk は OPDEMO と G_TITLE なしで切り出しました:\n"
                   "  one.d88\n"
                   "OPDEMO と G_TITLE は, コンソールで d88cut.exe image.d88 -op と実行するか,\n"
                   "リンク先の末尾に -op を付けたショートカットへドロップすると切り出せます.\n") +
             key,
         cp932("MO01 を書き込めません.\nMO02 の一部を読み込めませんでした.\n未対応の形式です.\n"),
         1},
        {{c.file("data.d88")}, dataDisk + key, "", 0},
        {{folder.path(), empty.path(), c.file("data.d88")},
         "==== disk9.D88 ====\n" + dataDisk + "\n==== disk10.d88 ====\n" + dataDisk +
             "\n==== " + japanese + " ====\n" + dataDisk + "\n" +
             cp932("フォルダ " + emptyFolder + " には .d88 ファイルがありません.\n") +
             "\n==== data.d88 ====\n" + dataDisk + key,
         "",
         0},
        {{},
         cp932("d88cut.exe に .d88 イメージを (1 つでも複数でも) ドロップしてください.\n") + key,
         fullUsage("d88cut.exe"),
         1},
    };
    for (const auto& run : cases) {
        SCOPED_TRACE(testing::PrintToString(run.args));
        std::vector<std::string> words{kWindows ? "C:\\Tools\\d88cut.exe" : "/opt/d88cut.exe"};
        words.insert(words.end(), run.args.begin(), run.args.end());
        const std::filesystem::path was = std::filesystem::current_path();
        std::filesystem::current_path(d88test::pathOf(c.path()));
        std::fflush(stdout);
        std::fflush(stderr);
        const int saved[] = {dup(1), dup(2)};
        for (const int fd : {1, 2}) {
            const std::string log = logs.file(std::to_string(fd));
            const int to = ::open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            dup2(to, fd);
            close(to);
        }
        const int status =
            d88cut::runInOwnWindow(static_cast<int>(words.size()), argvOf(words).data());
        std::fflush(stdout);
        std::fflush(stderr);
        for (const int fd : {1, 2}) {
            dup2(saved[fd - 1], fd);
            close(saved[fd - 1]);
        }
        std::filesystem::current_path(was);
        const Bytes out = d88mk::readFile(logs.file("1"));
        const Bytes err = d88mk::readFile(logs.file("2"));
        EXPECT_EQ(d88test::fromTextMode(std::string(out.begin(), out.end())), run.out);
        EXPECT_EQ(d88test::fromTextMode(std::string(err.begin(), err.end())), run.err);
        EXPECT_EQ(status, run.status);
    }
    // The last image stays open until the next or the end of the process; a
    // file open on Windows cannot be removed with its folder.
    d88cut::runState.image.open(nullptr);
    EXPECT_EQ(a.entries(), (std::vector<std::string>{"MO00", "MO01", "MO02", "one.d88"}));
    EXPECT_TRUE(std::filesystem::is_directory(d88test::pathOf(a.file("MO01"))));
    EXPECT_EQ(b.entries(), (std::vector<std::string>{"two.d88"}));
    EXPECT_EQ(c.entries(), (std::vector<std::string>{"data.d88"}));
    EXPECT_EQ(folder.entries().size(), 5u);
}

}  // namespace
