// A gun file of a mouse's data folder: read as the gun-key panel reads it, every bullet shown
// and written back, and all four guns packed into the gun-key image the mouse receives.

#include "device/mouse/gun_key_image.h"
#include "macros/gun_document.h"
#include "macros/gun_files.h"
#include "tests/fuzz/fuzz_input.h"

#include <cstddef>
#include <cstdint>

namespace {

using namespace morva;

void editEveryBullet(Json::Value document) {
    for (int bullet = 0; bullet < macros::kBulletsPerGun; ++bullet) {
        const macros::GunBullet shown = macros::readGunBullet(document, bullet);
        macros::writeGunBullet(document, bullet, shown);
    }
    macros::gunEvents(document);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::filesystem::path& folder = fuzz::scratchFolder();
    fuzz::writeFile(macros::gunFilePath(folder, 0), fuzz::asText(data, size));
    const std::array<Json::Value, 4> guns = macros::readGunDocuments(folder);
    macros::gunEvents(guns[0]);
    device::encodeGunKeyImage(guns);
    editEveryBullet(guns[0]);
    return 0;
}
