// A disk's name as the output shows it: plain ASCII with every other byte as
// \xNN, or, where the output can show it or --utf8 asks, a name that is
// Shift_JIS text decoded.
#pragma once

#include <cstdio>
#include <string>

#include "system/ConsoleText.h"

namespace d88info {

// How the names of one run are written.
struct NameForm {
    bool decode = false;  // names that are Shift_JIS text are decoded
    d88console::TextForm text = d88console::TextForm::Bytes;  // how decoded text is written
};

// Decoded on a terminal or console that shows any text, and in UTF-8 on any
// other output when `utf8` (--utf8) is set; else escaped.
NameForm nameFormFor(std::FILE* out, bool utf8);

// Writes the name: each byte outside printable ASCII, and '"' and '\', as
// \xNN; when `form` decodes and the name is Shift_JIS text, its characters
// outside ASCII as they are, with the ASCII ones escaped as above.
void printName(std::FILE* out, const NameForm& form, const char* name);

// The name as printName() writes it, as UTF-8 text: decoded when `form`
// decodes and it is Shift_JIS text, else escaped to plain ASCII.
std::string nameText(const NameForm& form, const char* name);

// The name as printName() writes it decoded, as UTF-8 text: Shift_JIS text
// decoded, any other name escaped to plain ASCII.
std::string nameAsUtf8(const char* name);

// The name decoded from Shift_JIS into `utf8`, nothing escaped; false, with
// `utf8` as it was, when the name is no Shift_JIS text.
bool decodeName(const char* name, std::string& utf8);

}  // namespace d88info
