// Text as a JSON string, for the JSON documents the tools write.
#pragma once

#include <string>

namespace d88info {

// `text` as a JSON string in quotes: '"' and '\\' escaped, control characters
// as \u00XX, and each byte that starts no UTF-8 sequence as U+FFFD, so that
// the document is valid UTF-8 whatever the text holds.
std::string jsonString(const std::string& text);

}  // namespace d88info
