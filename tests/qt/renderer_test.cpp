#include "base/window_messages.h"
#include "frontend/qt/qt_widgets.h"
#include "qt_fixture.h"
#include "ui/controls/combo_edit_container_element.h"
#include "ui/toolkit/color_palette.h"
#include "ui/toolkit/combo.h"
#include "ui/toolkit/container.h"
#include "ui/toolkit/edit.h"
#include "ui/toolkit/label.h"
#include "ui/toolkit/layout.h"
#include "ui/toolkit/list.h"
#include "ui/toolkit/menu.h"
#include "ui/toolkit/option.h"
#include "ui/toolkit/progress.h"

#include <QApplication>
#include <QMenu>
#include <QSystemTrayIcon>
#include <QTest>
#include <QWheelEvent>

namespace morva::qt::test {
namespace {

using ::testing::ElementsAre;

// A window with a vertical root holding the controls of a test, shown.
class RendererTest : public QtTest {
protected:
    RendererTest() {
        win = window();
        auto root = std::make_unique<ui::VerticalLayout>();
        root->setName("root");
        rootLayout = root.get();
        win->setRoot(std::move(root));
        win->show();
        pump();
        log.clear();
    }

    template <typename T> T* add(const std::string& name, int height = 30) {
        auto control = std::make_unique<T>();
        control->setName(name);
        control->setFixedHeight(height);
        T* raw = control.get();
        rootLayout->add(std::move(control));
        pump();
        return raw;
    }
    template <typename W> W* widget(const ui::Control& control) {
        return dynamic_cast<W*>(renderer.widgetOf(control));
    }

