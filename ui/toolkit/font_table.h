#pragma once

#include <map>
#include <optional>
#include <string>

namespace morva::ui {

struct FontSpec {
    std::string face;
    int size = 12; // pixels at 96 DPI
    bool bold = false;
    bool underline = false;
    bool italic = false;
    friend bool operator==(const FontSpec&, const FontSpec&) = default;
};

// The fonts all windows share, by index; a control's font index picks one, -1 the default.
class FontTable {
public:
    const FontSpec& defaultFont() const { return default_; }
    void setDefaultFont(FontSpec font) { default_ = std::move(font); }
    void add(int index, FontSpec font) { fonts_[index] = std::move(font); }
    // The font of that index; the default font for -1 or an index not in the table.
    const FontSpec& font(int index) const;
    bool contains(int index) const { return fonts_.contains(index); }
    void removeAll() { fonts_.clear(); }
    const std::map<int, FontSpec>& fonts() const { return fonts_; }

private:
    FontSpec default_{"arial", 12};
    std::map<int, FontSpec> fonts_;
};

} // namespace morva::ui
