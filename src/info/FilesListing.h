// d88info --files: what d88cut does with each file of each disk, and why, as
// text or as one JSON document (--json).
#pragma once

#include <cstdio>
#include <string>

#include "DiskName.h"
#include "FileOutcomes.h"
#include "FilesWords.h"

namespace d88info {

// The text, as UTF-8 with the disk names as `nameForm` shows them: the image
// and the choice, each disk with its kind (or why it is passed over) and every
// file of its kind with its outcome, then a line counting the outcomes, all
// in `words`.
std::string filesListingText(const ImageOutcome& image, const NameForm& nameForm,
                             const FilesWords& words);

// The text written on `out` in the form `nameForm` gives it.
void printFilesListing(std::FILE* out, const ImageOutcome& image, const NameForm& nameForm,
                       const FilesWords& words);

// The same as one JSON document, in UTF-8.
void printFilesJson(std::FILE* out, const ImageOutcome& image);

}  // namespace d88info
