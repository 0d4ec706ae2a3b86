#include "ui/toolkit/edit.h"

#include "base/text.h"
#include "ui/toolkit/attribute_parse.h"
#include "ui/toolkit/language_store.h"
#include "ui/toolkit/notification.h"

#include <algorithm>

namespace morva::ui {
namespace {

// Bytes of the first `chars` UTF-8 characters.
size_t prefixBytes(std::string_view text, size_t chars) {
    size_t pos = 0;
    for (size_t n = 0; n < chars && pos < text.size(); ++n) {
        ++pos;
        while (pos < text.size() && (static_cast<unsigned char>(text[pos]) & 0xC0) == 0x80) {
            ++pos;
        }
    }
    return pos;
}

bool allDigits(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

} // namespace

void Edit::setNumberOnly(bool numberOnly) {
    assign(numberOnly_, numberOnly, Property::EditState);
}

void Edit::setMinValue(std::optional<int> value) {
    assign(minValue_, value, Property::EditState);
}

void Edit::setMaxValue(std::optional<int> value) {
    assign(maxValue_, value, Property::EditState);
}

void Edit::setMaxLength(size_t length) {
    assign(maxLength_, length, Property::EditState);
}

void Edit::setReadOnly(bool readOnly) {
    assign(readOnly_, readOnly, Property::EditState);
}

void Edit::setSelection(int start, int end) {
    if (selStart_ != start || selEnd_ != end) {
        selStart_ = start;
        selEnd_ = end;
        changed(Property::EditState);
    }
}

std::optional<int> Edit::numberValue() const {
    return attr::parseInt(rawText());
}

bool Edit::userInput(std::string_view text) {
    if (readOnly_ || !enabledInTree() || (numberOnly_ && !allDigits(text))) {
        return false;
    }
    setText(std::string(text.substr(0, prefixBytes(text, maxLength_))));
    sendNotify(notify::kTextChanged);
    return true;
}

void Edit::clampToRange() {
    const auto value = numberValue();
    if (!numberOnly_ || !value) {
        return;
    }
    int clamped = *value;
    if (minValue_ && clamped < *minValue_) {
        clamped = *minValue_;
    }
    if (maxValue_ && clamped > *maxValue_) {
        clamped = *maxValue_;
    }
    if (clamped != *value) {
        setText(std::to_string(clamped));
    }
}

void Edit::handleEvent(const UiEvent& e) {
    switch (e.type) {
    case EventType::SetFocus:
        sendNotify(notify::kSetFocus);
        return;
    case EventType::KillFocus:
        clampToRange();
        sendNotify(notify::kKillFocus);
        return;
    case EventType::KeyDown:
        if (e.key == kKeyReturn) {
            sendNotify(notify::kReturn);
        }
        return;
    default:
        Label::handleEvent(e);
    }
}

void Edit::setPromptText(std::string text) {
    if (promptText_ != text) {
        promptText_ = std::move(text);
        changed(Property::EditState);
    }
}

void Edit::onLanguageChanged() {
    Label::onLanguageChanged();
    if (LanguageStore::keyOf(promptText_)) {
        changed(Property::EditState);
    }
}

bool Edit::setAttribute(std::string_view name, std::string_view value) {
    const std::string key = toLowerAscii(name);
    if (key == "numberonly") {
        if (const auto v = attr::parseBool(value)) {
            setNumberOnly(*v);
        }
    } else if (key == "readonly") {
        if (const auto v = attr::parseBool(value)) {
            setReadOnly(*v);
        }
    } else if (key == "maxchar") {
        if (const auto v = attr::parseInt(value); v && *v >= 0) {
            setMaxLength(static_cast<size_t>(*v));
        }
    } else if (key == "prompttext") {
        setPromptText(std::string(value));
    } else if (key == "minvalue") {
        if (const auto v = attr::parseInt(value)) {
            setMinValue(*v);
        }
    } else if (key == "maxvalue") {
        if (const auto v = attr::parseInt(value)) {
            setMaxValue(*v);
        }
    } else {
        return Label::setAttribute(name, value);
    }
    return true;
}

} // namespace morva::ui
