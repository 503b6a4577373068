// The command line of d88merge: [-o OUT.d88] [--json] [--lang ja|en]
// IMAGE IMAGE..., or -h, or --version.
#pragma once

#include <cstdio>
#include <vector>

namespace d88merge {

// The most images one merge takes.
inline constexpr int kMaxImages = 64;

struct MergeOptions {
    std::vector<const char*> images;
    const char* output = nullptr;  // -o: where the merged image is written; none: nothing written
    bool json = false;             // --json: the report as one JSON document
    bool japanese = false;         // the report's language: --lang, else the user's
};

enum class OptionsResult {
    Run,    // `options` is complete
    Help,   // -h or --version: printed on `out`
    Error,  // a message and the usage printed on `err`
};

// `userJapanese` is the language where no --lang says.
OptionsResult parseMergeOptions(int argc, char** argv, bool userJapanese, MergeOptions& options,
                                std::FILE* out, std::FILE* err);

}  // namespace d88merge
