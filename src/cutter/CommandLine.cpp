#include "CommandLine.h"

#include <cstring>

#include "Messages.h"
#include "Output.h"
#include "diskset/DiskKind.h"
#include "system/ConsoleText.h"

namespace d88cut {

namespace {

constexpr char kDefaultProgramName[] = "d88cut";
constexpr char kOpOption[] = "-op";

// The name the tool was run as. Linux hands a program started with no
// arguments at all an empty name, so an empty name counts as none.
const char* programName(int argc, char** argv) {
    if (argc < 1 || argv == nullptr || argv[0] == nullptr || argv[0][0] == '\0') {
        return kDefaultProgramName;
    }
    return argv[0];
}

// What a lone argument asks for: help, the version, or else a cut of the
// image of that name.
Request requestOf(const char* arg) {
    if (std::strcmp(arg, "-h") == 0 || std::strcmp(arg, "--help") == 0 ||
        d88console::isSystemHelpSwitch(arg)) {
        return Request::Help;
    }
    return std::strcmp(arg, "--version") == 0 ? Request::Version : Request::Cut;
}

}  // namespace

bool parseArguments(int argc, char** argv, Arguments& args) {
    if (argc != 2 && argc != 3) {
        printErr(messages::kUsage, errName(programName(argc, argv)).c_str());
        printErr(messages::kUsageOption);
        return false;
    }
    args = Arguments{};
    args.imagePath = argv[1];
    if (argc == 2) {
        args.request = requestOf(argv[1]);
        return true;
    }
    const char* option = argv[2];
    if (std::strcmp(option, kOpOption) == 0) {
        args.opFlag = true;
        return true;
    }
    const int diskNo = diskNumberOf(option);
    if (diskNo == 0) {
        printErr(messages::kUsageDiskNo, errName(programName(argc, argv)).c_str());
        return false;
    }
    args.diskNo = diskNo;
    return true;
}

void printHelp(int argc, char** argv) {
    printOut(messages::kUsage, outName(programName(argc, argv)).c_str());
    printOut(messages::kUsageOption);
    printOut(messages::kHelp);
    printOut(messages::kHelpDiskNumbers);
}

}  // namespace d88cut
