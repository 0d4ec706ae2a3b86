#include "base/trace.h"
#include "tests/support/temp_dir.h"
#include "tests/toolkit/toolkit_fixture.h"
#include "ui/toolkit/combo.h"
#include "ui/toolkit/container.h"
#include "ui/toolkit/progress.h"
#include "ui/toolkit/skin_builder.h"

#include <fstream>

namespace morva::ui::test {
namespace {

class CircleProgress : public Progress {
public:
    std::string_view className() const override { return "CircleProgress"; }
};

class PanelHost : public VerticalLayout {
public:
    std::string_view className() const override { return "PanelHost"; }
};

// Collects the trace lines of one test.
class TraceCapture {
public:
    TraceCapture() {
        setTraceSink([this](std::string_view line) { lines.emplace_back(line); });
    }
    ~TraceCapture() { setTraceSink({}); }
    bool contains(std::string_view part) const {
        for (const auto& line : lines) {
            if (line.find(part) != std::string::npos) {
                return true;
            }
        }
        return false;
    }
    std::vector<std::string> lines;
};

using SkinBuilderTest = ToolkitTest;

TEST_F(SkinBuilderTest, MainSkinBuildsWithTheCustomTagMadeByTheCallback) {
    std::vector<std::string> asked;
    auto window = mainWindow([&](std::string_view tag) -> std::unique_ptr<Control> {
        asked.emplace_back(tag);
        if (tag == "CircleProgress") {
            return std::make_unique<CircleProgress>();
        }
        return nullptr;
    });

    // Only the tag the toolkit does not know reaches the callback.
    EXPECT_EQ(asked, std::vector<std::string>{"CircleProgress"});
    auto* progress = window->findAs<CircleProgress>("setting_progress");
    ASSERT_NE(progress, nullptr);
    // The caller's control got the tag's attributes and sits in the tree.
    EXPECT_FALSE(progress->visible());
    EXPECT_EQ(progress->maxValue(), 100);
    EXPECT_EQ(progress->fixedWidth(), 28);
    EXPECT_EQ(progress->rawToolTip(), "%[setting_progress_tip]");
    EXPECT_EQ(progress->attribute("forecolor"), "#FF0099FF");
    EXPECT_EQ(progress->parent()->name(), "status_bar");
    EXPECT_EQ(progress->window(), window.get());
}

TEST_F(SkinBuilderTest, MainSkinHasTheContractControlsAndWindowAttributes) {
    auto window = mainWindow();
    EXPECT_EQ(window->size(), (Size{1000, 640}));
    EXPECT_EQ(window->title(), "QT4410-VIGOR MORVA");
    EXPECT_EQ(window->root()->name(), "root");
    for (const char* name :
         {"closebtn", "minbtn", "maxbtn", "restorebtn", "skinbtn", "setbtn", "gamemodebtn",
          "cloudbtn", "smarteyesbtn", "control_light_status", "device_select_layout",
          "device_select_prev", "device_select_next", "device_switch", "device_power_switch",
          "No_device_Link", "nodevice_ok_btn", "str_test"}) {
        EXPECT_NE(window->find(name), nullptr) << name;
    }
    EXPECT_NE(window->findAs<TabLayout>("device_switch"), nullptr);
    EXPECT_NE(window->findAs<Container>("device_select_layout"), nullptr);
    // Without a callback the unknown tag is skipped and its siblings are still there.
    EXPECT_EQ(window->find("setting_progress"), nullptr);
}

TEST_F(SkinBuilderTest, EachSkippedUnknownTagIsTracedOnALineOfItsOwn) {
    std::string traced;
    setTraceSink([&](std::string_view text) { traced += text; });
    SkinBuilder builder(toolkit);
    auto root = builder.buildFromText(R"(<VerticalLayout name="top">
        <FirstUnknown/><SecondUnknown/><Button name="kept"/>
      </VerticalLayout>)");
    setTraceSink({});
    ASSERT_NE(root, nullptr);
    EXPECT_NE(root->asContainer()->findDescendant("kept"), nullptr);
    std::vector<std::string> lines;
    for (size_t start = 0, end; (end = traced.find('\n', start)) != std::string::npos;
         start = end + 1) {
        lines.push_back(traced.substr(start, end - start));
    }
    ASSERT_EQ(lines.size(), 2u) << traced;
    EXPECT_NE(lines[0].find("<FirstUnknown>"), std::string::npos) << lines[0];
    EXPECT_NE(lines[1].find("<SecondUnknown>"), std::string::npos) << lines[1];
    EXPECT_TRUE(traced.ends_with('\n')) << traced;
}

TEST_F(SkinBuilderTest, CallbackContainerIsFilledWithTheTagsChildren) {
    SkinBuilder builder(toolkit);
    auto root = builder.buildFromText(R"(<VerticalLayout name="top">
        <PanelHost name="panel" height="30"><Button name="inner_a"/><Label name="inner_b"/></PanelHost>
        <Combo name="combo"><Item text="one" userdata="1"/><Item text="two" userdata="2" selected="true"/></Combo>
      </VerticalLayout>)",
                                      [](std::string_view tag) -> std::unique_ptr<Control> {
                                          if (tag == "PanelHost") {
                                              return std::make_unique<PanelHost>();
                                          }
                                          return nullptr;
                                      });
    ASSERT_NE(root, nullptr);
    auto* panel = dynamic_cast<PanelHost*>(root->asContainer()->findDescendant("panel"));
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->fixedHeight(), 30);
    ASSERT_EQ(panel->count(), 2u);
    EXPECT_EQ(panel->childAt(0)->name(), "inner_a");
    EXPECT_EQ(panel->childAt(1)->className(), "Label");
    auto* combo = dynamic_cast<Combo*>(root->asContainer()->findDescendant("combo"));
    ASSERT_NE(combo, nullptr);
    ASSERT_EQ(combo->count(), 2u);
    EXPECT_EQ(combo->item(0)->userData, "1");
    EXPECT_EQ(combo->selectedIndex(), 1);
}

