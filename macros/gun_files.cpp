#include "macros/gun_files.h"

#include "base/file_io.h"
#include "base/json_file.h"
#include "base/trace.h"
#include "macros/gun_document.h"

#include <string>

namespace morva::macros {

std::filesystem::path gunFilePath(const std::filesystem::path& folder, int gun) {
    return folder / ("ShootData_" + std::to_string(gun) + ".Shoot");
}

Json::Value readGunDocument(const std::filesystem::path& folder, int gun) {
    return readjsonFile(gunFilePath(folder, gun));
}

std::array<Json::Value, 4> readGunDocuments(const std::filesystem::path& folder) {
    static_assert(kGunCount == 4);
    return {readGunDocument(folder, 0), readGunDocument(folder, 1), readGunDocument(folder, 2),
            readGunDocument(folder, 3)};
}

bool copyFileText(const std::filesystem::path& from, const std::filesystem::path& to) {
    const FileReadResult source = readRegularFile(from);
    if (!source.ok()) {
        trace("gun keys: %s cannot be read: %s\n", from.string().c_str(),
              describeFileReadStatus(source.status));
        return false;
    }
    return replaceFileAtomically(to, source.content) == FileWriteStatus::Ok;
}

bool restoreGunFile(const std::filesystem::path& dataFolder,
                    const std::filesystem::path& defaultFolder, int gun) {
    return copyFileText(gunFilePath(defaultFolder, gun), gunFilePath(dataFolder, gun));
}

void restoreMissingGunFiles(const std::filesystem::path& dataFolder,
                            const std::filesystem::path& defaultFolder) {
    for (int gun = 0; gun < kGunCount; ++gun) {
        if (readGunDocument(dataFolder, gun).isNull() &&
            !restoreGunFile(dataFolder, defaultFolder, gun)) {
            // The file exists from now on, so the panel and the mouse see a gun without bullets.
            replaceFileAtomically(gunFilePath(dataFolder, gun), "");
        }
    }
}

} // namespace morva::macros
