#include "hid/hid_model_tables.h"
#include "lighting/lighting_tables.h"
#include "lighting/shared_effect.h"

#include <gtest/gtest.h>

namespace morva::lighting {
namespace {

TEST(SharedEffect, EffectsMapByKindBetweenDeviceTypes) {
    EXPECT_EQ(sharedTypeOf(hid::kDeviceKeyboard, 22), SharedEffectType::Flash);
    EXPECT_EQ(effectOfSharedType(hid::kDeviceMouse, SharedEffectType::Flash), 4);
    EXPECT_EQ(effectOfSharedType(hid::kDeviceHeadset, SharedEffectType::Flash), 4);
    EXPECT_EQ(sharedTypeOf(hid::kDeviceMousePad, 1), SharedEffectType::ColourCycle);
    EXPECT_EQ(effectOfSharedType(hid::kDeviceKeyboard, SharedEffectType::Off), 27);
    EXPECT_FALSE(sharedTypeOf(hid::kDeviceMouse, 5)) << "the chase has no shared kind";
    EXPECT_FALSE(sharedTypeOf(hid::kDeviceKeyboard, 8));
    EXPECT_FALSE(effectOfSharedType(hid::kDeviceWirelessMouse, SharedEffectType::Static));
}

SharedEffectStepper stepperOf(SharedEffectType type, uint8_t speed, bool multicolour = false) {
    profiles::LightInfoRecord light;
    light.brightness = 2;
    light.speed = speed;
    light.direction = 1;
    light.multiColor = multicolour ? 1 : 0;
    light.red = 200;
    SharedEffectStepper stepper;
    stepper.setEffect(sharedEffectOf(type, light));
    return stepper;
}

TEST(SharedEffect, StepsAtTheThresholdOfItsSpeed) {
    SharedEffectStepper stepper = stepperOf(SharedEffectType::Static, 1);
    for (int pass = 1; pass < 23; ++pass) {
        EXPECT_FALSE(stepper.pass(0)) << pass;
    }
    EXPECT_TRUE(stepper.pass(0));
    EXPECT_EQ(stepper.colour(), (LedColour{200, 0, 0, 135}));
    EXPECT_EQ(stepper.passesUntilStep(), 23u);
}

TEST(SharedEffect, BreathingFlashCycleAndOffPaintAsTheirKind) {
    SharedEffectStepper breathing = stepperOf(SharedEffectType::Breathing, 4);
    for (int step = 0; step < 64 * 7; ++step) {
        breathing.pass(0);
    }
    EXPECT_EQ(breathing.colour(), (LedColour{200, 0, 0, scaled(breathingCurve()[64], 135)}));

    SharedEffectStepper flash = stepperOf(SharedEffectType::Flash, 4); // 7 × 200 ms
    for (int pass = 0; pass < 7; ++pass) {
        flash.pass(1400);
    }
    EXPECT_EQ(flash.colour().intensity, 135) << "on after its period";
    for (int pass = 0; pass < 7; ++pass) {
        flash.pass(2000);
    }
    EXPECT_EQ(flash.colour().intensity, 135) << "not yet off";
    for (int pass = 0; pass < 7; ++pass) {
        flash.pass(2800);
    }
    EXPECT_EQ(flash.colour(), LedColour{});

    SharedEffectStepper cycle = stepperOf(SharedEffectType::ColourCycle, 4);
    for (int pass = 0; pass < 7; ++pass) {
        cycle.pass(0);
    }
    EXPECT_EQ(cycle.colour(), lit(colourWheel()[1], 135));

    SharedEffectStepper off = stepperOf(SharedEffectType::Off, 4);
    for (int pass = 0; pass < 7; ++pass) {
        off.pass(0);
    }
    EXPECT_EQ(off.colour(), LedColour{});
}

} // namespace
} // namespace morva::lighting
