#include "MergedDisk.h"

#include <cstring>

#include "d88/SectorHeader.h"

namespace d88merge {

namespace {

void putU16(std::uint8_t* at, std::uint32_t value) {
    at[0] = static_cast<std::uint8_t>(value);
    at[1] = static_cast<std::uint8_t>(value >> 8);
}

void putU32(std::uint8_t* at, std::uint32_t value) {
    putU16(at, value & 0xFFFF);
    putU16(at + 2, value >> 16);
}

// The bytes a record takes: its header, and its data as far as the file of
// its copy holds it (a voted record's as voted).
std::int64_t recordBytes(const MergedRecord& record) {
    const std::int64_t data = record.fate == RecordFate::Voted
                                  ? static_cast<std::int64_t>(record.voted.size())
                                  : record.copy.dataInFile;
    return static_cast<std::int64_t>(d88::SectorHeader::kSize) + data;
}

void appendRecord(const MergedRecord& record, std::size_t sectorCount, CopyReader& reader,
                  std::vector<std::uint8_t>& bytes) {
    const std::size_t at = bytes.size();
    bytes.resize(at + static_cast<std::size_t>(recordBytes(record)));
    std::uint8_t* header = bytes.data() + at;
    const std::size_t length = bytes.size() - at - d88::SectorHeader::kSize;
    header[0] = record.header.c;
    header[1] = record.header.h;
    header[2] = record.header.r;
    header[3] = record.header.n;
    putU16(header + 4, static_cast<std::uint32_t>(sectorCount));
    header[6] = record.header.density;
    header[7] = record.header.deleted;
    header[8] = record.header.status;
    putU16(header + 14, static_cast<std::uint32_t>(length));
    std::uint8_t* data = header + d88::SectorHeader::kSize;
    if (record.fate == RecordFate::Voted) {
        std::memcpy(data, record.voted.data(), length);
    } else {
        const std::int32_t got =
            reader.read(record.source, record.copy, data, static_cast<std::int32_t>(length));
        // Bytes the file no longer gives (it changed under the run) stay zero.
        if (got < static_cast<std::int32_t>(length)) {
            std::memset(data + (got > 0 ? got : 0), 0,
                        length - static_cast<std::size_t>(got > 0 ? got : 0));
        }
    }
}

}  // namespace

bool buildMergedDisk(const d88::DiskHeader& first, const std::vector<MergedTrack>& tracks,
                     CopyReader& reader, std::vector<std::uint8_t>& bytes) {
    bytes.clear();
    std::int64_t size = static_cast<std::int64_t>(d88::DiskHeader::kSize);
    for (const MergedTrack& track : tracks) {
        for (const MergedRecord& record : track.records) {
            size += recordBytes(record);
        }
        // A track's sector count is 16 bits wide.
        if (size > kMaxMergedDiskBytes || track.records.size() > 0xFFFF) {
            return false;
        }
    }
    bytes.reserve(static_cast<std::size_t>(size));
    bytes.assign(d88::DiskHeader::kSize, 0);
    std::memcpy(bytes.data() + d88::DiskHeader::kNameOffset, first.name, std::strlen(first.name));
    bytes[d88::DiskHeader::kWriteProtectOffset] = first.writeProtect;
    bytes[d88::DiskHeader::kMediaOffset] = first.media;
    for (const MergedTrack& track : tracks) {
        if (track.records.empty() || track.index < 0 ||
            track.index >= d88::DiskHeader::kTrackCount) {
            continue;
        }
        putU32(bytes.data() + d88::DiskHeader::kTrackTableOffset + 4 * track.index,
               static_cast<std::uint32_t>(bytes.size()));
        for (const MergedRecord& record : track.records) {
            appendRecord(record, track.records.size(), reader, bytes);
        }
    }
    putU32(bytes.data() + d88::DiskHeader::kDiskSizeOffset,
           static_cast<std::uint32_t>(bytes.size()));
    return true;
}

}  // namespace d88merge
