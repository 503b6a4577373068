#include "ImageBuilder.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "d88/TrackAddress.h"

namespace d88mk {

namespace {

void putU16(Bytes& out, std::size_t at, unsigned value) {
    out[at] = static_cast<std::uint8_t>(value & 0xFF);
    out[at + 1] = static_cast<std::uint8_t>((value >> 8) & 0xFF);
}

void putU32(Bytes& out, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        out[at + i] = static_cast<std::uint8_t>((value >> (8 * i)) & 0xFF);
    }
}

std::uint32_t getU32(const Bytes& bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i) {
        value = (value << 8) | bytes[at + static_cast<std::size_t>(i)];
    }
    return value;
}

}  // namespace

Record makeRecord(int c, int h, int r, int n, Bytes data, int sectorCount, int dataLength) {
    Record record;
    record.c = c;
    record.h = h;
    record.r = r;
    record.n = n;
    record.data = std::move(data);
    record.sectorCount = sectorCount;
    record.dataLength = dataLength;
    return record;
}

DiskBuilder& DiskBuilder::setName(const std::string& raw) {
    name_.assign(raw.begin(), raw.end());
    if (name_.size() > 26) {
        name_.resize(26);
    }
    return *this;
}

DiskBuilder& DiskBuilder::setMedia(std::uint8_t media) {
    media_ = media;
    return *this;
}

DiskBuilder& DiskBuilder::setWriteProtect(std::uint8_t flag) {
    writeProtect_ = flag;
    return *this;
}

DiskBuilder& DiskBuilder::addRecord(int track, Record record) {
    records_[track].push_back(std::move(record));
    return *this;
}

DiskBuilder& DiskBuilder::addSector(int track, int r, int n, Bytes data) {
    const d88::TrackAddress address = d88::TrackAddress::ofIndex(track);
    return addRecord(track, makeRecord(address.cylinder(), address.head(), r, n, std::move(data)));
}

DiskBuilder& DiskBuilder::fillTrack(int track, int firstR, int lastR, int n) {
    for (int r = firstR; r <= lastR; ++r) {
        addSector(track, r, n, sectorContent(track, r, std::size_t{128} << n));
    }
    return *this;
}

DiskBuilder& DiskBuilder::dropTrack(int track) {
    records_.erase(track);
    extraBytes_.erase(track);
    return *this;
}

DiskBuilder& DiskBuilder::markSector(int track, int r, std::uint8_t deleted, std::uint8_t status) {
    for (Record& record : records_[track]) {
        if (record.r == r) {
            record.deleted = deleted;
            record.status = status;
        }
    }
    return *this;
}

DiskBuilder& DiskBuilder::setSectorData(int track, int r, const Bytes& data) {
    for (Record& record : records_[track]) {
        if (record.r == r) {
            record.data = data;
        }
    }
    return *this;
}

DiskBuilder& DiskBuilder::reverseTrack(int track) {
    std::vector<Record>& records = records_[track];
    std::reverse(records.begin(), records.end());
    return *this;
}

DiskBuilder& DiskBuilder::dropSector(int track, int r) {
    auto it = records_.find(track);
    if (it != records_.end()) {
        std::vector<Record>& records = it->second;
        records.erase(std::remove_if(records.begin(), records.end(),
                                     [r](const Record& record) { return record.r == r; }),
                      records.end());
    }
    return *this;
}

DiskBuilder& DiskBuilder::appendTrackBytes(int track, const Bytes& raw) {
    Bytes& extra = extraBytes_[track];
    extra.insert(extra.end(), raw.begin(), raw.end());
    return *this;
}

DiskBuilder& DiskBuilder::setTrackOffset(int track, std::uint32_t offset) {
    offsetOverrides_[track] = offset;
    return *this;
}

DiskBuilder& DiskBuilder::setDiskSize(std::uint32_t size) {
    sizeOverridden_ = true;
    sizeOverride_ = size;
    return *this;
}

