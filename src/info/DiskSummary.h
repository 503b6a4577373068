// The opening lines of each disk: where it lies, its header fields, and what
// d88cut's identification sees on track index 1 and makes of it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "DiskName.h"
#include "d88/D88Image.h"
#include "d88/DiskHeader.h"
#include "diskset/Identification.h"

namespace d88info {

// Bytes of the scratch buffer that identification reads into.
inline constexpr std::size_t kScratchSize = d88cut::kProbeBufferSize;

// "disk 0 at offset 0x00000000: 14592 bytes, whole", then name, media and
// write-protect flag; the name is written in `nameForm`.
void printDiskHeading(std::FILE* out, int index, std::int64_t start, const d88::DiskHeader& header,
                      std::int64_t fileSize, const NameForm& nameForm);

// The probe sectors on track index 1 (present or absent, and the sums of the
// two that are summed), then the kind d88cut recognises without a disk number.
// `image` must have the disk selected; `scratch` holds kScratchSize bytes.
void printIdentification(std::FILE* out, d88::D88Image& image, std::uint8_t* scratch);

// What d88cut's identification makes of the selected disk of `image`, without
// a disk number, reading into `scratch` (kScratchSize bytes) as d88cut does.
d88cut::Identification identifyAsD88Cut(d88::D88Image& image, std::uint8_t* scratch);

// The kind's name as d88cut prints it, "not recognised" or "unsupported format".
const char* kindText(const d88cut::Identification& result);

}  // namespace d88info
