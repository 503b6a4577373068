// What the density, deleted-data mark and status bytes of a record's header
// say, in words, and how many records of a disk are not plainly normal.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include "TrackRecords.h"

namespace d88info {

// "double" (0x00), "single" (0x40), "high" (0x01), else the byte in hex.
std::string densityText(std::uint8_t density);

// "-" (0x00), "deleted" (0x10: a deleted-data mark), else the byte in hex.
std::string deletedText(std::uint8_t deleted);

// "normal" (0x00), "normal, deleted data" (0x10), "ID CRC error" (0xA0),
// "data CRC error" (0xB0), "no address mark" (0xE0), "no data mark" (0xF0),
// else the byte in hex.
std::string statusText(std::uint8_t status);

// What a record's header and the file say of it, one word for the picture:
// the first that holds of a record cut off by the end of the file, an ID or
// data CRC error, a missing address or data mark, another status or mark
// byte, a deleted-data mark (in the mark or the status), else normal.
enum class RecordState { Normal, Deleted, CrcError, NoMark, Other, CutOff };
inline constexpr int kRecordStateCount = 6;

RecordState recordState(const d88::TrackRecord& record);
// The same from the header alone: never CutOff.
RecordState headerState(const d88::SectorHeader& header);

// "  status: 2 records with a CRC error, 1 record with a deleted mark,
// 1 record with another status", with only the counts that are not 0;
// nothing when all are. "Another status" is any but normal and the CRC errors.
void printRecordCounts(std::FILE* out, const DiskTracks& tracks);

}  // namespace d88info
