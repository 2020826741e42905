// Folding keys and two joysticks into one tick's input.
#include <gtest/gtest.h>

#include "shell/sdl/input_fold.h"

namespace {

using velno::HeldKeys;
using velno::JoystickReading;

JoystickReading stick(uint32_t x, uint32_t buttons = 0) { return JoystickReading{x, buttons}; }

struct FoldCase {
    const char* name;
    HeldKeys keys;
    JoystickReading stick0;
    JoystickReading stick1;
    bool left, right, fire;
};

HeldKeys keysWith(bool HeldKeys::*key) {
    HeldKeys keys;
    keys.*key = true;
    return keys;
}

class Fold : public ::testing::TestWithParam<FoldCase> {};

TEST_P(Fold, GivesTheFlags) {
    const FoldCase& c = GetParam();
    InputState in = velno::foldInput(c.keys, c.stick0, c.stick1);
    EXPECT_EQ(in.left, c.left) << c.name;
    EXPECT_EQ(in.right, c.right) << c.name;
    EXPECT_EQ(in.fire, c.fire) << c.name;
}

const JoystickReading centred{};

INSTANTIATE_TEST_SUITE_P(
    Cases, Fold,
    ::testing::Values(
        FoldCase{"nothing", {}, centred, centred, false, false, false},
        FoldCase{"left arrow", keysWith(&HeldKeys::left), centred, centred, true, false, false},
        FoldCase{"both arrows", [] { HeldKeys k; k.left = k.right = true; return k; }(), centred,
                 centred, true, true, false},
        FoldCase{"space", keysWith(&HeldKeys::space), centred, centred, false, false, true},
        FoldCase{"x", keysWith(&HeldKeys::x), centred, centred, false, false, true},
        FoldCase{"z", keysWith(&HeldKeys::z), centred, centred, false, false, true},
        FoldCase{"right shift", keysWith(&HeldKeys::rightShift), centred, centred, false, false,
                 true},
        FoldCase{"left ctrl", keysWith(&HeldKeys::leftCtrl), centred, centred, false, false, true},
        FoldCase{"stick at 30000 is centre", {}, stick(30000), centred, false, false, false},
        FoldCase{"stick at 29999 is left", {}, stick(29999), centred, true, false, false},
        FoldCase{"stick at 34000 is centre", {}, centred, stick(34000), false, false, false},
        FoldCase{"stick at 34001 is right", {}, centred, stick(34001), false, true, false},
        FoldCase{"stick 0 right, stick 1 left: left only", {}, stick(65535), stick(0), true, false,
                 false},
        FoldCase{"sticks disagree, right arrow still sets right", keysWith(&HeldKeys::right),
                 stick(65535), stick(0), true, true, false},
        FoldCase{"any button of stick 1 fires", {}, centred, stick(32767, 0x80), false, false, true}),
    [](const auto& info) {
        std::string name = info.param.name;
        for (char& c : name) {
            if (!isalnum(static_cast<unsigned char>(c))) c = '_';
        }
        return name;
    });

TEST(JoystickScale, SdlAxisMapsOntoTheClassicScale) {
    EXPECT_EQ(velno::joystickAxisToScale(-32768), 0u);
    EXPECT_EQ(velno::joystickAxisToScale(0), 32768u);
    EXPECT_EQ(velno::joystickAxisToScale(32767), 65535u);
    // SDL's resting value is near 0: it must fall between the thresholds.
    for (int16_t rest : {int16_t(-2000), int16_t(0), int16_t(1200)}) {
        InputState in = velno::foldInput({}, JoystickReading{velno::joystickAxisToScale(rest), 0}, {});
        EXPECT_FALSE(in.left || in.right) << rest;
    }
}

}  // namespace
