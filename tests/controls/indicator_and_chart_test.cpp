#include "tests/controls/controls_fixture.h"
#include "ui/controls/chart_view.h"
#include "ui/controls/circle_progress.h"
#include "ui/controls/redio_macro_button.h"

#include <string>
#include <vector>

namespace morva::ui::test {
namespace {

class RedioMacroButtonTest : public ControlsTest {
protected:
    RedioMacroButtonTest() {
        button = place<CRedioMacroButtonUI>("macro_redio_indicator");
        button->setAttribute("redioimage", "common/record.png");
        drain();
    }
    // The fade after each of the next steps of 50 ms.
    std::vector<int> fades(int steps) {
        std::vector<int> seen;
        for (int i = 0; i < steps; ++i) {
            loop.advance(50);
            seen.push_back(button->fade());
        }
        return seen;
    }
    CRedioMacroButtonUI* button = nullptr;
};

TEST_F(RedioMacroButtonTest, ThePulseFadesTo80AndBackTo255By20Every50Ms) {
    button->setAnimating(true);
    EXPECT_TRUE(button->hasTimer(CRedioMacroButtonUI::kPulseTimer));
    EXPECT_EQ(button->fade(), 255);
    EXPECT_EQ(fades(20), (std::vector<int>{235, 215, 195, 175, 155, 135, 115, 95,  80,  100,
                                           120, 140, 160, 180, 200, 220, 240, 255, 235, 215}));
    EXPECT_EQ(button->foreImage(), "file='common/record.png' fade='215'");
}

TEST_F(RedioMacroButtonTest, StoppingLeavesThePictureWholeAndStill) {
    button->setAnimating(true);
    fades(3);
    button->setAnimating(false);
    EXPECT_FALSE(button->animating());
    EXPECT_FALSE(button->hasTimer(CRedioMacroButtonUI::kPulseTimer));
    EXPECT_EQ(button->foreImage(), "file='common/record.png' fade='255'");
    loop.advance(500);
    EXPECT_EQ(button->fade(), 255);
}

TEST_F(RedioMacroButtonTest, ARestartBeginsAtFullStrengthFadingOut) {
    button->setAnimating(true);
    fades(12); // on the way up again
    button->setAnimating(true);
    EXPECT_EQ(fades(2), (std::vector<int>{235, 215}));
}

TEST(RedioMacroButtonImages, AFadeIsAddedToPlainAndDescribedPictures) {
    EXPECT_EQ(CRedioMacroButtonUI::fadedImage("a.png", 80), "file='a.png' fade='80'");
    EXPECT_EQ(CRedioMacroButtonUI::fadedImage("file='a.png' corner='2,2,2,2'", 100),
              "file='a.png' corner='2,2,2,2' fade='100'");
    EXPECT_EQ(CRedioMacroButtonUI::fadedImage("", 100), "");
}

TEST(CircleProgress, TheSectorSweepsValueOverRangeOfAFullTurn) {
    struct Case {
        int min;
        int max;
        int value;
        double degrees;
    };
    const Case cases[] = {
        {0, 100, 0, 0.0},     {0, 100, 25, 90.0}, {0, 100, 100, 360.0},
        {0, 200, 50, 90.0},   {0, 3, 1, 120.0},   {10, 10, 10, 0.0}, // an empty range sweeps none
        {50, 100, 75, 360.0}, // value over the range's width: kept to a full turn
    };
    for (const Case& c : cases) {
        CCircleProgressUI progress;
        progress.setRange(c.min, c.max);
        progress.setValue(c.value);
        EXPECT_DOUBLE_EQ(progress.sweepDegrees(), c.degrees)
            << c.min << ".." << c.max << " at " << c.value;
    }
    EXPECT_DOUBLE_EQ(CCircleProgressUI::kStartDegrees, 90.0);
}

TEST(CircleProgress, TheForegroundIsItsOwnColourElseTheTextColour) {
    CCircleProgressUI progress;
    progress.setTextColor(0xFF112233);
    EXPECT_EQ(progress.foreColor(), 0xFF112233u);
    EXPECT_TRUE(progress.setAttribute("forecolor", "#FF0099FF"));
    EXPECT_EQ(progress.foreColor(), 0xFF0099FFu);
    EXPECT_TRUE(progress.setAttribute("max", "50"));
    EXPECT_EQ(progress.maxValue(), 50) << "the progress attributes still apply";
}

TEST(ChartView, TheViewAttributeKnowsPieAndTheSkinsHistogramSpelling) {
    CChartViewUI chart;
    EXPECT_EQ(chart.view(), CChartViewUI::View::Pie);
    EXPECT_TRUE(chart.setAttribute("view", "histpgram"));
    EXPECT_EQ(chart.view(), CChartViewUI::View::Histogram);
    EXPECT_FALSE(chart.setAttribute("view", "histogram"));
    EXPECT_EQ(chart.view(), CChartViewUI::View::Histogram);
    EXPECT_TRUE(chart.setAttribute("view", "PIE"));
    EXPECT_EQ(chart.view(), CChartViewUI::View::Pie);
}

TEST(ChartView, ThePictureAttributesAndSwitchesAreKept) {
    CChartViewUI chart;
    EXPECT_TRUE(chart.setAttribute("shadowimage", "chart/shadow.png"));
    EXPECT_TRUE(chart.setAttribute("shadowimageheight", "12"));
    EXPECT_TRUE(chart.setAttribute("pillarimage", "chart/pillar.png"));
    EXPECT_TRUE(chart.setAttribute("pillarimagewidth", "18"));
    EXPECT_TRUE(chart.setAttribute("showhtml", "true"));
    EXPECT_TRUE(chart.setAttribute("showtext", "false"));
    EXPECT_FALSE(chart.setAttribute("pillarimagewidth", "-3"));
    EXPECT_EQ(chart.shadowImage(), "chart/shadow.png");
    EXPECT_EQ(chart.shadowImageHeight(), 12);
    EXPECT_EQ(chart.pillarImage(), "chart/pillar.png");
    EXPECT_EQ(chart.pillarImageWidth(), 18);
    EXPECT_TRUE(chart.showHtml());
    EXPECT_FALSE(chart.showText());
}

TEST(ChartView, SharesArePartsOfTheTotalAndBarsPartsOfTheLargest) {
    CChartViewUI chart;
    EXPECT_DOUBLE_EQ(chart.share(0), 0.0);
    chart.add("a", 10);
    chart.add("b", 30);
    chart.add("c", -5); // counts as none
    EXPECT_DOUBLE_EQ(chart.share(0), 0.25);
    EXPECT_DOUBLE_EQ(chart.share(1), 0.75);
    EXPECT_DOUBLE_EQ(chart.share(2), 0.0);
    EXPECT_DOUBLE_EQ(chart.heightShare(0), 10.0 / 30.0);
    EXPECT_DOUBLE_EQ(chart.heightShare(1), 1.0);
    EXPECT_DOUBLE_EQ(chart.share(3), 0.0) << "past the end";
    chart.removeAll();
    EXPECT_TRUE(chart.items().empty());
}

} // namespace
} // namespace morva::ui::test
