// The command line as a user meets it: argument checks, the open failure and
// images without a whole disk, run on the built tool in a scratch directory.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "ImageBuilder.h"
#include "ToolRun.h"
#include "cutter/Cutter.h"

namespace {

using d88test::Bytes;
using d88test::cp932;

std::string fullUsage(const std::string& program) {
    return "Usage: " + program + " [d88file] [DiskNo.] [-op]\n" +
           cp932("       -op : オープニングのプログラムとタイトルグラフィックを切り出す\n");
}

std::string diskNoUsage(const std::string& program) {
    return "Usage: " + program + " [d88file] (DiskNo.)\n";
}

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
        d88test::DiskBuilder().addSector(1, 1, 1, d88test::bytesWithSum(30971)).build();
    const std::string image = dir.file("disk.d88");
    switch (setup) {
        case Prepared::None:
            break;
        case Prepared::Empty:
            d88test::writeFile(image, {});
            break;
        case Prepared::Short:
            d88test::writeFile(image, Bytes(opening.begin(), opening.begin() + 687));
            break;
        case Prepared::Directory:
            std::filesystem::create_directory(image);
            break;
        case Prepared::Blank:
            d88test::writeFile(image, d88test::DiskBuilder().fillTrack(0, 1, 16, 1).build());
            break;
        case Prepared::Opening:
            d88test::writeFile(image, opening);
            break;
        case Prepared::OpFile:
            d88test::writeFile(dir.file("-op"), {});
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
    std::vector<CliCase> cases = {{P::Opening, {}, 1, fullUsage(tool)},
                                  {P::Opening, {img, "1", "-op"}, 1, fullUsage(tool)},
                                  {P::Opening, {img, "2", "3", "4"}, 1, fullUsage(tool)},
                                  {P::None, {}, 1, fullUsage("a%sb%n"), "", "a%sb%n"},
                                  {P::Opening, {img, "0"}, 1, diskNoUsage("a%sb%n"), "", "a%sb%n"},
                                  {P::Blank, {img, "12"}, 0, "", recognised("Opening Disk")},
                                  {P::Blank, {img, "8x"}, 0, "", recognised("Demo Disk 2")},
                                  {P::Opening, {img, "-op"}, 0, "", recognised("Opening Disk")},
                                  {P::None, {img}, 1, cannotOpen()},
                                  {P::None, {img, "-op"}, 1, cannotOpen()},
                                  {P::Directory, {img}, 1, cannotOpen()},
                                  {P::None, {img, "x"}, 1, diskNoUsage(tool)},
                                  // "-op" alone is the image path.
                                  {P::None, {"-op"}, 1, cannotOpen()},
                                  {P::OpFile, {"-op"}, 0, ""}};
    // Not "-op" and no digit 1-8 first; the last begins with a double-byte "1".
    for (const std::string& bad :
         std::vector<std::string>{"0", "9", "x", "", "-OP", "--op", "-op ", "-o", cp932("１")}) {
        cases.push_back({P::Opening, {img, bad}, 1, diskNoUsage(tool)});
    }
    // No whole disk header: the file opens and no disk is processed.
    for (P setup : {P::Empty, P::Short}) {
        cases.push_back({setup, {img}, 0, ""});
        cases.push_back({setup, {img, "3"}, 0, ""});
        cases.push_back({setup, {img, "-op"}, 0, ""});
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
        const d88test::ToolResult result = d88test::runTool(tool, c.args, dir.path(), c.argv0);
        EXPECT_EQ(result.exitStatus, c.status);
        EXPECT_EQ(result.out, c.out);
        EXPECT_EQ(result.err, c.err);
        // No run here reaches a file to cut: the directory is left as it was.
        EXPECT_EQ(dir.entries(), before);
    }
}

// An argument vector without even the program's name.
TEST(CommandLine, NoProgramNameShowsD88cut) {
    d88test::ScratchDir dir;
    const std::string errPath = dir.file("stderr");
    char* argv[] = {nullptr};

    std::fflush(stderr);
    const int savedErr = dup(2);
    const int captureFd = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    ASSERT_GE(savedErr, 0);
    ASSERT_GE(captureFd, 0);
    dup2(captureFd, 2);
    close(captureFd);
    const int status = d88cut::runCutter(0, argv);
    std::fflush(stderr);
    dup2(savedErr, 2);
    close(savedErr);

    EXPECT_EQ(status, 1);
    const Bytes err = d88test::readFile(errPath);
    EXPECT_EQ(std::string(err.begin(), err.end()), fullUsage("d88cut"));
}

}  // namespace
