// Runs the whole of d88info in-process on the input as an image file, with one
// of its argument forms and its output thrown away, then draws its picture:
// no image may make it crash, read out of bounds or hang, and every picture
// must be well-formed XML.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "FuzzScratch.h"
#include "XmlCheck.h"
#include "info/Info.h"

namespace {

std::FILE* sink() {
    static std::FILE* file = std::fopen("/dev/null", "w");
    return file;
}

int runWith(std::vector<std::string> args, std::FILE* out = sink()) {
    args.insert(args.begin(), "d88info");
    args.push_back(d88fuzz::scratchImagePath());
    std::vector<char*> argv;
    for (std::string& arg : args) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);
    return d88info::runInfo(static_cast<int>(args.size()), argv.data(), out, sink());
}

// The picture of the image, as d88info --svg writes it; aborts when it cannot
// be drawn or is not well-formed XML.
void checkPicture() {
    std::FILE* file = std::tmpfile();
    if (file == nullptr || runWith({"--svg"}, file) != 0) {
        std::abort();
    }
    const std::string svg = d88fuzz::readBack(file);
    d88test::XmlElement root;
    std::string error;
    if (!d88test::parseXml(svg, root, error)) {
        std::fprintf(stderr, "d88info --svg: not well-formed: %s\n", error.c_str());
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (sink() == nullptr || !d88fuzz::writeImage(data, size)) {
        std::abort();
    }
    // Plain, the record listing, the identification probes, a boot-track
    // sector, a sector of a run, one of any size, one on the last track, one
    // by cylinder and head with and without N, decoded names, and all at once. The
    // first byte of the image picks the form: it is the first character of
    // disk 0's name and changes nothing but the name shown.
    static const std::vector<std::vector<std::string>> forms = {
        {},
        {"-v"},
        {"-x", "1,1,1"},
        {"-x", "1,16"},
        {"-x", "2,0"},
        {"-x", "163,255,255"},
        {"-x", "0/1/16/3"},
        {"-x", "81/1/1"},
        {"--utf8"},
        {"-v", "--utf8", "-x", "0,1,1"},
        {"-v", "-x", "0/0/1"},
    };
    const std::size_t form = size == 0 ? 0 : data[0] % forms.size();
    // An image that could be written can be opened, so every run ends with 0.
    if (runWith(forms[form]) != 0) {
        std::abort();
    }
    checkPicture();
    return 0;
}
