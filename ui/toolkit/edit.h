#pragma once

#include "ui/toolkit/label.h"

#include <optional>

namespace morva::ui {

// A one-line text input. User input goes through userInput(), which applies the number-only
// and length limits and sends "textchanged"; focus changes send "setfocus" and "killfocus";
// the Return key sends "return".
class Edit : public Label {
public:
    std::string_view className() const override { return "Edit"; }

    bool numberOnly() const { return numberOnly_; }
    void setNumberOnly(bool numberOnly);
    // Limits of a number-only edit's value, applied when it loses the focus; unset by default.
    std::optional<int> minValue() const { return minValue_; }
    std::optional<int> maxValue() const { return maxValue_; }
    void setMinValue(std::optional<int> value);
    void setMaxValue(std::optional<int> value);
    // Longest text in characters (not bytes).
    size_t maxLength() const { return maxLength_; }
    void setMaxLength(size_t length);
    bool readOnly() const { return readOnly_; }
    void setReadOnly(bool readOnly);
    // A hint shown while the edit is empty; it is never part of the text. A language key
    // ("%[key]") follows the language.
    std::string promptText() const { return resolveText(promptText_); }
    void setPromptText(std::string text);

    // Selection in characters; end -1 means to the end of the text.
    void setSelection(int start, int end);
    void selectAll() { setSelection(0, -1); }
    int selectionStart() const { return selStart_; }
    int selectionEnd() const { return selEnd_; }

    // The text as a number, when it is one.
    std::optional<int> numberValue() const;

    // The user typed: refused (false, nothing sent) while read-only, disabled, or when a
    // number-only edit gets anything but digits; longer texts are cut to the maximum length.
    bool userInput(std::string_view text);

    bool setAttribute(std::string_view name, std::string_view value) override;

protected:
    void handleEvent(const UiEvent& e) override;
    void onLanguageChanged() override;

private:
    void clampToRange();

    bool numberOnly_ = false;
    std::optional<int> minValue_;
    std::optional<int> maxValue_;
    size_t maxLength_ = 255;
    bool readOnly_ = false;
    std::string promptText_;
    int selStart_ = 0;
    int selEnd_ = 0;
};

// A multi-line edit.
class RichEdit : public Edit {
public:
    RichEdit() { setMaxLength(65535); }
    std::string_view className() const override { return "RichEdit"; }
};

} // namespace morva::ui