    std::unique_ptr<ui::Window> win;
    ui::Container* rootLayout = nullptr;
};

TEST_F(RendererTest, CommonPropertiesReachTheWidget) {
    auto* label = add<ui::Label>("caption");
    auto* w = widget<SkinWidget>(*label);
    ASSERT_NE(w, nullptr);

    label->setText("Hello");
    label->setToolTip("tip");
    EXPECT_EQ(w->shownText(), "Hello");
    EXPECT_EQ(w->toolTip(), "tip");

    label->setVisible(false);
    EXPECT_TRUE(w->isHidden());
    label->setVisible(true);
    EXPECT_FALSE(w->isHidden());

    label->setEnabled(false);
    EXPECT_FALSE(w->isEnabled());
    label->setEnabled(true);
    EXPECT_TRUE(w->isEnabled());
}

TEST_F(RendererTest, KeyedTextsFollowTheLanguage) {
    ASSERT_TRUE(toolkit.loadLanguageFile("lan_en.xml"));
    auto* label = add<ui::Label>("notice");
    label->setTextKey("no_device_text");
    auto* w = widget<SkinWidget>(*label);
    EXPECT_EQ(w->shownText(), "No device connected");
    ASSERT_TRUE(toolkit.loadLanguageFile("lan_cn.xml"));
    toolkit.reloadTexts();
    EXPECT_NE(w->shownText(), "No device connected");
    EXPECT_FALSE(w->shownText().isEmpty());
}

TEST_F(RendererTest, WidgetsArePlacedAtTheLayoutRectangles) {
    auto* first = add<ui::Label>("first", 40);
    auto* second = add<ui::Button>("second", 50);
    second->setPadding({10, 5, 10, 0});
    pump();
    EXPECT_EQ(renderer.widgetOf(*first)->geometry(), QRect(0, 0, 400, 40));
    EXPECT_EQ(renderer.widgetOf(*second)->geometry(), QRect(10, 45, 380, 50));

    win->setDpi(144);
    pump();
    EXPECT_EQ(renderer.widgetOf(*win)->size(), QSize(600, 450));
    EXPECT_EQ(renderer.widgetOf(*first)->geometry(), QRect(0, 0, 600, 60));
}

TEST_F(RendererTest, ButtonClickBecomesClickNotification) {
    auto* button = add<ui::Button>("okbtn");
    QWidget* w = renderer.widgetOf(*button);
    QTest::mouseClick(w, Qt::LeftButton);
    EXPECT_THAT(drain(), ElementsAre("click:okbtn"));

    button->setEnabled(false);
    QTest::mouseClick(w, Qt::LeftButton);
    EXPECT_TRUE(drain().empty());
}

TEST_F(RendererTest, ButtonTakesTheKeyboard) {
    auto* button = add<ui::Button>("okbtn");
    QWidget* w = renderer.widgetOf(*button);
    QTest::keyClick(w, Qt::Key_Space);
    EXPECT_THAT(drain(), ElementsAre("click:okbtn"));
}

TEST_F(RendererTest, OptionSelectionBothWays) {
    auto* a = add<ui::Option>("tab_a");
    auto* b = add<ui::Option>("tab_b");
    a->setGroup("tabs");
    b->setGroup("tabs");
    a->setSelected(true, false);
    EXPECT_TRUE(widget<SkinOption>(*a)->isSelected());
    EXPECT_FALSE(widget<SkinOption>(*b)->isSelected());

    QTest::mouseClick(renderer.widgetOf(*b), Qt::LeftButton);
    EXPECT_THAT(drain(), ElementsAre("click:tab_b", "selectchanged:tab_b"));
    EXPECT_TRUE(b->selected());
    EXPECT_TRUE(widget<SkinOption>(*b)->isSelected());
    EXPECT_FALSE(widget<SkinOption>(*a)->isSelected());
}

TEST_F(RendererTest, CheckBoxTogglesBothWays) {
    auto* check = add<ui::CheckBox>("enable_check");
    check->setChecked(true, false);
    EXPECT_TRUE(widget<SkinOption>(*check)->isSelected());
    QTest::mouseClick(renderer.widgetOf(*check), Qt::LeftButton);
    EXPECT_THAT(drain(), ElementsAre("click:enable_check", "selectchanged:enable_check"));
    EXPECT_FALSE(check->checked());
    EXPECT_FALSE(widget<SkinOption>(*check)->isSelected());
}

TEST_F(RendererTest, EditTextBothWaysAndFocus) {
    auto* edit = add<ui::Edit>("name_edit");
    auto* w = widget<SkinEdit>(*edit);
    ASSERT_NE(w, nullptr);
    edit->setText("abc");
    EXPECT_EQ(w->text(), "abc");

    w->clear();
    edit->setText("");
    QTest::keyClicks(w, "xy");
    EXPECT_EQ(edit->text(), "xy");
    EXPECT_THAT(drain(), ElementsAre("textchanged:name_edit", "textchanged:name_edit"));

    edit->setReadOnly(true);
    EXPECT_TRUE(w->isReadOnly());
}

TEST_F(RendererTest, NumberOnlyEditRefusesLettersOnTheWidget) {
    auto* edit = add<ui::Edit>("dpi_edit");
    edit->setNumberOnly(true);
    edit->setText("12");
    auto* w = widget<SkinEdit>(*edit);
    w->setCursorPosition(2);
    QTest::keyClicks(w, "a");
    EXPECT_EQ(edit->text(), "12");
    EXPECT_EQ(w->text(), "12");
    QTest::keyClicks(w, "3");
    EXPECT_EQ(edit->text(), "123");
}

TEST_F(RendererTest, EditFocusSendsSetAndKillFocus) {
    auto* edit = add<ui::Edit>("macro_delay");
    auto* other = add<ui::Edit>("other_edit");
    renderer.widgetOf(*win)->activateWindow();
    renderer.widgetOf(*edit)->setFocus();
    ASSERT_TRUE(waitFor([&] { return renderer.widgetOf(*edit)->hasFocus(); }));
    renderer.widgetOf(*other)->setFocus();
    ASSERT_TRUE(waitFor([&] { return renderer.widgetOf(*other)->hasFocus(); }));
    const auto events = drain();
    EXPECT_NE(std::find(events.begin(), events.end(), "setfocus:macro_delay"), events.end());
    EXPECT_NE(std::find(events.begin(), events.end(), "killfocus:macro_delay"), events.end());
}

TEST_F(RendererTest, ComboItemsAndSelectionBothWays) {
    auto* combo = add<ui::Combo>("light_combo_modeSelect");
    combo->addItem("Static");
    combo->addItem("Breathing");
    combo->addItem("Wave");
    combo->selectItem(1, false);
    auto* w = widget<SkinCombo>(*combo);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->count(), 3);
    EXPECT_EQ(w->itemText(2), "Wave");
    EXPECT_EQ(w->currentIndex(), 1);

