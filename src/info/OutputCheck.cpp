#include "OutputCheck.h"

#include <cerrno>

#include "system/ConsoleText.h"

namespace d88info {

int finishOutput(std::FILE* out, std::FILE* err, int status) {
    // What is still buffered is written now. After a write that failed, the
    // stream's error stays set and each later write is tried again and fails
    // for the same cause; the output always ends with a line buffered after
    // the last such try, so this last write tells the cause in errno.
    errno = 0;
    std::fflush(out);
    const bool lost = std::ferror(out) != 0 && !d88console::readerWentAway(errno);
    std::clearerr(out);
    if (!lost) {
        return status;
    }
    std::fputs("d88info: cannot write standard output\n", err);
    return 1;
}

}  // namespace d88info
