// The update package's version file and the date of the last check: each offer looked up and
// its version compared as the update page does.

#include "tests/fuzz/fuzz_input.h"
#include "update/check_date.h"
#include "update/version_file.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace morva;
    const std::filesystem::path& folder = fuzz::scratchFolder();
    const std::filesystem::path versionFile = folder / "FWVerInfo.Ver";
    fuzz::writeFile(versionFile, fuzz::asText(data, size));

    const std::vector<update::OfferedVersion> offers = update::readVersionFile(versionFile);
    for (const update::OfferedVersion& offer : offers) {
        update::offersFor(offers, offer.device);
        update::offeredNumber(offer.version);
        update::comparableVersion(offer.version);
        update::comparableVersion(offer.device);
    }

    const std::filesystem::path dateFile = folder / update::kCheckDateFileName;
    fuzz::writeFile(dateFile, fuzz::asText(data, size));
    update::readCheckDate(dateFile, "2026-12-1");
    return 0;
}
