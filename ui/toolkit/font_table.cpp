#include "ui/toolkit/font_table.h"

namespace morva::ui {

const FontSpec& FontTable::font(int index) const {
    const auto it = fonts_.find(index);
    return it == fonts_.end() ? default_ : it->second;
}

} // namespace morva::ui
