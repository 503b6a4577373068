// Where d88cut's messages go: progress on standard output, problems on
// standard error, each message one formatted print.
#pragma once

namespace d88cut {

// Once, before anything is printed: standard output is line-buffered so that
// a log taking both streams holds the lines in the order they happened, and
// a reader that stops reading no longer ends the run (SIGPIPE is ignored).
void prepareStandardStreams();

#if defined(__GNUC__)
#define D88CUT_PRINTF_LIKE __attribute__((format(printf, 1, 2)))
#else
#define D88CUT_PRINTF_LIKE
#endif

// printf to standard output and standard error.
void printOut(const char* format, ...) D88CUT_PRINTF_LIKE;
void printErr(const char* format, ...) D88CUT_PRINTF_LIKE;

// Flushes standard output at the end of a run. False when something printed
// there could not be written, unless only because its reader went away.
bool finishStandardOutput();

}  // namespace d88cut