TEST_F(SkinBuilderTest, IncludeBuildsAnotherFileInPlace) {
    SkinBuilder builder(toolkit);
    auto root = builder.buildFromText(
        R"(<HorizontalLayout><Include source="menu_test_missing.xml"/><Include source="XML\main.xml" name="inc"/></HorizontalLayout>)");
    ASSERT_NE(root, nullptr);
    // The missing include is skipped; the other is built with the Include's attributes on top.
    ASSERT_EQ(root->asContainer()->count(), 1u);
    Control* included = root->asContainer()->childAt(0);
    EXPECT_EQ(included->name(), "inc");
    EXPECT_NE(included->asContainer()->findDescendant("No_device_Link"), nullptr);
}

// Each way a build can fail yields no tree and says why in the trace.
struct FailedBuildCase {
    const char* label;
    const char* resource;
    const char* traced;
};

// Names the case in test output instead of dumping its bytes.
void PrintTo(const FailedBuildCase& c, std::ostream* os) {
    *os << c.label;
}

class FailedBuildTest : public ToolkitTest, public ::testing::WithParamInterface<FailedBuildCase> {
protected:
    void SetUp() override {
        std::ofstream(skin.path() / "res.xml")
            << R"(<Resources><Res name="XML_GONE" file="XML/gone.xml"/><Res name="XML_BAD" file="bad.xml"/>)"
               R"(<Res name="XML_EMPTY" file="empty.xml"/></Resources>)";
        std::ofstream(skin.path() / "bad.xml") << "<VerticalLayout><Button></VerticalLayout>";
        std::ofstream(skin.path() / "empty.xml")
            << "<Window size=\"10,10\"><Font id=\"1\"/></Window>";
        ASSERT_TRUE(toolkit.setResourcePath(skin.path()));
    }
    morva::test::TempDir skin;
};

TEST_P(FailedBuildTest, YieldsNoneAndTracesWhy) {
    const FailedBuildCase& c = GetParam();
    TraceCapture traces;
    Window window(toolkit);
    window.create("TestWnd", "test", {100, 100});
    EXPECT_EQ(SkinBuilder(toolkit).build(c.resource), nullptr);
    EXPECT_FALSE(window.loadSkin(c.resource));
    EXPECT_EQ(window.root(), nullptr);
    EXPECT_TRUE(traces.contains(c.traced))
        << (traces.lines.empty() ? "no trace" : traces.lines.front());
}

INSTANTIATE_TEST_SUITE_P(
    Toolkit, FailedBuildTest,
    ::testing::Values(FailedBuildCase{"UnknownResource", "XML_NOPE", "no such resource"},
                      FailedBuildCase{"MissingFile", "XML_GONE", "is missing"},
                      FailedBuildCase{"BadXml", "XML_BAD", "not readable XML"},
                      FailedBuildCase{"NoControl", "XML_EMPTY", "holds no control"}),
    [](const auto& param) { return std::string(param.param.label); });

TEST_F(SkinBuilderTest, FailedLoadKeepsTheTreeAWindowHad) {
    auto window = mainWindow();
    Control* before = window->root();
    EXPECT_FALSE(window->loadSkin("XML_NOPE"));
    EXPECT_EQ(window->root(), before);
}

} // namespace
} // namespace morva::ui::test
