#include "ToolRun.h"

#include <algorithm>
#include <cstdlib>
#include <random>
#include <stdexcept>

#include "ImageBuilder.h"
#include "diskset/Catalogue.h"
#include "diskset/DiskKind.h"

namespace d88test {

std::filesystem::path pathOf(const std::string& utf8) {
    return std::filesystem::u8path(utf8);
}

ScratchDir::ScratchDir() {
    const char* base = std::getenv("TMPDIR");
    const std::filesystem::path root = base != nullptr && *base != '\0'
                                           ? std::filesystem::path(base)
                                           : std::filesystem::temp_directory_path();
    std::random_device seed;
    std::mt19937_64 random(seed());
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::filesystem::path candidate = root / ("d88test." + std::to_string(random()));
        std::error_code error;
        if (std::filesystem::create_directory(candidate, error)) {
            path_ = candidate.u8string();
            std::replace(path_.begin(), path_.end(), '\\', '/');
            return;
        }
    }
    throw std::runtime_error("cannot make a scratch directory");
}

ScratchDir::~ScratchDir() {
    std::error_code ignored;
    // Restore write permission in case a test took it away, then remove all.
    std::filesystem::permissions(pathOf(path_), std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(pathOf(path_), ignored);
}

bool ScratchDir::exists(const std::string& name) const {
    std::error_code ignored;
    return std::filesystem::exists(std::filesystem::symlink_status(pathOf(file(name)), ignored));
}

std::vector<std::string> ScratchDir::entries() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(pathOf(path_))) {
        names.push_back(entry.path().filename().u8string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string realDataDir() {
    const char* fromEnvironment = std::getenv("D88CUT_REALDATA");
    for (const char* dir : {fromEnvironment, D88CUT_REALDATA_DIR}) {
        std::error_code error;
        if (dir != nullptr && *dir != '\0' && std::filesystem::is_directory(pathOf(dir), error)) {
            return dir;
        }
    }
    return "";
}

#ifdef _WIN32
const char* const kDeviceName = "NUL";
#else
const char* const kDeviceName = "/dev/zero";
#endif

std::vector<std::uint8_t> farSectorBytes() {
    return d88mk::sectorContent(0, 1, 256);
}

void writeFarImage(const std::string& path) {
    const d88mk::Bytes first = d88mk::DiskBuilder().setDiskSize(kFarDiskStart).build();
    const std::uint32_t trackOffset = static_cast<std::uint32_t>(kFarTrackStart - kFarDiskStart);
    const d88mk::Bytes second = d88mk::DiskBuilder()
                                    .setName("FAR")
                                    .addSector(0, 1, 1, farSectorBytes())
                                    .setTrackOffset(0, trackOffset)
                                    .setDiskSize(trackOffset + 16 + 256)
                                    .build();
    const auto header = static_cast<std::ptrdiff_t>(d88mk::DiskBuilder::kHeaderSize);
    writeSparseFile(path, kFarTrackStart + 16 + 256,
                    {{0, first},
                     {kFarDiskStart, d88mk::Bytes(second.begin(), second.begin() + header)},
                     {kFarTrackStart, d88mk::Bytes(second.begin() + header, second.end())}});
}

std::string fromTextMode(std::string text) {
#ifdef _WIN32
    std::string lines;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            continue;
        }
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) {
            lines += "[line feed without carriage return]";
        }
        lines += text[i];
    }
    return lines;
#else
    return text;
#endif
}

std::string notCut(const std::vector<std::string>& names) {
    std::string lines;
    for (const std::string& name : names) {
        lines += name + cp932(" は最初のセクタが読めないため切り出せませんでした.\n");
    }
    return lines;
}

std::string fromMarkedRecords(const std::string& name) {
    return name + cp932(" は正常でないセクタ (CRC エラー, 削除マークなど) から切り出しました.\n");
}

std::string noDiskOfTheSet() {
    return cp932("このファイルにはセットのディスクが見つかりませんでした.\n");
}

std::string noneCut(const std::string& kindName, bool opFlag) {
    std::vector<std::string> names;
    for (int kind = 0; kind < 8; ++kind) {
        const d88cut::DiskKindInfo& info = d88cut::kindInfo(static_cast<d88cut::DiskKind>(kind));
        if (info.name == kindName && info.cuts != nullptr) {
            for (const d88cut::CutFile& file : d88cut::filesOf(*info.cuts, opFlag)) {
                names.push_back(file.name);
            }
        }
    }
    return notCut(names);
}

}  // namespace d88test