    w->setFocus();
    QTest::keyClick(w, Qt::Key_Down);
    EXPECT_EQ(combo->selectedIndex(), 2);
    EXPECT_THAT(drain(), ElementsAre("itemselect:light_combo_modeSelect"));
    EXPECT_EQ(last.wParam, 2);
    EXPECT_EQ(last.lParam, 1);
}

TEST_F(RendererTest, AFocusedTabKeepsItsOwnLookBesideTheSelectedOne) {
    // Device tabs use their selected picture as the hot one.
    auto* focused = add<ui::Option>("tab_focused");
    auto* chosen = add<ui::Option>("tab_chosen");
    for (ui::Option* tab : {focused, chosen}) {
        tab->setGroup("tabs");
        tab->setAttribute("normalimage", "common/device_ico/unknow_device_normal.svg");
        tab->setAttribute("hotimage", "common/device_ico/unknow_device_selected.png");
        tab->setAttribute("selectedimage", "common/device_ico/unknow_device_selected.png");
    }
    chosen->setSelected(true, false);
    auto* w = widget<SkinOption>(*focused);
    w->setFocus();
    EXPECT_TRUE(w->hasFocus());
    EXPECT_EQ(w->shownStateImage(), "normalimage");
    EXPECT_EQ(widget<SkinOption>(*chosen)->shownStateImage(), "selectedimage");
}

TEST_F(RendererTest, SliderValueBothWays) {
    auto* slider = add<ui::Slider>("deng_light_slider");
    slider->setRange(0, 100);
    slider->setValue(40);
    auto* w = widget<SkinSlider>(*slider);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->maximum(), 100);
    EXPECT_EQ(w->value(), 40);

    // A drag: moving reports live values, letting go the final one.
    w->setSliderDown(true);
    w->setSliderPosition(55);
    w->setSliderDown(false);
    EXPECT_EQ(slider->value(), 55);
    EXPECT_THAT(drain(), ElementsAre("movevaluechanged:deng_light_slider",
                                     "valuechanged:deng_light_slider"));

    w->setFocus();
    QTest::keyClick(w, Qt::Key_Right);
    EXPECT_EQ(slider->value(), 56);
    EXPECT_THAT(drain(), ElementsAre("valuechanged:deng_light_slider"));
}

TEST_F(RendererTest, ProgressShowsTheModelValue) {
    auto* progress = add<ui::Progress>("setting_bar");
    progress->setRange(0, 10);
    progress->setValue(7);
    auto* w = widget<SkinProgress>(*progress);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->maximum(), 10);
    EXPECT_EQ(w->value(), 7);
}

// The skin's groove and value colours, and the side the value grows from.
TEST_F(RendererTest, ProgressPaintsTheSkinsColoursFromTheSkinsSide) {
    const QColor groove(0x00, 0x99, 0xFF);
    const QColor valuePart(0x2A, 0x2F, 0x38);
    for (const bool inverted : {false, true}) {
        auto progress = std::make_unique<ui::Progress>();
        progress->setName(inverted ? "from_right" : "from_left");
        progress->setFixedHeight(12);
        progress->setAttribute("bkcolor", "#FF0099FF");
        progress->setAttribute("forecolor", "#FF2A2F38");
        progress->setAttribute("inverted", inverted ? "true" : "false");
        progress->setValue(25);
        ui::Progress* raw = progress.get();
        rootLayout->add(std::move(progress));
        pump();
        QWidget* w = renderer.widgetOf(*raw);
        ASSERT_NE(w, nullptr);
        const QImage picture = w->grab().toImage();
        const int y = picture.height() / 2;
        const QColor left = picture.pixelColor(picture.width() / 10, y);
        const QColor right = picture.pixelColor(picture.width() * 9 / 10, y);
        EXPECT_EQ(left, inverted ? groove : valuePart) << raw->name();
        EXPECT_EQ(right, inverted ? valuePart : groove) << raw->name();
    }
}

TEST_F(RendererTest, ListRowsClickAndDoubleClick) {
    auto* list = add<ui::List>("macro_name_list", 90);
    for (const char* name : {"row_a", "row_b"}) {
        auto row = std::make_unique<ui::ListLabelElement>();
        row->setName(name);
        row->setFixedHeight(30);
        list->add(std::move(row));
    }
    pump();
    log.clear();
    ui::Control* second = list->childAt(1);
    QTest::mouseClick(renderer.widgetOf(*second), Qt::LeftButton);
    auto events = drain();
    EXPECT_NE(std::find(events.begin(), events.end(), "itemselect:macro_name_list"), events.end());
    EXPECT_NE(std::find(events.begin(), events.end(), "itemclick:row_b"), events.end());
    EXPECT_EQ(list->selectedIndex(), 1);

    QTest::mouseDClick(renderer.widgetOf(*second), Qt::LeftButton);
    events = drain();
    EXPECT_NE(std::find(events.begin(), events.end(), "dbclick:row_b"), events.end());
}

