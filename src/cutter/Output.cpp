#include "Output.h"

#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "system/ConsoleText.h"

namespace d88cut {

namespace {

using d88console::TextForm;

TextForm outForm = TextForm::Bytes;
TextForm errForm = TextForm::Bytes;

// How printing to standard output first failed, if it has.
enum class OutputState { Written, ReaderGone, Failed };
OutputState standardOutputState = OutputState::Written;

// Called right after each print to standard output, while the cause of a
// failure is still known.
void noteStandardOutputError() {
    if (standardOutputState == OutputState::Written && std::ferror(stdout)) {
        standardOutputState =
            d88console::readerWentAway(errno) ? OutputState::ReaderGone : OutputState::Failed;
    }
}

// The message as UTF-8 text, decoded from its Shift_JIS bytes; null when it
// cannot be (the system has no Shift_JIS decoder).
const char* utf8Format(messages::Message message) {
    static char format[3 * d88console::kMaxShiftJisText + 1];
    const char* bytes = messages::bytesOf(message);
    std::size_t written = 0;
    if (!d88console::shiftJisToUtf8(bytes, std::strlen(bytes), format, sizeof format - 1,
                                    written)) {
        return nullptr;
    }
    format[written] = '\0';
    return format;
}

void print(std::FILE* stream, TextForm form, messages::Message message, std::va_list args) {
    const char* format = form == TextForm::Bytes ? nullptr : utf8Format(message);
    if (format == nullptr) {
        std::vfprintf(stream, messages::bytesOf(message), args);
        return;
    }
    // Shown on a console only: a longer line is cut short.
    static char text[8192];
    const int length = std::vsnprintf(text, sizeof text, format, args);
    if (length > 0) {
        const std::size_t shown = static_cast<std::size_t>(length) < sizeof text
                                      ? static_cast<std::size_t>(length)
                                      : sizeof text - 1;
        if (!d88console::writeUtf8(stream, form, text, shown) && stream == stdout &&
            standardOutputState == OutputState::Written) {
            standardOutputState = OutputState::Failed;
        }
    }
}

}  // namespace

void prepareStandardStreams() {
    d88console::ignoreReadersGoingAway();
    d88console::flushStandardOutputByLine();
    outForm = d88console::formOf(stdout);
    errForm = d88console::formOf(stderr);
}

void printOut(messages::Message message, ...) {
    std::va_list args;
    va_start(args, message);
    errno = 0;
    print(stdout, outForm, message, args);
    va_end(args);
    noteStandardOutputError();
}

void printErr(messages::Message message, ...) {
    std::va_list args;
    va_start(args, message);
    print(stderr, errForm, message, args);
    va_end(args);
}

std::string outName(const char* name) {
    return d88console::nameInForm(name, outForm);
}

std::string errName(const char* name) {
    return d88console::nameInForm(name, errForm);
}

bool finishStandardOutput() {
    errno = 0;
    std::fflush(stdout);
    noteStandardOutputError();
    const OutputState state = standardOutputState;
    standardOutputState = OutputState::Written;
    std::clearerr(stdout);
    return state != OutputState::Failed;
}

}  // namespace d88cut
