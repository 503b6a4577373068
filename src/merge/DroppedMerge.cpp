#include "DroppedMerge.h"

#include "Merge.h"
#include "system/ConsoleText.h"
#include "system/SystemFile.h"

namespace d88merge {

namespace {

// The most names tried beside the first image.
constexpr int kMostNames = 100;

}  // namespace

std::string mergedNameBeside(const std::string& first, int number) {
    const std::size_t slash = first.find_last_of("/\\");
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    const std::size_t dot = first.find_last_of('.');
    const std::size_t nameEnd = dot == std::string::npos || dot < nameStart ? first.size() : dot;
    const std::string suffix =
        number <= 1 ? " (merged)" : " (merged " + std::to_string(number) + ")";
    return first.substr(0, nameEnd) + suffix + ".d88";
}

int mergeDropped(int argc, char** argv, bool japanese, std::FILE* out, std::FILE* err) {
    MergeOptions options;
    options.japanese = japanese;
    for (int i = 1; i < argc; ++i) {
        options.images.push_back(argv[i]);
    }
    if (options.images.size() < 2 || options.images.size() > static_cast<std::size_t>(kMaxImages)) {
        d88console::printText(
            out, japanese
                     ? "同じディスクを読み取った .d88 イメージを 2 つ以上、d88merge.exe に\n"
                       "まとめてドロップしてください。統合したイメージを最初のイメージの横に\n"
                       "「名前 (merged).d88」として書き込みます。\n"
                     : "Drop two or more .d88 images of the same disk on d88merge.exe at once:\n"
                       "the merged image is written beside the first as \"NAME (merged).d88\".\n");
        return 1;
    }
    std::string output;
    for (int number = 1; number <= kMostNames && output.empty(); ++number) {
        const std::string name = mergedNameBeside(options.images[0], number);
        if (!d88::os::exists(name.c_str())) {
            output = name;
        }
    }
    if (output.empty()) {
        d88console::printText(err, japanese ? "d88merge: 書き込む名前が見つかりません\n"
                                            : "d88merge: no free name to write the merge under\n");
        return 1;
    }
    options.output = output.c_str();
    return mergeImages(options, false, {kWindowColumns}, out, err);
}

}  // namespace d88merge