// A row built from a content file has a layout over its whole area; a press on the row's text
// still reaches the row and selects it.
TEST_F(RendererTest, APressOnARowsTextSelectsTheRow) {
    auto* list = add<ui::List>("events", 90);
    std::vector<ui::CComboEditContainerElementUI*> rows;
    for (int i = 0; i < 2; ++i) {
        auto row = std::make_unique<ui::CComboEditContainerElementUI>();
        row->setFixedHeight(30);
        rows.push_back(static_cast<ui::CComboEditContainerElementUI*>(list->add(std::move(row))));
    }
    pump();
    ASSERT_NE(rows[1]->text1(), nullptr);
    QWidget* text = renderer.widgetOf(*rows[1]->text1());
    ASSERT_NE(text, nullptr);
    QWidget* top = renderer.widgetOf(*win);
    const QPoint at = text->mapTo(top, QPoint(4, text->height() / 2));
    QWidget* hit = top->childAt(at);
    ASSERT_NE(hit, nullptr);
    QTest::mousePress(hit, Qt::LeftButton, {}, hit->mapFrom(top, at));
    QTest::mouseRelease(hit, Qt::LeftButton, {}, hit->mapFrom(top, at));
    pump();
    EXPECT_EQ(list->selectedIndex(), 1);

    // The row's field keeps its own presses: it takes the focus and the typing.
    ui::Control* field = rows[0]->delayEdit();
    ASSERT_NE(field, nullptr);
    QWidget* fieldWidget = renderer.widgetOf(*field);
    ASSERT_NE(fieldWidget, nullptr);
    const QPoint inField = fieldWidget->mapTo(top, fieldWidget->rect().center());
    EXPECT_EQ(top->childAt(inField), fieldWidget);
}

