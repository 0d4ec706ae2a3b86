#include "ui/controls/chart_view.h"

#include "base/text.h"
#include "ui/toolkit/attribute_parse.h"

#include <algorithm>
#include <numeric>

namespace morva::ui {

void CChartViewUI::add(std::string name, double value) {
    items_.push_back({std::move(name), std::max(0.0, value)});
    changed(Property::Custom);
}

void CChartViewUI::removeAll() {
    if (!items_.empty()) {
        items_.clear();
        changed(Property::Custom);
    }
}

double CChartViewUI::share(size_t index) const {
    const double total =
        std::accumulate(items_.begin(), items_.end(), 0.0,
                        [](double sum, const Item& item) { return sum + item.value; });
    return index < items_.size() && total > 0 ? items_[index].value / total : 0.0;
}

double CChartViewUI::heightShare(size_t index) const {
    double largest = 0;
    for (const Item& item : items_) {
        largest = std::max(largest, item.value);
    }
    return index < items_.size() && largest > 0 ? items_[index].value / largest : 0.0;
}

bool CChartViewUI::setNumber(int& field, std::string_view value) {
    const auto number = attr::parseInt(value);
    if (!number || *number < 0) {
        return false;
    }
    assign(field, *number, Property::Custom);
    return true;
}

bool CChartViewUI::setFlag(bool& field, std::string_view value) {
    const auto flag = attr::parseBool(value);
    if (!flag) {
        return false;
    }
    assign(field, *flag, Property::Custom);
    return true;
}

bool CChartViewUI::setAttribute(std::string_view name, std::string_view value) {
    const std::string key = toLowerAscii(name);
    if (key == "view") {
        if (equalsIgnoreCase(value, "pie")) {
            assign(view_, View::Pie, Property::Custom);
            return true;
        }
        if (equalsIgnoreCase(value, "histpgram")) {
            assign(view_, View::Histogram, Property::Custom);
            return true;
        }
        return false;
    }
    if (key == "shadowimage") {
        assign(shadowImage_, std::string(value), Property::Custom);
        return true;
    }
    if (key == "pillarimage") {
        assign(pillarImage_, std::string(value), Property::Custom);
        return true;
    }
    if (key == "shadowimageheight") {
        return setNumber(shadowImageHeight_, value);
    }
    if (key == "pillarimagewidth") {
        return setNumber(pillarImageWidth_, value);
    }
    if (key == "showhtml") {
        return setFlag(showHtml_, value);
    }
    if (key == "showtext") {
        return setFlag(showText_, value);
    }
    return Control::setAttribute(name, value);
}

} // namespace morva::ui
