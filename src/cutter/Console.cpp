#include "Console.h"

#include <cerrno>
#include <csignal>
#include <cstdarg>
#include <cstdio>

namespace d88cut {

namespace {

// The error of the first print to standard output that failed, 0 while none has.
int standardOutputError = 0;

void noteStandardOutputError() {
    if (standardOutputError == 0 && std::ferror(stdout)) {
        standardOutputError = errno != 0 ? errno : EIO;
    }
}

}  // namespace

void prepareStandardStreams() {
#ifdef SIGPIPE
    std::signal(SIGPIPE, SIG_IGN);
#endif
    std::setvbuf(stdout, nullptr, _IOLBF, BUFSIZ);
}

void printOut(const char* format, ...) {
    std::va_list args;
    va_start(args, format);
    errno = 0;
    std::vfprintf(stdout, format, args);
    va_end(args);
    noteStandardOutputError();
}

void printErr(const char* format, ...) {
    std::va_list args;
    va_start(args, format);
    std::vfprintf(stderr, format, args);
    va_end(args);
}

bool finishStandardOutput() {
    errno = 0;
    std::fflush(stdout);
    noteStandardOutputError();
    const int error = standardOutputError;
    standardOutputError = 0;
    std::clearerr(stdout);
    return error == 0 || error == EPIPE;
}

}  // namespace d88cut
