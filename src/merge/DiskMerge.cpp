#include "DiskMerge.h"

#include <algorithm>

#include "MergedDisk.h"
#include "info/TrackRecords.h"

namespace d88merge {

namespace {

// The record data of the members of a group, each in its own image.
class DumpReader final : public CopyReader {
  public:
    explicit DumpReader(std::vector<d88::D88Image*> images) : images(std::move(images)) {}

    std::int32_t read(int dump, const d88::TrackRecord& record, std::uint8_t* dest,
                      std::int32_t count) override {
        return images[static_cast<std::size_t>(dump)]->readRecordData(record, dest, count);
    }

  private:
    std::vector<d88::D88Image*> images;
};

bool sameSector(const FileFate& a, const FileFate& b) {
    return a.track == b.track && a.sector.c == b.sector.c && a.sector.h == b.sector.h &&
           a.sector.r == b.sector.r && a.sector.n == b.sector.n;
}

std::optional<RecordFate> fateOfSector(const std::vector<MergedTrack>& tracks,
                                       const FileFate& file) {
    for (const MergedTrack& track : tracks) {
        if (track.index != file.track) {
            continue;
        }
        for (const MergedRecord& record : track.records) {
            const d88::SectorHeader& h = record.header;
            if (h.c == file.sector.c && h.h == file.sector.h && h.r == file.sector.r &&
                h.n == file.sector.n) {
                return record.fate;
            }
        }
    }
    return std::nullopt;
}

// What d88cut cuts from a member's disk: as its own probes say, else, for an
// image of that disk alone, as the group's kind.
DiskFiles filesOfMember(DumpImage& dump, const GroupMember& member,
                        const std::optional<d88cut::DiskKind>& kind, std::uint8_t* scratch) {
    const std::size_t disk = static_cast<std::size_t>(member.disk);
    if (disk < dump.kinds.size() && dump.kinds[disk] && disk < dump.files.disks.size()) {
        return dump.files.disks[disk];
    }
    if (kind && dump.image->diskCount() == 1) {
        return filesOfFirstDisk(*dump.image, d88cut::kindInfo(*kind).number, scratch);
    }
    return {};
}

FileFate fileNamed(const DiskFiles& files, const std::string& name) {
    for (const FileFate& file : files) {
        if (file.name == name) {
            return file;
        }
    }
    FileFate none;
    none.name = name;
    return none;
}

void noteFiles(DiskMerge& disk, const std::vector<std::uint8_t>& bytes,
               std::vector<DumpImage>& dumps, std::uint8_t* scratch) {
    if (!disk.group.kind || bytes.empty()) {
        return;
    }
    d88::D88Image merged;
    merged.openBytes(bytes.data(), static_cast<std::int64_t>(bytes.size()));
    const DiskFiles files =
        filesOfFirstDisk(merged, d88cut::kindInfo(*disk.group.kind).number, scratch);
    std::vector<DiskFiles> ofMembers;
    for (const GroupMember& member : disk.group.members) {
        ofMembers.push_back(filesOfMember(dumps[static_cast<std::size_t>(member.image)], member,
                                          disk.group.kind, scratch));
    }
    for (const FileFate& file : files) {
        FileMerge merge;
        merge.merged = file;
        for (const DiskFiles& member : ofMembers) {
            merge.dumps.push_back(fileNamed(member, file.name));
        }
        if (file.hasSector && file.sectorFound) {
            merge.sectorFate = fateOfSector(disk.tracks, file);
        }
        if (file.hasSector && !file.sectorFound &&
            std::none_of(disk.missing.begin(), disk.missing.end(),
                         [&](const FileFate& known) { return sameSector(known, file); })) {
            disk.missing.push_back(file);
        }
        disk.files.push_back(std::move(merge));
    }
}

void noteReadAgain(DiskMerge& disk) {
    for (const MergedTrack& track : disk.tracks) {
        const bool unsure =
            track.ambiguous ||
            std::any_of(track.records.begin(), track.records.end(), [](const MergedRecord& record) {
                return record.fate == RecordFate::Conflict || record.fate == RecordFate::Voted ||
                       record.fate == RecordFate::DamagedEverywhere;
            });
        if (unsure) {
            disk.readAgain.push_back(track.index);
        }
    }
    for (const FileFate& sector : disk.missing) {
        disk.readAgain.push_back(sector.track);
    }
    std::sort(disk.readAgain.begin(), disk.readAgain.end());
    disk.readAgain.erase(std::unique(disk.readAgain.begin(), disk.readAgain.end()),
                         disk.readAgain.end());
}

}  // namespace

bool DiskMerge::ambiguousTracks() const {
    return std::any_of(tracks.begin(), tracks.end(),
                       [](const MergedTrack& track) { return track.ambiguous; });
}

bool DiskMerge::whole() const {
    if (tooLarge || ambiguousTracks() || !missing.empty() ||
        counts[static_cast<int>(RecordFate::Conflict)] > 0 ||
        counts[static_cast<int>(RecordFate::Voted)] > 0 ||
        counts[static_cast<int>(RecordFate::DamagedEverywhere)] > 0) {
        return false;
    }
    return std::all_of(files.begin(), files.end(),
                       [](const FileMerge& file) { return file.merged.state == FileState::Whole; });
}

DiskMerge mergeDisk(const DiskGroup& group, std::vector<DumpImage>& dumps,
                    std::vector<std::uint8_t>& bytes, std::uint8_t* scratch) {
    DiskMerge disk;
    disk.group = group;
    std::vector<d88::D88Image*> images;
    std::vector<std::unique_ptr<d88info::DiskTracks>> tracks;
    for (const GroupMember& member : group.members) {
        d88::D88Image& image = *dumps[static_cast<std::size_t>(member.image)].image;
        images.push_back(&image);
        tracks.push_back(std::make_unique<d88info::DiskTracks>());
        // A disk whose header cannot be read gives no tracks.
        if (image.selectDisk(member.disk)) {
            d88info::readDiskTracks(image, image.diskStart(member.disk), *tracks.back());
        } else {
            for (int t = 0; t < d88::DiskHeader::kTrackCount; ++t) {
                (*tracks.back())[t] = d88info::TrackRecords();
            }
        }
        if (images.size() == 1) {
            disk.header = image.diskHeader();
        }
    }
    DumpReader reader(images);
    for (int t = 0; t < d88::DiskHeader::kTrackCount; ++t) {
        std::vector<const d88info::TrackRecords*> ofTrack;
        bool held = false;
        for (const std::unique_ptr<d88info::DiskTracks>& member : tracks) {
            ofTrack.push_back(&(*member)[t]);
            held = held || !(*member)[t].records.empty();
        }
        if (!held) {
            continue;
        }
        disk.tracks.push_back(mergeTrack(t, ofTrack, reader));
        for (const MergedRecord& record : disk.tracks.back().records) {
            ++disk.counts[static_cast<int>(record.fate)];
        }
    }
    disk.tooLarge = !buildMergedDisk(disk.header, disk.tracks, reader, bytes);
    disk.size = static_cast<std::int64_t>(bytes.size());
    // Voted data is in the bytes now.
    for (MergedTrack& track : disk.tracks) {
        for (MergedRecord& record : track.records) {
            std::vector<std::uint8_t>().swap(record.voted);
        }
    }
    noteFiles(disk, bytes, dumps, scratch);
    noteReadAgain(disk);
    return disk;
}

}  // namespace d88merge
