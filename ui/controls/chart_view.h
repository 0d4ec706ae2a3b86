#pragma once

#include "ui/toolkit/control.h"

#include <string>
#include <vector>

namespace morva::ui {

// A chart of named values: a pie, or bars ("histpgram", the skin's spelling) standing on a
// shadow picture, each drawn with the pillar picture.
class CChartViewUI : public Control {
public:
    static constexpr std::string_view kClassName = "ChartView";
    static constexpr std::string_view kFactoryName = "CChartViewUI";
    std::string_view className() const override { return kClassName; }

    enum class View { Pie, Histogram };
    struct Item {
        std::string name;
        double value = 0;
    };

    View view() const { return view_; }
    const std::vector<Item>& items() const { return items_; }
    // Negative values count as none.
    void add(std::string name, double value);
    void removeAll();

    // An item's part of all values (pie), and of the largest value (bars); 0 when all are 0.
    double share(size_t index) const;
    double heightShare(size_t index) const;

    const std::string& shadowImage() const { return shadowImage_; }
    int shadowImageHeight() const { return shadowImageHeight_; }
    const std::string& pillarImage() const { return pillarImage_; }
    int pillarImageWidth() const { return pillarImageWidth_; }
    bool showHtml() const { return showHtml_; }
    // Whether the names (and the values) are written beside the chart.
    bool showText() const { return showText_; }

    bool setAttribute(std::string_view name, std::string_view value) override;

private:
    bool setNumber(int& field, std::string_view value);
    bool setFlag(bool& field, std::string_view value);

    View view_ = View::Pie;
    std::vector<Item> items_;
    std::string shadowImage_;
    int shadowImageHeight_ = 0;
    std::string pillarImage_;
    int pillarImageWidth_ = 0;
    bool showHtml_ = false;
    bool showText_ = true;
};

} // namespace morva::ui
