// Terminals on POSIX systems, the browser's included: text in the user's
// locale, names as the bytes given, and no console window of the program's own.
#include <dirent.h>
#include <langinfo.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <clocale>
#include <csignal>
#include <cstring>
#include <vector>

#include "ConsoleText.h"

namespace d88console {

namespace {

bool localeIsUtf8() {
    // Asked of the user's locale, then the program goes back to the C locale.
    const char* previous = std::setlocale(LC_CTYPE, "");
    const bool utf8 = previous != nullptr && std::strcmp(nl_langinfo(CODESET), "UTF-8") == 0;
    std::setlocale(LC_CTYPE, "C");
    return utf8;
}

}  // namespace

TextForm formOf(std::FILE* stream) {
    return isatty(fileno(stream)) && localeIsUtf8() ? TextForm::Utf8 : TextForm::Bytes;
}

std::string nameInForm(const char* name, TextForm) {
    return name;
}

bool isSystemHelpSwitch(const char*) {
    return false;
}

bool startedInOwnConsole() {
    return false;
}

void waitForKey() {}

std::string currentFolder() {
    std::vector<char> folder(PATH_MAX + 1);
    return getcwd(folder.data(), folder.size()) != nullptr ? std::string(folder.data())
                                                           : std::string();
}

bool changeFolder(const std::string& folder) {
    return chdir(folder.c_str()) == 0;
}

bool isFolder(const std::string& path) {
    struct stat facts {};
    return stat(path.c_str(), &facts) == 0 && S_ISDIR(facts.st_mode);
}

bool filesInFolder(const std::string& folder, std::vector<std::string>& names) {
    DIR* dir = opendir(folder.c_str());
    if (dir == nullptr) {
        return false;
    }
    while (const dirent* entry = readdir(dir)) {
        const std::string path = folder + "/" + entry->d_name;
        struct stat facts {};
        if (stat(path.c_str(), &facts) == 0 && S_ISREG(facts.st_mode)) {
            names.emplace_back(entry->d_name);
        }
    }
    closedir(dir);
    return true;
}

bool writeUtf8(std::FILE* stream, TextForm, const char* text, std::size_t length) {
    return std::fwrite(text, 1, length, stream) == length;
}

void ignoreReadersGoingAway() {
    std::signal(SIGPIPE, SIG_IGN);
}

bool readerWentAway(int error) {
    return error == EPIPE;
}

void flushStandardOutputByLine() {
    std::setvbuf(stdout, nullptr, _IOLBF, BUFSIZ);
}

}  // namespace d88console
