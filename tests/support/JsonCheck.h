// Reading d88info's JSON back: a small strict parser (RFC 8259: valid UTF-8,
// control characters escaped, nothing after the document) that gives the
// document as a tree.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace d88test {

struct JsonValue {
    enum class Type { Null, Bool, Number, String, Array, Object };
    Type type = Type::Null;
    bool boolean = false;
    double number = 0;
    std::string text;  // a string's characters, as UTF-8
    std::vector<JsonValue> items;
    std::vector<std::pair<std::string, JsonValue>> members;  // in document order

    bool isNull() const { return type == Type::Null; }
    // The member `key` of an object, or a null value when there is none.
    const JsonValue& operator[](const std::string& key) const;
    long long integer() const { return static_cast<long long>(number); }
};

// Parses the whole of `document` into `value`; false, with what is wrong and
// where in `error`, when it is not one JSON value.
bool parseJson(const std::string& document, JsonValue& value, std::string& error);

}  // namespace d88test
