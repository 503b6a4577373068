// Reading the SVG pictures back as XML: a small parser that checks a document
// is well-formed XML 1.0 (valid UTF-8, only the characters XML allows, tags
// that nest and match, quoted attributes, known references) and gives its
// elements as a tree.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace d88test {

struct XmlElement {
    std::string name;
    std::map<std::string, std::string> attributes;  // references resolved
    std::string text;  // the character data directly inside, references resolved
    std::vector<XmlElement> children;
};

// Parses the whole of `document` into `root`; false, with what is wrong and
// where in `error`, when it is not well-formed.
bool parseXml(const std::string& document, XmlElement& root, std::string& error);

}  // namespace d88test
