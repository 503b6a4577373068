// The command line of d88info: [-v] [--utf8] [-x TRACK,R[,N]|C/H/R[/N]] IMAGE,
// --svg [--lang en|ja] IMAGE, --files [--json] [--utf8] [--lang en|ja] IMAGE
// [-op | 1..8], or -h, or --version.
#pragma once

#include <cstdio>

#include "Language.h"

namespace d88info {

// The sector that -x dumps on each disk: the first record on track index
// `track` with the cylinder and head of that index (d88::TrackAddress), the
// given R and the given N, or any N when it is kAnySize.
struct SectorChoice {
    static constexpr int kAnySize = -1;

    int track = 0;
    int r = 0;
    int n = kAnySize;
};

struct InfoOptions {
    const char* imagePath = nullptr;
    bool verbose = false;  // -v: list every record of every present track
    bool dump = false;     // -x: hex dump of `sector` on each disk
    bool utf8 = false;     // --utf8: names decoded into UTF-8 in a file or pipe too
    bool svg = false;      // --svg: a picture of every disk instead of the text
    // --lang, else the user's: the words of --files, --svg and the messages
    Language language = Language::English;
    bool files = false;   // --files: what d88cut does with each file, instead of the text
    bool json = false;    // --json: --files as one JSON document
    bool opFlag = false;  // -op after the image, with --files: as d88cut takes it
    int diskNo = 0;       // a disk number after the image, with --files: 1-8, 0 for none
    SectorChoice sector;
};

enum class OptionsResult {
    Run,    // `options` is complete
    Help,   // -h or --version: what was asked has been printed on `out`
    Error,  // a message and the usage have been printed on `err`
};

// Reads the command line; where no --lang is given the language is
// `userLanguage`. The help and the errors are in the language.
OptionsResult parseInfoOptions(int argc, char** argv, Language userLanguage, InfoOptions& options,
                               std::FILE* out, std::FILE* err);

// The language the command line asks for with "--lang en" or "--lang ja"
// before any "--", else `userLanguage`.
Language languageAskedFor(int argc, char** argv, Language userLanguage);

// Reads "TRACK,R[,N]" (TRACK 0-163) or "C/H/R[/N]" (C 0-81, H 0-1, for track
// index of cylinder C and head H), all decimal, R and N 0-255.
bool parseSectorChoice(const char* text, SectorChoice& choice);

}  // namespace d88info