Bytes DiskBuilder::trackBytes(int track) const {
    Bytes out;
    auto recordsIt = records_.find(track);
    if (recordsIt != records_.end()) {
        const std::vector<Record>& records = recordsIt->second;
        for (const Record& record : records) {
            Bytes header(16, 0);
            header[0] = static_cast<std::uint8_t>(record.c);
            header[1] = static_cast<std::uint8_t>(record.h);
            header[2] = static_cast<std::uint8_t>(record.r);
            header[3] = static_cast<std::uint8_t>(record.n);
            const unsigned count = record.sectorCount >= 0
                                       ? static_cast<unsigned>(record.sectorCount)
                                       : static_cast<unsigned>(records.size());
            putU16(header, 4, count);
            header[6] = record.density;
            header[7] = record.deleted;
            header[8] = record.status;
            const unsigned length = record.dataLength >= 0
                                        ? static_cast<unsigned>(record.dataLength)
                                        : static_cast<unsigned>(record.data.size());
            putU16(header, 14, length);
            out.insert(out.end(), header.begin(), header.end());
            out.insert(out.end(), record.data.begin(), record.data.end());
        }
    }
    auto extraIt = extraBytes_.find(track);
    if (extraIt != extraBytes_.end()) {
        out.insert(out.end(), extraIt->second.begin(), extraIt->second.end());
    }
    return out;
}

std::uint32_t DiskBuilder::trackStart(int track) const {
    std::uint32_t offset = static_cast<std::uint32_t>(kHeaderSize);
    for (int t = 0; t < kTrackCount; ++t) {
        const bool present = records_.count(t) != 0 || extraBytes_.count(t) != 0;
        if (t == track) {
            return present ? offset : 0;
        }
        if (present) {
            offset += static_cast<std::uint32_t>(trackBytes(t).size());
        }
    }
    return 0;
}

Bytes DiskBuilder::build() const {
    Bytes disk(kHeaderSize, 0);
    for (std::size_t i = 0; i < name_.size(); ++i) {
        disk[i] = name_[i];
    }
    disk[0x1A] = writeProtect_;
    disk[0x1B] = media_;
    for (int t = 0; t < kTrackCount; ++t) {
        const bool present = records_.count(t) != 0 || extraBytes_.count(t) != 0;
        std::uint32_t offset = 0;
        if (present) {
            offset = static_cast<std::uint32_t>(disk.size());
            const Bytes track = trackBytes(t);
            disk.insert(disk.end(), track.begin(), track.end());
        }
        auto overrideIt = offsetOverrides_.find(t);
        putU32(disk, 0x20 + 4 * static_cast<std::size_t>(t),
               overrideIt != offsetOverrides_.end() ? overrideIt->second : offset);
    }
    putU32(disk, 0x1C, sizeOverridden_ ? sizeOverride_ : static_cast<std::uint32_t>(disk.size()));
    return disk;
}

Bytes sectorContent(int track, int r, std::size_t size) {
    Bytes out;
    out.reserve(size + 16);
    char line[32];
    for (std::size_t offset = 0; out.size() < size; offset += 16) {
        std::snprintf(line, sizeof line, "t%03d r%03d @%04zx\n", track % 1000, r % 1000,
                      offset % 0x10000);
        out.insert(out.end(), line, line + 16);
    }
    out.resize(size);
    return out;
}

Bytes bytesWithSum(unsigned sum, std::size_t size) {
    if (sum > 256u * 255u || size < 256) {
        throw std::invalid_argument("bytesWithSum: no 256 bytes have that sum");
    }
    Bytes out(size, 0);
    const unsigned base = sum / 256;
    const unsigned extra = sum % 256;
    for (unsigned i = 0; i < 256; ++i) {
        out[i] = static_cast<std::uint8_t>(base + (i < extra ? 1 : 0));
    }
    for (std::size_t i = 256; i < size; ++i) {
        out[i] = static_cast<std::uint8_t>(i * 7 + 3);
    }
    return out;
}

void setDiskRange(SetDisk disk, int& first, int& last) {
    switch (disk) {
        case SetDisk::OpeningDisk:
        case SetDisk::ProgramDisk:
        case SetDisk::DemoDisk1:
            first = 0;
            break;
        case SetDisk::DataDisk1:
        case SetDisk::DemoDisk2:
            first = 16;
            break;
        case SetDisk::DataDisk2:
            first = 32;
            break;
        case SetDisk::DataDisk3:
            first = 48;
            break;
        case SetDisk::VisualDisk:
            first = 80;
            break;
    }
    last = first + 4;
}

