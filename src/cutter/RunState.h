// What one run of d88cut shares across its disks, gathered in one place: the
// one image reader, the one data buffer that every read lands in and every
// file is written from, whether an output could not be written, and what the
// cut of the image came to, counted as it goes.
#pragma once

#include <cstddef>
#include <cstdint>

#include "d88/D88Image.h"
#include "diskset/Catalogue.h"
#include "diskset/ImageSurvey.h"

namespace d88cut {

// 400 sectors of 1,024 bytes.
inline constexpr std::size_t kWorkBufferSize = 409600;

// Names of files, each once: a file that two disks of an image cut is one
// file in the folder. Room for more than every name the set's disks cut (52).
struct FileNames {
    static constexpr int kRoom = 64;

    char names[kRoom][CutFile::kNameRoom];
    std::int32_t count;

    // Adds `name` unless it is there already.
    void add(const char* name);
};

// What the cut of one image came to: the summary that a window of its own
// shows at the end is made from it alone.
struct CutTally {
    bool imageOpened;
    std::int32_t disksRecognised;
    FileNames written;
    FileNames partlyRead;  // written, with zeros for what could not be read
    // Written, with bytes from records whose mark or status is not plainly normal.
    FileNames fromMarkedRecords;
    FileNames notOnImage;  // not written: the run's first sector is not there
    FileNames notWritten;  // the output file could not be written
    // A disk had files that are cut only with -op, and -op was not given.
    bool leftOutWithoutOp;
    // What the file is, surveyed for the summary when no disk of the set
    // was recognised in it.
    ImageSurvey survey;
};

struct RunState {
    d88::D88Image image;
    std::uint8_t workBuffer[kWorkBufferSize];
    // Bytes from the start of workBuffer that reads may have written since it
    // was last cleared; past them it holds only zeros.
    std::size_t workBufferUsed;
    // Clears all of workBuffer before each disk, not only workBufferUsed:
    // the narrow clearing is checked against it.
    bool clearWholeWorkBuffer;
    // An output file or standard output could not be written: the exit status is 1.
    bool outputFailed;
    // A summary of each image follows its lines (a window of its own): it
    // names the files not cut and says that no disk of the set was found, so
    // those lines are not printed as well.
    bool summaryFollows;
    // Files announced with "cutting ..." in this run.
    std::int32_t filesCut;
    // The image being cut; set anew for each image.
    CutTally tally;
};

// Constructed before main runs and destroyed at exit, which closes the image.
extern RunState runState;

// The work buffer from `offset` on, for a read of at most `length` bytes
// there (all within the buffer). Every read into the buffer takes its place
// from here, so that the next clearing reaches what it wrote.
std::uint8_t* workBufferFor(std::size_t offset, std::size_t length);

// Makes the whole work buffer read as zeros again, before each disk.
void clearWorkBuffer();

// Starts the tally of an image anew.
void clearTally();

}  // namespace d88cut
