#include "Output.h"

#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "system/ConsoleText.h"

namespace d88cut {

namespace {

using d88console::TextForm;

TextForm outputForm = TextForm::Bytes;
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
    outputForm = d88console::formOf(stdout);
    errForm = d88console::formOf(stderr);
}

void printOut(messages::Message message, ...) {
    std::va_list args;
    va_start(args, message);
    errno = 0;
    print(stdout, outputForm, message, args);
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
    return d88console::nameInForm(name, outputForm);
}

std::string errName(const char* name) {
    return d88console::nameInForm(name, errForm);
}

TextForm outForm() {
    return outputForm;
}

std::string messageText(TextForm form, messages::Message message, ...) {
    const char* format = form == TextForm::Bytes ? nullptr : utf8Format(message);
    if (format == nullptr) {
        format = messages::bytesOf(message);
    }
    std::va_list args;
    va_start(args, message);
    char text[1024];
    const int length = std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    if (length <= 0) {
        return {};
    }
    return std::string(text, static_cast<std::size_t>(length) < sizeof text
                                 ? static_cast<std::size_t>(length)
                                 : sizeof text - 1);
}

void writeOut(const std::string& text) {
    errno = 0;
    if (outputForm == TextForm::Bytes) {
        std::fwrite(text.data(), 1, text.size(), stdout);
    } else if (!text.empty() &&
               !d88console::writeUtf8(stdout, outputForm, text.data(), text.size()) &&
               standardOutputState == OutputState::Written) {
        standardOutputState = OutputState::Failed;
    }
    noteStandardOutputError();
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
