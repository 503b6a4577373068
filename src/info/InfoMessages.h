// What d88info says on the command line in English or Japanese: the usage,
// the help, the error messages, and the words of its own window. The -v
// listing and --json are in English whatever the language.
#pragma once

#include <cstdio>

#include "Language.h"

namespace d88info {

enum class InfoMessage {
    LangNeedsValue,
    LangWantsValue,  // %s: what was given
    GoesWithFiles,   // %s: the option
    FilesDrops,      // %s: the option --files takes no part in
    OpOrNumber,
    XNeedsValue,
    XWantsValue,       // %s: what was given
    UnknownOption,     // %s
    MoreThanOneImage,  // %s: the first image too many
    AfterTheImage,     // %s: what came after it
    NoImage,
    SvgDumpsNothing,
    CannotOpen,  // %s: the path, %s: why
    NoSuchFile,
    PermissionDenied,
    NotRegularFile,
    SystemCannotOpen,
    CannotWriteOutput,
    WindowHint,  // %s: the program's file name
    PressAKey,
};

// The message's pattern, one line with its line feed where it is a line.
const char* messageText(Language language, InfoMessage message);

// The usage lines, and the help that -h prints after them.
const char* usageText(Language language);
const char* helpText(Language language);

// The language d88info speaks when no --lang says: Japanese where the user
// reads Japanese, English elsewhere; in the browser, where the page always
// says its language, English.
Language defaultLanguage();

}  // namespace d88info
