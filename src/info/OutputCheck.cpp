#include "OutputCheck.h"

#include <cerrno>

#include "InfoMessages.h"
#include "system/ConsoleText.h"

namespace d88info {

int finishOutput(std::FILE* out, std::FILE* err, int status, Language language) {
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
    d88console::printText(err, "d88info: %s\n",
                          messageText(language, InfoMessage::CannotWriteOutput));
    return 1;
}

}  // namespace d88info
