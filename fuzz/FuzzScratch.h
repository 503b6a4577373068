// A scratch directory and image file for fuzz targets that run on a real file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

namespace d88fuzz {

// Creates (once per process) a scratch directory and returns the path of the
// image file inside it.
const std::string& scratchImagePath();

// The path of `name` inside the scratch directory.
std::string scratchPath(const char* name);

// Makes the scratch directory the current directory, for targets that write
// files there. Corpus and artifact paths given to libFuzzer must then be absolute.
void enterScratchDir();

// Removes the scratch directory and all in it, if it was made.
void removeScratchDir();

// Writes `size` bytes of `data` as the image file; false when that failed.
bool writeImage(const std::uint8_t* data, std::size_t size);

// What was written to `file` (a tmpfile() a tool printed on), from its start;
// closes it. Aborts when it cannot be read back.
std::string readBack(std::FILE* file);

}  // namespace d88fuzz
