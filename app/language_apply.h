#pragma once

#include "app/language_config.h"

#include <functional>

namespace morva::ui {
class Toolkit;
}

namespace morva::app {

// Applies a language to the toolkit: the shared font table, the language file and every text.
class ToolkitLanguageTarget final : public LanguageTarget {
public:
    // languageChanged runs after every applied language (repaint, tell the open windows).
    ToolkitLanguageTarget(ui::Toolkit& toolkit, std::function<void()> languageChanged)
        : toolkit_(toolkit), changed_(std::move(languageChanged)) {}

    void rebuildFontTable(const FontTable& table) override;
    bool loadLanguage(const LanguageEntry& entry) override;
    void languageChanged() override;

    int fontTableBuilds() const { return builds_; }

private:
    ui::Toolkit& toolkit_;
    std::function<void()> changed_;
    int builds_ = 0;
};

} // namespace morva::app
