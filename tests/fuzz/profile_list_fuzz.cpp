// A device folder's profile list file: loaded as the profile panel loads it (with the repairs a
// damaged list gets), its document read directly, and the same bytes offered for import.

#include "base/json_file.h"
#include "profiles/list/profile_list.h"
#include "tests/fuzz/fuzz_input.h"

#include <cstddef>
#include <cstdint>

namespace {

using namespace morva;

// A fresh device folder holding the list file, plus a profile file when the input has a part for
// one (after its first NUL byte), named after the first identifier the list holds.
std::filesystem::path deviceFolderWith(std::string_view listText, std::string_view profileText) {
    const std::filesystem::path folder = fuzz::scratchFolder() / "device";
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
    std::filesystem::create_directories(folder);
    fuzz::writeFile(folder / profiles::kProfileListFileName, listText);
    const profiles::ProfileListContents contents =
        profiles::readProfileListDocument(parseJsonText(listText));
    if (!profileText.empty() && !contents.entries.empty()) {
        fuzz::writeFile(folder / profiles::profileFileName(contents.entries.front().identifier),
                        profileText);
    }
    return folder;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto [listText, profileText] = fuzz::splitAtNul(fuzz::asText(data, size));
    const std::filesystem::path folder = deviceFolderWith(listText, profileText);

    profiles::ProfileList list(folder, folder / "missing-default.Json", 1);
    list.load();
    list.refresh();

    Json::Value document = parseJsonText(listText);
    const profiles::ProfileListContents contents = profiles::readProfileListDocument(document);
    profiles::profileListMatches(document, contents.entries);
    profiles::setProfileListEntries(document, contents.entries);

    Json::Value imported;
    profiles::ProfileList::checkImportFile(folder / profiles::kProfileListFileName, &imported);
    return 0;
}
