#include "app/language_apply.h"

#include "ui/toolkit/toolkit.h"

namespace morva::app {

void ToolkitLanguageTarget::rebuildFontTable(const FontTable& table) {
    ui::FontTable& fonts = toolkit_.fonts();
    fonts.removeAll();
    fonts.setDefaultFont(ui::FontSpec{table.face, table.defaultSize});
    for (const FontSpec& font : table.fonts) {
        fonts.add(font.id, ui::FontSpec{table.face, font.size, font.bold, font.underline, false});
    }
    ++builds_;
}

bool ToolkitLanguageTarget::loadLanguage(const LanguageEntry& entry) {
    if (!toolkit_.loadLanguageFile(entry.file)) {
        return false;
    }
    toolkit_.language().setLanguage(entry.name);
    toolkit_.reloadTexts();
    return true;
}

void ToolkitLanguageTarget::languageChanged() {
    if (changed_) {
        changed_();
    }
}

} // namespace morva::app
