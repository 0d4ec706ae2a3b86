#include "device/headset/hs6533_device.h"
#include "profiles/data_folders.h"
#include "tests/audio/simulated_audio.h"
#include "tests/devmgr/devmgr_fixture.h"
#include "ui/toolkit/combo.h"
#include "ui/toolkit/option.h"
#include "ui/toolkit/progress.h"

namespace morva::devmgr::test {
namespace {

using audio::test::kCaptureFlow;
using audio::test::kPlaybackFlow;
using device::CKestraneHS6533Device;

// A headset in the main window, connected; its audio library is the simulated one in the
// program's SDK folder.
class HeadsetAudioPanels : public MainWindowTest {
protected:
    void SetUp() override {
        sim.reset();
        MainWindowTest::SetUp();
        bus.plug(emulator::makeEmulatedHeadset());
        app::CDeviceOptionUI* tab = firstTabOfType(hid::kDeviceHeadset);
        ASSERT_TRUE(connected(tab));
        show(tab);
        headset = dynamic_cast<CKestraneHS6533Device*>(tab->device());
        ASSERT_NE(headset, nullptr);
    }
    template <typename T> T* control(std::string_view name) {
        auto* found = headset->findDescendantAs<T>(name);
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    void choose(std::string_view option) {
        control<ui::Option>(option)->activate();
        loop.runPending();
    }

    audio::test::SimulatedAudio sim;
    CKestraneHS6533Device* headset = nullptr;
};

TEST_F(HeadsetAudioPanels, StartUpGivesTheDefaultsAndThePanelsAreAvailable) {
    EXPECT_TRUE(headset->audioAvailable());
    EXPECT_EQ(sim.value(kPlaybackFlow, u"EQ_Slider1"), "0");
    EXPECT_TRUE(control<ui::Control>("Voice6533ControlItem_controls")->enabled());
    EXPECT_FALSE(control<ui::Control>("Voice6533ControlItem_unavailable")->visible());
}

TEST_F(HeadsetAudioPanels, EachPanelActionReachesItsProperty) {
    choose("6533_eq_option_11");
    EXPECT_EQ(sim.value(kPlaybackFlow, u"Enable_EQ_GFX"), "1");
    EXPECT_EQ(sim.value(kPlaybackFlow, u"EQ_Slider1"), "18");
    EXPECT_EQ(control<ui::Slider>("6533_eq_hz_slider_0")->value(), 18);
    EXPECT_FALSE(control<ui::Control>("custom_eq_option_layout")->enabled());

    control<ui::Slider>("6533_eq_hz_slider_2")->userSetValue(-4);
    loop.runPending();
    EXPECT_EQ(sim.value(kPlaybackFlow, u"EQ_Slider3"), "-4");
    EXPECT_TRUE(control<ui::Option>("6533_eq_option_13")->selected()) << "now custom";
    EXPECT_TRUE(control<ui::Control>("custom_eq_option_layout")->enabled());

    control<ui::Slider>("6533_MicIn_slider")->userSetValue(37);
    loop.runPending();
    EXPECT_FLOAT_EQ(std::stof(sim.value(kCaptureFlow, u"VolumeScalarControl")), 0.37F);

    choose("magic_enable_option");
    choose("magic_option_4");
    EXPECT_EQ(sim.value(kCaptureFlow, u"Enable_MAGICVOICE"), "1");
    EXPECT_EQ(sim.value(kCaptureFlow, u"MagicVoice_Selection"), "3");
    EXPECT_TRUE(control<ui::Control>("magic_option_layout")->enabled());

    profiles::CHs6533Profiledata stored;
    stored.LoadDeviceEntry(headset->GetProfilePath());
    EXPECT_EQ(stored.ReadHeadsetSystem().micInValue, 37);
    EXPECT_EQ(stored.ReadHeadsetSystem().magicType, 4);
}

TEST_F(HeadsetAudioPanels, TheVirtualSurroundSwitchReachesTheLibraryAndShowsItsState) {
    EXPECT_TRUE(control<ui::Control>("VirtualSetItem_controls")->enabled());
    EXPECT_FALSE(control<ui::Control>("VirtualSetItem_unavailable")->visible());
    EXPECT_FALSE(control<ui::Option>("virtual_surround_option")->selected());
    choose("virtual_surround_option");
    EXPECT_EQ(sim.value(kPlaybackFlow, u"XearSurrHP_Enable"), "1");
    EXPECT_TRUE(control<ui::Option>("virtual_surround_option")->selected());
    choose("virtual_surround_option");
    EXPECT_EQ(sim.value(kPlaybackFlow, u"XearSurrHP_Enable"), "0");
    EXPECT_FALSE(control<ui::Option>("virtual_surround_option")->selected());
}

TEST_F(HeadsetAudioPanels, ACurveIsSavedByNameAndADuplicateIsTold) {
    control<ui::Slider>("6533_eq_hz_slider_0")->userSetValue(6);
    loop.runPending();
    control<ui::Control>("custom_eq_name_edit")->setText("mine");
    control<ui::Button>("hs_EQ_btn_save")->activate();
    loop.runPending();
    auto* combo = control<ui::Combo>("custom_eq_name_combo");
    ASSERT_EQ(combo->count(), 1u);
    EXPECT_EQ(combo->selectedIndex(), 0);
    EXPECT_TRUE(host.messageBoxes.empty());

    control<ui::Control>("custom_eq_name_edit")->setText("mine");
    control<ui::Button>("hs_EQ_btn_save")->activate();
    loop.runPending();
    EXPECT_EQ(combo->count(), 1u);
    ASSERT_EQ(host.messageBoxes.size(), 1u);
    EXPECT_EQ(host.messageBoxes[0], *toolkit.language().lookup("message_text_5"));
}

// An audio library whose initialisation fails: the user is told once, and audio still works.
class HeadsetWhoseAudioDoesNotInitialise : public MainWindowTest {
protected:
    void SetUp() override {
        sim.reset(1, 1, true, true);
        MainWindowTest::SetUp();
    }
    // The library stays loaded in the process: the next test finds it working again.
    void TearDown() override { sim.reset(); }
    audio::test::SimulatedAudio sim;
};

TEST_F(HeadsetWhoseAudioDoesNotInitialise, TheUserIsToldOnceAndAudioStillWorks) {
    loop.runPending();
    ASSERT_EQ(host.messageBoxes.size(), 1u);
    EXPECT_EQ(host.messageBoxes[0], *toolkit.language().lookup("audio_init_failed_text"));
    bus.plug(emulator::makeEmulatedHeadset());
    app::CDeviceOptionUI* tab = firstTabOfType(hid::kDeviceHeadset);
    ASSERT_TRUE(connected(tab));
    auto* headset = dynamic_cast<CKestraneHS6533Device*>(tab->device());
    ASSERT_NE(headset, nullptr);
    headset->audio().setVoiceEffect(2);
    EXPECT_EQ(sim.value(kCaptureFlow, u"MagicVoice_Selection"), "1");
    EXPECT_EQ(host.messageBoxes.size(), 1u) << "connecting does not tell it again";
}

// The same headset when the program's SDK folder has no audio library.
class HeadsetWithoutAudioLibrary : public MainWindowTest {
protected:
    HeadsetWithoutAudioLibrary() {
        std::filesystem::create_directory_symlink(std::filesystem::path(MORVA_RUNTIME_DIR) /
                                                      "DefaultData",
                                                  program.path() / "DefaultData");
        profiles::folders::setProgramFolder(program.path());
    }
    ~HeadsetWithoutAudioLibrary() override { profiles::folders::setProgramFolder({}); }

