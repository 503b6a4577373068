// d88info --files: what d88cut does with each file of each disk, and why, as
// text or as one JSON document (--json).
#pragma once

#include <cstdio>

#include "DiskName.h"
#include "FileOutcomes.h"

namespace d88info {

// The text: the image and the choice, each disk with its kind (or why it is
// passed over) and every file of its kind with its outcome, then a line
// counting the outcomes. Disk names are written in `nameForm`.
void printFilesListing(std::FILE* out, const ImageOutcome& image, const NameForm& nameForm);

// The same as one JSON document, in UTF-8.
void printFilesJson(std::FILE* out, const ImageOutcome& image);

}  // namespace d88info
