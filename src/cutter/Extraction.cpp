#include "Extraction.h"

#include "RunState.h"
#include "Writers.h"
#include "diskset/Catalogue.h"
#include "diskset/FileFate.h"

namespace d88cut {

void extractDisk(DiskKind kind, bool opFlag) {
    const KindCuts* cuts = kindInfo(kind).cuts;
    if (cuts == nullptr) {
        return;
    }
    // A file whose first sector cannot be read leaves a gap; the files after
    // it keep their names. Each file's runs land in the work buffer, each at
    // its place in the file (MUSDRV's tail after its head).
    for (const CutFile& file : filesOf(*cuts, opFlag)) {
        const auto length = static_cast<std::size_t>(file.length());
        if (length > kWorkBufferSize) {
            continue;
        }
        std::uint8_t* const data = workBufferFor(0, length);
        writeCutFile(readCutFile(runState.image, file, data), data);
    }
}

}  // namespace d88cut
