#include "ImageSurvey.h"

#include "Identification.h"
#include "d88/HeaderCheck.h"

namespace d88cut {

ImageSurvey surveyImage(d88::D88Image& image, std::uint8_t* probeBuffer) {
    ImageSurvey survey{ImageNature::D88, image.fileSize(), image.diskCount(), 0, 0};
    for (int index = 0; index < survey.diskCount; ++index) {
        if (image.selectDisk(index)) {
            const d88::HeaderFindings found =
                d88::checkHeader(image.diskHeader(), image.diskStart(index), survey.fileSize);
            survey.sensibleHeaders += found.looksWritten() ? 1 : 0;
        }
        image.setSectorRange(kIdentificationRange.first, kIdentificationRange.last);
        survey.disksOfTheSet += identify(image, probeBuffer, 0).kind ? 1 : 0;
    }
    if (survey.fileSize == 0) {
        survey.nature = ImageNature::Empty;
    } else if (survey.diskCount == 0) {
        survey.nature = ImageNature::TooShort;
    } else if (survey.disksOfTheSet == 0 && survey.sensibleHeaders == 0) {
        survey.nature = ImageNature::NotD88;
    }
    return survey;
}

}  // namespace d88cut