    morva::test::TempDir program;
};

TEST_F(HeadsetWithoutAudioLibrary, ThePanelsSayAudioIsUnavailableAndNothingIsCalled) {
    audio::test::SimulatedAudio sim;
    bus.plug(emulator::makeEmulatedHeadset());
    app::CDeviceOptionUI* tab = firstTabOfType(hid::kDeviceHeadset);
    ASSERT_TRUE(connected(tab));
    show(tab);
    auto* headset = dynamic_cast<CKestraneHS6533Device*>(tab->device());
    ASSERT_NE(headset, nullptr);
    EXPECT_FALSE(headset->audioAvailable());
    for (const char* notice : {"Voice6533ControlItem_unavailable", "MagicControlItem_unavailable",
                               "VirtualSetItem_unavailable"}) {
        EXPECT_TRUE(headset->findDescendant(notice)->visible()) << notice;
    }
    EXPECT_FALSE(headset->findDescendant("Voice6533ControlItem_controls")->enabled());
    EXPECT_FALSE(headset->findDescendant("VirtualSetItem_controls")->enabled());
    headset->audio().choosePreset(5);
    headset->audio().setMicrophoneLevel(20);
    headset->AudioChanged();
    EXPECT_EQ(sim.calls(), 0);
    // The vendor side works as usual.
    EXPECT_TRUE(headset->commandChannel().isOpen());
    EXPECT_TRUE(headset->lightingRunning());
}

} // namespace
} // namespace morva::devmgr::test
