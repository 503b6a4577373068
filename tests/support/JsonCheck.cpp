#include "JsonCheck.h"

#include <cstdlib>

namespace d88test {

namespace {

class Parser {
  public:
    explicit Parser(const std::string& text) : text(text) {}

    bool document(JsonValue& value) {
        if (!parseValue(value, 0)) {
            return false;
        }
        skipSpace();
        return at == text.size() || fail("text after the document");
    }
    std::string error;

  private:
    static constexpr int kMaxDepth = 64;

    bool fail(const std::string& what) {
        if (error.empty()) {
            error = what + " at byte " + std::to_string(at);
        }
        return false;
    }
    void skipSpace() {
        while (at < text.size() &&
               (text[at] == ' ' || text[at] == '\t' || text[at] == '\n' || text[at] == '\r')) {
            ++at;
        }
    }
    bool take(char c) {
        skipSpace();
        if (at < text.size() && text[at] == c) {
            ++at;
            return true;
        }
        return false;
    }
    bool word(const char* w) {
        const std::string expected(w);
        if (text.compare(at, expected.size(), expected) != 0) {
            return fail("unknown word");
        }
        at += expected.size();
        return true;
    }

    bool parseValue(JsonValue& value, int depth) {
        if (depth > kMaxDepth) {
            return fail("nesting too deep");
        }
        skipSpace();
        if (at >= text.size()) {
            return fail("no value");
        }
        switch (text[at]) {
            case '{':
                return parseObject(value, depth);
            case '[':
                return parseArray(value, depth);
            case '"':
                value.type = JsonValue::Type::String;
                return parseString(value.text);
            case 't':
                value.type = JsonValue::Type::Bool;
                value.boolean = true;
                return word("true");
            case 'f':
                value.type = JsonValue::Type::Bool;
                return word("false");
            case 'n':
                value.type = JsonValue::Type::Null;
                return word("null");
            default:
                return parseNumber(value);
        }
    }

    bool parseObject(JsonValue& value, int depth) {
        value.type = JsonValue::Type::Object;
        ++at;
        if (take('}')) {
            return true;
        }
        do {
            std::string key;
            JsonValue member;
            skipSpace();
            if (at >= text.size() || text[at] != '"' || !parseString(key)) {
                return fail("no member name");
            }
            if (!take(':')) {
                return fail("no ':'");
            }
            if (!parseValue(member, depth + 1)) {
                return false;
            }
            value.members.emplace_back(std::move(key), std::move(member));
        } while (take(','));
        return take('}') || fail("no '}'");
    }

    bool parseArray(JsonValue& value, int depth) {
        value.type = JsonValue::Type::Array;
        ++at;
        if (take(']')) {
            return true;
        }
        do {
            value.items.emplace_back();
            if (!parseValue(value.items.back(), depth + 1)) {
                return false;
            }
        } while (take(','));
        return take(']') || fail("no ']'");
    }

    bool parseNumber(JsonValue& value) {
        const std::size_t start = at;
        const auto digits = [&]() {
            const std::size_t from = at;
            while (at < text.size() && text[at] >= '0' && text[at] <= '9') {
                ++at;
            }
            return at > from;
        };
        if (at < text.size() && text[at] == '-') {
            ++at;
        }
        if (at < text.size() && text[at] == '0') {
            ++at;
        } else if (!digits()) {
            return fail("no value");
        }
        if (at < text.size() && text[at] == '.' && (++at, !digits())) {
            return fail("no digits after '.'");
        }
        if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
            ++at;
            if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
                ++at;
            }
            if (!digits()) {
                return fail("no exponent");
            }
        }
        value.type = JsonValue::Type::Number;
        value.number = std::strtod(text.substr(start, at - start).c_str(), nullptr);
        return true;
    }

    // One UTF-8 character at `at`, checked and copied.
    bool utf8Character(std::string& out) {
        const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
        const unsigned char lead = byte(at);
        std::size_t length = lead < 0x80                    ? 1
                             : lead >= 0xC2 && lead <= 0xDF ? 2
                             : lead >= 0xE0 && lead <= 0xEF ? 3
                             : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                            : 0;
        if (length == 0 || text.size() - at < length) {
            return fail("not UTF-8");
        }
        unsigned code = lead & (0xFFu >> (length + 1));
        for (std::size_t k = 1; k < length; ++k) {
            if ((byte(at + k) & 0xC0u) != 0x80u) {
                return fail("not UTF-8");
            }
            code = (code << 6) | (byte(at + k) & 0x3Fu);
        }
        const unsigned smallest[] = {0, 0, 0x80, 0x800, 0x10000};
        if (code < smallest[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
            return fail("not UTF-8");
        }
        out.append(text, at, length);
        at += length;
        return true;
    }

    bool parseString(std::string& out) {
        ++at;
        while (at < text.size() && text[at] != '"') {
            const auto c = static_cast<unsigned char>(text[at]);
            if (c < 0x20) {
                return fail("unescaped control character");
            }
            if (c != '\\') {
                if (!utf8Character(out)) {
                    return false;
                }
                continue;
            }
            if (++at >= text.size()) {
                return fail("string not ended");
            }
            const char escape = text[at++];
            const std::string simple = "\"\\/bfnrt";
            const std::string meant = "\"\\/\b\f\n\r\t";
            if (simple.find(escape) != std::string::npos) {
                out += meant[simple.find(escape)];
            } else if (escape == 'u' && at + 4 <= text.size()) {
                const unsigned code =
                    static_cast<unsigned>(std::strtoul(text.substr(at, 4).c_str(), nullptr, 16));
                at += 4;
                // Enough for the escapes d88info writes: control characters.
                if (code >= 0x80) {
                    return fail("\\u escape of a character outside ASCII");
                }
                out += static_cast<char>(code);
            } else {
                return fail("unknown escape");
            }
        }
        if (at >= text.size()) {
            return fail("string not ended");
        }
        ++at;
        return true;
    }

    const std::string& text;
    std::size_t at = 0;
};

}  // namespace

const JsonValue& JsonValue::operator[](const std::string& key) const {
    static const JsonValue none;
    for (const auto& [name, value] : members) {
        if (name == key) {
            return value;
        }
    }
    return none;
}

bool parseJson(const std::string& document, JsonValue& value, std::string& error) {
    Parser parser(document);
    value = JsonValue{};
    const bool parsed = parser.document(value);
    error = parser.error;
    return parsed;
}

}  // namespace d88test
