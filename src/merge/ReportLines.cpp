#include "ReportLines.h"

#include "system/ConsoleText.h"

namespace d88merge {

namespace {

// Bytes of the UTF-8 character whose first byte is `lead`.
std::size_t characterLength(unsigned char lead) {
    return lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
}

const std::string kJapaneseComma = "、";

void breakLine(const std::string& line, std::size_t columns, std::vector<std::string>& fitted) {
    const std::size_t indent = line.find_first_not_of(' ');
    const std::string more(indent == std::string::npos ? 4 : indent + 4, ' ');
    std::string piece;
    std::size_t pieceColumns = 0;
    std::size_t breakAt = 0;  // bytes of `piece` up to its last break; 0: none
    for (std::size_t at = 0; at < line.size();) {
        const std::size_t length =
            std::min(characterLength(static_cast<unsigned char>(line[at])), line.size() - at);
        const std::string character = line.substr(at, length);
        const std::size_t width = d88console::columnsOf(character);
        if (pieceColumns + width > columns && piece.size() > more.size()) {
            const std::size_t cut = breakAt > more.size() ? breakAt : piece.size();
            fitted.push_back(piece.substr(0, cut));
            piece = more + piece.substr(cut);
            pieceColumns = d88console::columnsOf(piece);
            breakAt = 0;
        }
        if (!(character == " " && piece == more)) {
            piece += character;
            pieceColumns += width;
        }
        if (character == " " || character == kJapaneseComma) {
            breakAt = piece.size();
        }
        at += length;
    }
    fitted.push_back(piece);
}

}  // namespace

std::vector<std::string> fitLines(const std::vector<std::string>& lines, std::size_t columns) {
    if (columns == 0) {
        return lines;
    }
    std::vector<std::string> fitted;
    for (const std::string& line : lines) {
        if (d88console::columnsOf(line) <= columns) {
            fitted.push_back(line);
        } else {
            breakLine(line, columns, fitted);
        }
    }
    return fitted;
}

}  // namespace d88merge
