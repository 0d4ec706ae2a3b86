// A skin file and a language file, as a replaced skin folder could hold them: the input up to
// its first NUL byte is the skin file (which may include itself through the folder's index), the
// rest the language file. The language is loaded, then the skin is built into a window, laid out
// and its texts resolved, as the program builds its windows.

#include "base/virtual_event_loop.h"
#include "tests/fuzz/fuzz_input.h"
#include "tests/support/scripted_host.h"
#include "ui/toolkit/skin_builder.h"
#include "ui/toolkit/toolkit.h"
#include "ui/toolkit/window.h"

#include <cstddef>
#include <cstdint>

namespace {

using namespace morva;

// The skin folder: an index naming the skin file under a resource name and a file path.
const std::filesystem::path& skinFolder() {
    static const std::filesystem::path folder = [] {
        const std::filesystem::path made = fuzz::scratchFolder() / "skin";
        std::filesystem::create_directories(made);
        fuzz::writeFile(made / "res.xml",
                        R"(<Resources><Res name="XML_FUZZ" file="fuzz.xml"/>)"
                        R"(<Res name="XML_OTHER" file="XML\fuzz.xml"/></Resources>)");
        std::filesystem::create_directories(made / "XML");
        return made;
    }();
    return folder;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto [skinText, languageText] = fuzz::splitAtNul(fuzz::asText(data, size));
    const std::filesystem::path& folder = skinFolder();
    fuzz::writeFile(folder / "fuzz.xml", skinText);
    fuzz::writeFile(folder / "XML" / "fuzz.xml", skinText);
    fuzz::writeFile(folder / "lan.xml", languageText);

    VirtualEventLoop loop;
    ui::ScriptedHost host([&loop] { loop.runPending(); });
    ui::Toolkit toolkit(loop, host);
    toolkit.setResourcePath(folder);
    toolkit.loadLanguageFile("lan.xml");

    ui::Window window(toolkit);
    window.create("FuzzWnd", "%[title]", {800, 600});
    window.loadSkin("XML_FUZZ");
    loop.runPending();
    window.titleText();

    ui::SkinBuilder(toolkit).buildFromText(skinText);
    return 0;
}
