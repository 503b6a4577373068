#include "OutputFile.h"

namespace d88cut {

OutputFile::~OutputFile() {
    close();
}

bool OutputFile::create(const char* fileName, const d88::FileIdentity& image) {
    close();
    // Its old content stays until it is known not to be the image.
    if (!d88::os::openForWriting(fileName, handle)) {
        handle = d88::os::kNoHandle;
        return false;
    }
    d88::FileFacts facts;
    const bool usable = d88::os::describe(handle, facts) &&
                        !(facts.regular && facts.identity == image) &&
                        (facts.regular || d88::os::waitOnWrites(handle));
    if (!usable) {
        close();
        return false;
    }
    regular = facts.regular;
    previousSize = regular ? facts.size : 0;
    return true;
}

bool OutputFile::writeAndClose(const std::uint8_t* data, std::size_t length) {
    if (handle == d88::os::kNoHandle) {
        return false;
    }
    bool written = true;
    std::size_t done = 0;
    while (written && done < length) {
        const std::int64_t put = d88::os::write(handle, data + done, length - done);
        written = put > 0;
        done += written ? static_cast<std::size_t>(put) : 0;
    }
    // The file ends where the bytes written end: an older, longer file of that
    // name keeps none of its bytes past the new ones, and a write that fails
    // part way leaves only what it wrote, never the new bytes followed by the
    // old ones, which would look whole.
    const bool endsThere = written && previousSize <= static_cast<std::int64_t>(length);
    const bool cut =
        endsThere || (regular && d88::os::truncate(handle, static_cast<std::int64_t>(done)));
    const bool closed = close();
    return written && cut && closed;
}

bool OutputFile::close() {
    if (handle == d88::os::kNoHandle) {
        return true;
    }
    const bool closed = d88::os::close(handle);
    handle = d88::os::kNoHandle;
    return closed;
}

}  // namespace d88cut
