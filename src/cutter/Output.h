// Where d88cut's messages go: progress on standard output, problems on
// standard error, each message one formatted print, in the form of text that
// each stream takes (see d88console::TextForm).
#pragma once

#include <string>

#include "Messages.h"
#include "system/ConsoleText.h"

namespace d88cut {

// Once, before anything is printed: decides each stream's form of text;
// makes standard output line-buffered, so that a log taking both streams
// holds the lines in the order they happened; and keeps a reader that stops
// reading from ending the run (see d88console::ignoreReadersGoingAway).
// Without it, both streams get the Shift_JIS bytes.
void prepareStandardStreams();

// printf of `message` to standard output and standard error.
void printOut(messages::Message message, ...);
void printErr(messages::Message message, ...);

// A path or program name as a message on standard output or standard error
// shows it: as the user wrote it on a console or terminal, and in a file or
// pipe in the Shift_JIS of the text around it (see d88console::nameInForm).
std::string outName(const char* name);
std::string errName(const char* name);

// The form of text that standard output takes.
d88console::TextForm outForm();

// sprintf of `message` as text in `form`: its Shift_JIS bytes for Bytes, else
// UTF-8 (see print); a text of more than 1,023 bytes is cut short.
std::string messageText(d88console::TextForm form, messages::Message message, ...);

// Writes `text`, made in outForm(), to standard output.
void writeOut(const std::string& text);

// Flushes standard output at the end of a run. False when something printed
// there could not be written, unless only because its reader went away.
bool finishStandardOutput();

}  // namespace d88cut