TEST_F(RendererTest, TheWheelScrollsAListAndItsRowsMoveUp) {
    auto* list = add<ui::List>("macro_action_list", 90);
    for (int i = 0; i < 10; ++i) {
        list->add(std::make_unique<ui::ListLabelElement>())->setFixedHeight(30);
    }
    pump();
    // The desktop's wheel over a row goes on to the list; a made-up one goes to the list itself.
    QWidget* shown = renderer.widgetOf(*list);
    const QPoint at(5, 5);
    QWheelEvent down(at, shown->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton,
                     Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(shown, &down);
    pump();
    EXPECT_EQ(list->scrollOffset(), 30);
    EXPECT_EQ(renderer.widgetOf(*list->childAt(1))->geometry().top(), 0);
}

TEST_F(RendererTest, PaletteClickPicksTheColourUnderThePointer) {
    auto* palette = add<ui::ColorPalette>("deng_Color_Pallet", 100);
    auto* w = widget<SkinPalette>(*palette);
    ASSERT_NE(w, nullptr);
    const QPoint at(w->width() / 3, w->height() / 2);
    QTest::mouseClick(w, Qt::LeftButton, {}, at);
    EXPECT_EQ(palette->color(), w->colorAt(at).rgba());
    EXPECT_EQ(w->shownColor().rgba(), palette->color());
    EXPECT_THAT(drain(), ElementsAre("colorchanged:deng_Color_Pallet"));
}

TEST_F(RendererTest, TabLayoutShowsOnlyTheSelectedPage) {
    auto* tabs = add<ui::TabLayout>("skin_tab", 60);
    tabs->add(std::make_unique<ui::Label>());
    tabs->add(std::make_unique<ui::Label>());
    pump();
    tabs->selectItem(1);
    pump();
    EXPECT_TRUE(renderer.widgetOf(*tabs->childAt(0))->isHidden());
    EXPECT_FALSE(renderer.widgetOf(*tabs->childAt(1))->isHidden());
}

TEST_F(RendererTest, RemovedControlsLoseTheirWidgets) {
    auto* label = add<ui::Label>("gone");
    ASSERT_NE(renderer.widgetOf(*label), nullptr);
    auto taken = rootLayout->remove(label);
    EXPECT_EQ(renderer.widgetOf(*label), nullptr);
}

TEST_F(RendererTest, WindowStateAndTitleReachTheTopWidget) {
    QWidget* top = renderer.widgetOf(*win);
    ASSERT_NE(top, nullptr);
    EXPECT_TRUE(top->isVisible());
    win->setTitle("Renamed");
    EXPECT_EQ(top->windowTitle(), "Renamed");
    win->move({30, 40});
    EXPECT_EQ(top->pos(), QPoint(30, 40));
    win->hide();
    EXPECT_FALSE(top->isVisible());
}

TEST_F(RendererTest, AWindowShownAgainComesBackWhereItWas) {
    QWidget* top = renderer.widgetOf(*win);
    ASSERT_NE(top, nullptr);
    win->move({200, 150});
    for (int i = 0; i < 10; ++i) {
        win->hide();
        pump();
        // Wherever the desktop put the hidden window, showing it brings it back.
        top->move(top->pos() + QPoint(0, -5));
        win->show();
        pump();
        ASSERT_EQ(top->pos(), QPoint(200, 150)) << "after " << i + 1 << " restores";
    }
    EXPECT_EQ(win->position(), (ui::Point{200, 150}));
}

TEST_F(RendererTest, AResizedWindowLaysItsContentOutForTheNewSize) {
    auto* fill = add<ui::Control>("fill", 0);
    QWidget* top = renderer.widgetOf(*win);
    ASSERT_NE(top, nullptr);
    EXPECT_EQ(top->minimumSize(), QSize(0, 0)) << "a window without a minimum keeps its size";
    EXPECT_EQ(top->findChild<QWidget*>("size_grip"), nullptr);

    win->setMinimumSize({300, 200});
    pump();
    EXPECT_EQ(top->minimumSize(), QSize(300, 200));
    EXPECT_NE(top->findChild<QWidget*>("size_grip"), nullptr);

    // The desktop or the grip resizes the window: the model follows and lays out anew.
    top->resize(520, 410);
    pump();
    EXPECT_EQ(win->size(), (ui::Size{520, 410}));
    EXPECT_EQ(renderer.widgetOf(*fill)->width(), 520);

    // At twice the DPI the model keeps its size in skin pixels.
    win->setDpi(192);
    pump();
    EXPECT_EQ(top->size(), QSize(1040, 820));
    EXPECT_EQ(top->minimumSize(), QSize(600, 400));
    top->resize(1100, 900);
    pump();
    EXPECT_EQ(win->size(), (ui::Size{550, 450}));
}

TEST_F(RendererTest, AnEditsPromptIsAPlaceholderNotText) {
    auto* edit = add<ui::RichEdit>("repeat_input_richedit", 28);
    auto* w = widget<SkinRichEdit>(*edit);
    ASSERT_NE(w, nullptr);
    edit->setPromptText("Hold a key here");
    EXPECT_EQ(w->placeholderText(), "Hold a key here");
    EXPECT_EQ(w->toPlainText(), "");
    w->setFocus();
    QTest::keyClicks(w, "jj");
    EXPECT_EQ(edit->text(), "jj");
}

TEST_F(RendererTest, ClosingTheTopWidgetAsksTheModel) {
    std::vector<uint32_t> messages;
    bool answer = true;
    win->setMessageHandler([&](const ui::WindowMessage& m) -> std::optional<int64_t> {
        messages.push_back(m.id);
        if (m.id == kMsgClose && answer) {
            return 1; // the handler keeps the window
        }
        return std::nullopt;
    });
    renderer.widgetOf(*win)->close();
    pump();
    EXPECT_NE(std::find(messages.begin(), messages.end(), kMsgClose), messages.end());
    EXPECT_TRUE(win->visible());

    answer = false; // unanswered: the window closes
    renderer.widgetOf(*win)->close();
    pump();
    EXPECT_TRUE(win->closed());
    EXPECT_FALSE(renderer.widgetOf(*win)->isVisible());
}

// The name of each menu item chosen over the window goes into `chosen`.
void recordMenuChoices(ui::Window& window, std::string& chosen) {
    window.setMessageHandler([&chosen](const ui::WindowMessage& m) -> std::optional<int64_t> {
        if (m.id == kMsgMenuChosen) {
            chosen = std::any_cast<ui::MenuItemRecord>(m.payload).name;
        }
        return std::nullopt;
    });
}

TEST_F(RendererTest, MenuChoiceReachesTheOwner) {
    ASSERT_TRUE(toolkit.loadLanguageFile("lan_en.xml"));
    std::string chosen;
    recordMenuChoices(*win, chosen);
    ASSERT_NE(toolkit.showMenu(*win, "XML_MENU", {50, 60}), nullptr);
    QMenu* menu = renderer.shownMenu();
    ASSERT_NE(menu, nullptr);
    QStringList texts;
    for (QAction* action : menu->actions()) {
        texts << action->text();
    }
    EXPECT_EQ(texts, QStringList({"Settings", "About", "Exit"}));
    for (QAction* action : menu->actions()) {
        if (action->objectName() == "about_menu") {
            action->trigger();
        }
    }
    pump();
    EXPECT_EQ(chosen, "about_menu");
    EXPECT_EQ(toolkit.currentMenu(), nullptr);
    EXPECT_EQ(renderer.shownMenu(), nullptr);
}

// A click on an item hides the menu before the item reports that it was triggered: the choice
// still reaches the owner.
TEST_F(RendererTest, AMenuThatHidesBeforeItsItemTriggersStillDeliversTheChoice) {
    ASSERT_TRUE(toolkit.loadLanguageFile("lan_en.xml"));
    std::string chosen;
    recordMenuChoices(*win, chosen);
    ASSERT_NE(toolkit.showMenu(*win, "XML_MENU", {50, 60}), nullptr);
    QMenu* menu = renderer.shownMenu();
    ASSERT_NE(menu, nullptr);
    QAction* exit = menu->findChild<QAction*>("exit");
    ASSERT_NE(exit, nullptr);
    menu->hide();
    exit->trigger();
    pump();
    EXPECT_EQ(chosen, "exit");
    EXPECT_EQ(toolkit.currentMenu(), nullptr);

    // Hidden without a choice (Escape, a click elsewhere): the menu just closes.
    chosen.clear();
    ASSERT_NE(toolkit.showMenu(*win, "XML_MENU", {50, 60}), nullptr);
    renderer.shownMenu()->hide();
    pump();
    EXPECT_EQ(chosen, "");
    EXPECT_EQ(toolkit.currentMenu(), nullptr);
}

TEST_F(RendererTest, TrayIconWaitsForADesktopTray) {
    // The offscreen platform has no tray: the model keeps its icon, nothing is shown.
    toolkit.tray().create(*win, 107, "QT4410-VIGOR MORVA", 0x0401);
    EXPECT_EQ(renderer.trayAvailable(), QSystemTrayIcon::isSystemTrayAvailable());
    if (!renderer.trayAvailable()) {
        EXPECT_EQ(renderer.trayIcon(), nullptr);
    } else {
        ASSERT_NE(renderer.trayIcon(), nullptr);
        EXPECT_EQ(renderer.trayIcon()->toolTip(), "QT4410-VIGOR MORVA");
    }
}

TEST_F(RendererTest, FontsComeFromTheTableAtTheWindowsDpi) {
    toolkit.fonts().add(3, ui::FontSpec{"arial", 30, true});
    renderer.setFontFamilyAlias("arial", "Liberation Sans");
    auto* label = add<ui::Label>("big");
    label->setFont(3);
    QFont font = renderer.widgetOf(*label)->font();
    EXPECT_EQ(font.pixelSize(), 30);
    EXPECT_TRUE(font.bold());
    EXPECT_EQ(font.family(), "Liberation Sans");
    EXPECT_EQ(font.families(), QStringList{"Liberation Sans"});

    // The fallbacks follow the face's own family, and a face without an alias keeps its name.
    renderer.setFallbackFamilies({"WenQuanYi Micro Hei"});
    toolkit.fonts().add(4, ui::FontSpec{"Courier", 12});
    auto* other = add<ui::Label>("other");
    other->setFont(4);
    renderer.refreshAll();
    EXPECT_EQ(renderer.widgetOf(*label)->font().families(),
              QStringList({"Liberation Sans", "WenQuanYi Micro Hei"}));
    EXPECT_EQ(renderer.widgetOf(*other)->font().families(),
              QStringList({"Courier", "WenQuanYi Micro Hei"}));

    win->setDpi(144);
    pump();
    EXPECT_EQ(renderer.widgetOf(*label)->font().pixelSize(), 45);

    // A rebuilt table reaches the widgets when the renderer reads them again.
    toolkit.fonts().add(3, ui::FontSpec{"arial", 20});
    renderer.refreshAll();
    EXPECT_EQ(renderer.widgetOf(*label)->font().pixelSize(), 30);
    EXPECT_FALSE(renderer.widgetOf(*label)->font().bold());
}

// Widgets are made as controls are first shown, so pages nobody opens cost nothing.
TEST_F(RendererTest, EveryShownControlOfTheMainSkinHasAWidgetAndHiddenOnesGetTheirsWhenShown) {
    auto main = window("MainWnd");
    ASSERT_TRUE(main->loadSkin("XML_MAIN"));
    main->show();
    pump();
    int shown = 0;
    std::vector<std::string> missing;
    main->visitControls([&](ui::Control& c) {
        if (c.visibleInTree()) {
            ++shown;
            if (!renderer.widgetOf(c)) {
                missing.push_back(c.name());
            }
        }
        return true;
    });
    EXPECT_GT(shown, 20);
    EXPECT_THAT(missing, ::testing::IsEmpty());
    EXPECT_EQ(renderer.widgetOf(*main)->size(), QSize(1000, 640));

    ui::Control* hidden = main->find("device_write_notice");
    ASSERT_NE(hidden, nullptr);
    ASSERT_FALSE(hidden->visible());
    EXPECT_EQ(renderer.widgetOf(*hidden), nullptr);
    hidden->setVisible(true);
    pump();
    QWidget* made = renderer.widgetOf(*hidden);
    ASSERT_NE(made, nullptr);
    EXPECT_TRUE(made->isVisible());
    EXPECT_EQ(made->parentWidget(), renderer.widgetOf(*hidden->parent()));
    EXPECT_GT(made->width(), 0);
    // Hidden again, it keeps its widget.
    hidden->setVisible(false);
    pump();
    EXPECT_EQ(renderer.widgetOf(*hidden), made);
    EXPECT_FALSE(made->isVisible());
}

// Controls added under a hidden container, or under one hidden after its widget was made, get
// their widgets only when it shows again, stacked in the model's order.
TEST_F(RendererTest, ControlsUnderAHiddenContainerGetTheirWidgetsWhenItShows) {
    auto* box = add<ui::VerticalLayout>("box", 90);
    ASSERT_NE(renderer.widgetOf(*box), nullptr);
    box->setVisible(false);
    pump();
    std::vector<ui::Control*> rows;
    for (const char* name : {"first", "second", "third"}) {
        auto row = std::make_unique<ui::Label>();
        row->setName(name);
        row->setFixedHeight(30);
        if (std::string_view(name) == "second") {
            row->setVisible(false);
        }
        rows.push_back(box->add(std::move(row)));
    }
    pump();
    for (ui::Control* row : rows) {
        EXPECT_EQ(renderer.widgetOf(*row), nullptr) << row->name();
    }

    box->setVisible(true);
    pump();
    QWidget* first = renderer.widgetOf(*rows[0]);
    QWidget* third = renderer.widgetOf(*rows[2]);
    ASSERT_NE(first, nullptr);
    ASSERT_NE(third, nullptr);
    EXPECT_TRUE(first->isVisible());
    EXPECT_EQ(renderer.widgetOf(*rows[1]), nullptr) << "a hidden row waits for its own show";
    EXPECT_EQ(first->geometry().top(), 0);
    EXPECT_EQ(third->geometry().top(), 30) << "laid out where the model puts it";

    rows[1]->setVisible(true);
    pump();
    QWidget* second = renderer.widgetOf(*rows[1]);
    ASSERT_NE(second, nullptr);
    const QObjectList order = renderer.widgetOf(*box)->children();
    EXPECT_LT(order.indexOf(first), order.indexOf(second));
    EXPECT_LT(order.indexOf(second), order.indexOf(third));
}

TEST(FittedFont, ShrinksALongCaptionToItsBoxButNotBelowSeventyPercent) {
    QFont font;
    font.setPixelSize(20);
    const QString caption = "PrtSc";
    const int fullWidth = QFontMetrics(font).horizontalAdvance(caption);

    EXPECT_EQ(fittedFont(font, caption, fullWidth).pixelSize(), 20);
    const QFont smaller = fittedFont(font, caption, fullWidth * 85 / 100);
    EXPECT_LT(smaller.pixelSize(), 20);
    EXPECT_LE(QFontMetrics(smaller).horizontalAdvance(caption), fullWidth * 85 / 100);
    EXPECT_EQ(fittedFont(font, caption, 1).pixelSize(), 14);
}

} // namespace
} // namespace morva::qt::test
