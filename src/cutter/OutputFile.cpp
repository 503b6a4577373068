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
    previousSize = facts.regular ? facts.size : 0;
    return true;
}

bool OutputFile::writeAndClose(const std::uint8_t* data, std::size_t length) {
    bool written = handle != d88::os::kNoHandle;
    std::size_t done = 0;
    while (written && done < length) {
        const std::int64_t put = d88::os::write(handle, data + done, length - done);
        written = put > 0;
        done += written ? static_cast<std::size_t>(put) : 0;
    }
    // A longer file of that name keeps none of its old bytes past the new ones.
    written = written && (previousSize <= static_cast<std::int64_t>(length) ||
                          d88::os::truncate(handle, static_cast<std::int64_t>(length)));
    const bool closed = close();
    return written && closed;
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