namespace {

const char* setDiskName(SetDisk disk) {
    switch (disk) {
        case SetDisk::OpeningDisk:
            return "OPENING";
        case SetDisk::ProgramDisk:
            return "PROGRAM";
        case SetDisk::DemoDisk1:
            return "DEMO1";
        case SetDisk::DataDisk1:
            return "DATA1";
        case SetDisk::DemoDisk2:
            return "DEMO2";
        case SetDisk::DataDisk2:
            return "DATA2";
        case SetDisk::DataDisk3:
            return "DATA3";
        case SetDisk::VisualDisk:
            return "VISUAL";
    }
    return "";
}

// The boot sector sum of the disks told apart by R1 N1; 0 for the others.
unsigned bootSum(SetDisk disk) {
    switch (disk) {
        case SetDisk::OpeningDisk:
            return 30971;
        case SetDisk::ProgramDisk:
            return 26825;
        case SetDisk::DemoDisk1:
            return 27152;
        default:
            return 0;
    }
}

// R16 N3 on track 1 of Data Disk 1 and Demo Disk 2: its first 256 bytes tell
// the two apart, the rest is ordinary content.
Bytes r16Probe(SetDisk disk) {
    Bytes probe = sectorContent(1, 16, 1024);
    const Bytes head = disk == SetDisk::DataDisk1 ? bytesWithSum(53747) : Bytes(256, 0xFF);
    std::copy(head.begin(), head.end(), probe.begin());
    return probe;
}

}  // namespace

DiskBuilder setDisk(SetDisk disk, int tracks) {
    DiskBuilder builder;
    builder.setName(setDiskName(disk)).setMedia(0x10);
    int first = 0;
    int last = 0;
    setDiskRange(disk, first, last);
    const unsigned sum = bootSum(disk);
    const bool r16Probed = disk == SetDisk::DataDisk1 || disk == SetDisk::DemoDisk2;
    for (int track = 0; track < tracks; ++track) {
        if (sum != 0 && track < 2) {
            // Boot tracks of sixteen 256-byte sectors; R1 on track 1 carries the sum.
            for (int r = 1; r <= 16; ++r) {
                const bool summed = track == 1 && r == 1;
                builder.addSector(track, r, 1,
                                  summed ? bytesWithSum(sum) : sectorContent(track, r, 256));
            }
        } else if (track == 1 && r16Probed) {
            builder.addSector(track, 16, 3, r16Probe(disk));
            builder.fillTrack(track, 17, 20, 3);
        } else {
            builder.fillTrack(track, first, last, 3);
        }
    }
    return builder;
}

Bytes withShortHeader(const Bytes& disk) {
    constexpr std::size_t kShortHeader = 672;
    constexpr std::uint32_t kShorter = DiskBuilder::kHeaderSize - kShortHeader;
    if (disk.size() < DiskBuilder::kHeaderSize) {
        throw std::runtime_error("no whole disk header to shorten");
    }
    Bytes shorter(disk.begin(), disk.begin() + kShortHeader);
    putU32(shorter, 0x1C, getU32(disk, 0x1C) - kShorter);
    for (std::size_t t = 0; t < 160; ++t) {
        const std::uint32_t offset = getU32(disk, 0x20 + 4 * t);
        putU32(shorter, 0x20 + 4 * t, offset != 0 ? offset - kShorter : 0);
    }
    shorter.insert(shorter.end(), disk.begin() + DiskBuilder::kHeaderSize, disk.end());
    return shorter;
}

Bytes concat(const std::vector<Bytes>& parts) {
    Bytes out;
    for (const Bytes& part : parts) {
        out.insert(out.end(), part.begin(), part.end());
    }
    return out;
}

void writeFile(const std::string& path, const Bytes& bytes) {
    std::ofstream out(std::filesystem::u8path(path), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        throw std::runtime_error("cannot write " + path);
    }
}

Bytes readFile(const std::string& path) {
    std::ifstream in(std::filesystem::u8path(path), std::ios::binary);
    if (!in) {
        throw std::runtime_error("cannot read " + path);
    }
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace d88mk
