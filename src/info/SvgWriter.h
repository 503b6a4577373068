// Writing an SVG 1.1 picture: the document around it, shapes with a class and
// a hover title, and text, every piece of text escaped so that the file stays
// well-formed XML whatever bytes it came from.
#pragma once

#include <cstdio>
#include <string>

namespace d88info {

// `text` as XML character data or attribute value: & < > " ' as entities,
// valid UTF-8 as it is, and every byte of a control character or of anything
// that is not valid UTF-8 or not allowed in XML 1.0 as the four characters \xNN.
std::string xmlText(const std::string& text);

class SvgWriter {
  public:
    explicit SvgWriter(std::FILE* output) : out(output) {}

    // The XML declaration, the <svg> element of the given size with its title,
    // and the style sheet `css`.
    void begin(int width, int height, const std::string& title, const char* css);
    void end();

    // A rectangle of class `cls` with `title` shown on hover (none when empty).
    void rect(const char* cls, int x, int y, int width, int height, const std::string& title);
    // Text of class `cls` whose baseline starts at (x, y).
    void text(const char* cls, int x, int y, const std::string& content);
    // A path of class `cls` drawn along `d`.
    void path(const char* cls, const std::string& d);
    // A group of class `cls` around what is drawn until endGroup(), so that a
    // reader of the picture can find a part of it (the legend, the disks).
    void beginGroup(const char* cls);
    void endGroup();

  private:
    std::FILE* out;
};

}  // namespace d88info
