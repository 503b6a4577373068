// Reader of one D88 image file: indexes the disks in it, selects one, and reads
// its sectors by ID, singly or as runs that go on across sectors and tracks.
// Reports only through results; never prints, never throws, never allocates.
#pragma once

#include <cstdint>

#include "DiskHeader.h"
#include "FileWindow.h"
#include "ImageFile.h"
#include "RecordWalk.h"
#include "TrackIdCache.h"

namespace d88 {

class D88Image {
  public:
    static constexpr int kMaxDisks = 64;
    static constexpr int kTrackCount = DiskHeader::kTrackCount;

    D88Image() = default;
    D88Image(const D88Image&) = delete;
    D88Image& operator=(const D88Image&) = delete;

    // Opens `path` for binary reading and indexes its disks. A null path closes
    // the file. False only when the file cannot be opened; openError() says why.
    bool open(const char* path);
    // Reads the `size` bytes at `bytes` as the image file, indexing its disks
    // as open() does; they must stay there while the image reads them.
    void openBytes(const std::uint8_t* bytes, std::int64_t size);
    OpenError openError() const { return lastOpenError; }
    // Makes disk `index` the selected disk; false (and nothing selected) when
    // there is no such disk or its header cannot be read whole.
    bool selectDisk(std::int32_t index);
    std::int32_t diskCount() const { return numDisks; }
    const char* diskName() const { return header.name; }
    std::int32_t mediaType() const { return mediaCode; }

    // Bytes the image file held when it was opened, and which file it is.
    std::int64_t fileSize() const { return file.size(); }
    const FileIdentity& imageIdentity() const { return file.identity(); }
    // File offset of indexed disk `index`; -1 outside 0..diskCount()-1.
    std::int32_t diskStart(std::int32_t index) const;
    // The selected disk's header as parsed; its disk size is 0 and its name
    // empty while no disk is selected.
    const DiskHeader& diskHeader() const { return header; }

    // Sector numbers with which every track of a run begins and ends.
    void setSectorRange(std::int32_t first, std::int32_t last);
    // Reads at most `len` bytes of the first sector with ID (c, h, r, n) on
    // `track`; returns the bytes stored in `dest`, 0 when none.
    std::int32_t readSector(std::int32_t track, std::int32_t c, std::int32_t h, std::int32_t r,
                            std::int32_t n, std::uint8_t* dest, std::int32_t len);
    // Reads `len` bytes of consecutive sectors of 128 << n bytes from the given
    // sector on, stepping to the next track after the range's last sector;
    // returns the bytes read in whole pieces before the first failing sector.
    std::int32_t readSectors(std::int32_t track, std::int32_t c, std::int32_t h, std::int32_t r,
                             std::int32_t n, std::uint8_t* dest, std::int32_t len);
    // Writes the C, H, R, N of the track's records, 4 bytes each, into `out`
    // for as many whole entries as fit in `len`; returns the bytes written.
    std::int32_t listSectorIds(std::int32_t track, std::uint8_t* out, std::int32_t len);

    // A walk over the records of `track` of the selected disk. A track that is
    // absent, or starts beyond the disk's size, gives a walk that has ended.
    RecordWalk walkTrack(std::int32_t track, WalkRule rule);

    // copyRecordData() for a record a walk of this image returned.
    std::int32_t readRecordData(const TrackRecord& record, std::uint8_t* dest, std::int32_t count) {
        return copyRecordData(window, record, dest, count);
    }

    // Whether sector reads answer from what earlier walks of the same track
    // found (the default), or walk the track anew each time: the results are
    // the same, only the work differs.
    void cacheTrackIds(bool cache);
    // Told of every sector read on a track that is there: where the track
    // starts, and whether it was walked rather than answered from the ID cache.
    // For measuring the reader; none by default.
    using TrackReadObserver = void (*)(std::int64_t trackStart, bool walked);
    void observeTrackReads(TrackReadObserver observer) { trackReadObserver = observer; }
    // Told of every sector read while it is set: which sector was asked for,
    // the record found for it (null when the track holds no record with that
    // ID, or is not there to be read), and how many of the bytes asked for
    // were delivered. The records a cut reads, and where a run stops, come
    // from here. None by default.
    struct SectorRequest {
        std::int32_t track;
        std::int32_t c;
        std::int32_t h;
        std::int32_t r;
        std::int32_t n;
        std::int32_t length;  // bytes asked for
    };
    class SectorReadObserver {
      public:
        virtual void sectorRead(const SectorRequest& asked, const TrackRecord* found,
                                std::int32_t delivered) = 0;

      protected:
        ~SectorReadObserver() = default;
    };
    void observeSectorReads(SectorReadObserver* observer) { sectorReadObserver = observer; }

  private:
    void clearSelection();
    // Fills the disk index from the headers.
    void indexDisks();
    // File offset of the first record of `track`; false when it is not there
    // to be read (see walkTrack).
    WalkEnd locateTrack(std::int32_t track, std::int64_t& start) const;
    // The cached IDs of the track at `start`; null when the reader does not
    // cache them or the track is not cached.
    const TrackIdIndex* cachedIds(std::int64_t start);
    // The first record on `track` with ID (c, h, r, n), for a read of `len`
    // bytes; false when there is none or the track is not there to be read.
    bool findRecord(std::int32_t track, std::int32_t c, std::int32_t h, std::int32_t r,
                    std::int32_t n, std::int32_t len, TrackRecord& record);
    // Tells the track read observer, if any, of a sector read on the track at
    // `start`, and whether that track is walked for it.
    void notifyTrackRead(std::int64_t start, bool walked) const;
    // Walks the track at `start` for the first record with ID (c, h, r, n), as
    // a sector search meets it. While caching, the walk goes on to the track's
    // end and its IDs are cached, unless there are more than a cache entry
    // keeps.
    bool searchTrack(std::int64_t start, std::int32_t c, std::int32_t h, std::int32_t r,
                     std::int32_t n, TrackRecord& found);

    ImageFile file;
    OpenError lastOpenError = OpenError::None;
    std::int32_t numDisks = 0;
    std::int32_t firstSector = 1;
    std::int32_t lastSector = 16;
    // A disk is never indexed at an offset above INT32_MAX.
    std::int32_t diskOffsets[kMaxDisks] = {};
    std::int32_t diskOffset = 0;
    // Name, media, disk size and track table of the selected disk; header
    // values are kept unsigned, as stored.
    DiskHeader header = {};
    std::int32_t mediaCode = -1;
    FileWindow window{file};
    TrackIdCache idCache;
    bool cachingIds = true;
    TrackReadObserver trackReadObserver = nullptr;
    SectorReadObserver* sectorReadObserver = nullptr;
};

}  // namespace d88
