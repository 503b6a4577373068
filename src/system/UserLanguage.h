// The language the user reads: whether the tools speak Japanese to them by
// default, where no --lang says otherwise.
#pragma once

namespace d88console {

// On POSIX systems the first of LC_ALL, LC_MESSAGES and LANG that is set and
// not empty names the user's language; it is Japanese when that value begins
// with "ja". `lookUp` gives a variable's value, or null when it is not set.
bool localeNamesJapanese(const char* (*lookUp)(const char* variable));

// Whether the user's language is Japanese: on Windows the user's interface
// language, elsewhere the locale's variables in the environment.
bool userReadsJapanese();

}  // namespace d88console
