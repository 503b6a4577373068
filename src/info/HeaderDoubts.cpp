#include "HeaderDoubts.h"

namespace d88info {

std::vector<std::string> headerDoubts(const d88::HeaderFindings& found, std::uint8_t media,
                                      const FilesWords& words) {
    std::vector<std::string> doubts;
    if (found.unknownMedia) {
        doubts.push_back(words.unknownMedia(media));
    }
    if (found.smallerThanHeader) {
        doubts.push_back(words.smallerThanHeader(found));
    }
    if (found.misplacedFirstTrack != 0) {
        doubts.push_back(words.misplacedFirstTrack(found));
    }
    if (found.mostTracksOutside()) {
        doubts.push_back(words.mostTracksOutside(found));
    }
    if (found.pastFileEndWithNoTrack) {
        doubts.push_back(words.pastFileEndWithNoTrack(found));
    }
    return doubts;
}

}  // namespace d88info
