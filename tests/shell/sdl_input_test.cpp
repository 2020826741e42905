// The input devices on SDL: the game's keys in a keyboard state, and
// joysticks 0 and 1 driven through SDL's virtual joysticks (the first two
// devices present serve, plugging in and out is followed, axis and buttons
// read on the classic scale).
#include <SDL.h>
#include <gtest/gtest.h>

#include "shell/sdl/sdl_input.h"

namespace {

TEST(HeldKeysFromState, EachGameKeyByItsScancode) {
    struct Case {
        SDL_Scancode code;
        bool velno::HeldKeys::*key;
    } cases[] = {
        {SDL_SCANCODE_LEFT, &velno::HeldKeys::left},       {SDL_SCANCODE_RIGHT, &velno::HeldKeys::right},
        {SDL_SCANCODE_SPACE, &velno::HeldKeys::space},     {SDL_SCANCODE_X, &velno::HeldKeys::x},
        {SDL_SCANCODE_Z, &velno::HeldKeys::z},             {SDL_SCANCODE_LSHIFT, &velno::HeldKeys::leftShift},
        {SDL_SCANCODE_RSHIFT, &velno::HeldKeys::rightShift}, {SDL_SCANCODE_LCTRL, &velno::HeldKeys::leftCtrl},
        {SDL_SCANCODE_RCTRL, &velno::HeldKeys::rightCtrl},
    };
    for (const Case& c : cases) {
        uint8_t state[SDL_NUM_SCANCODES] = {};
        state[c.code] = 1;
        velno::HeldKeys keys = velno::heldKeysFrom(state, SDL_NUM_SCANCODES);
        EXPECT_TRUE(keys.*c.key) << SDL_GetScancodeName(c.code);
        int held = keys.left + keys.right + keys.space + keys.x + keys.z + keys.leftShift +
                   keys.rightShift + keys.leftCtrl + keys.rightCtrl;
        EXPECT_EQ(held, 1) << SDL_GetScancodeName(c.code);
    }
    // Other keys (the Alt keys, Enter, Y) are not the game's.
    uint8_t state[SDL_NUM_SCANCODES] = {};
    state[SDL_SCANCODE_LALT] = state[SDL_SCANCODE_RETURN] = state[SDL_SCANCODE_Y] = 1;
    velno::HeldKeys none = velno::heldKeysFrom(state, SDL_NUM_SCANCODES);
    InputState in = velno::foldInput(none, {}, {});
    EXPECT_FALSE(in.left || in.right || in.fire);
    // A short state array is read only as far as it goes.
    EXPECT_FALSE(velno::heldKeysFrom(state, 10).right);
}

class JoysticksTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(SDL_Init(SDL_INIT_JOYSTICK), 0) << SDL_GetError();
        if (SDL_NumJoysticks() != 0) GTEST_SKIP() << "real joysticks are attached";
    }
    void TearDown() override {
        for (SDL_Joystick* h : handles_) SDL_JoystickClose(h);
        for (int i = SDL_NumJoysticks() - 1; i >= 0; --i) SDL_JoystickDetachVirtual(i);
        SDL_Quit();
    }
    // Plugs in a virtual stick; returns our handle for moving it.
    SDL_Joystick* plug(int buttons) {
        int device = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, 2, buttons, 0);
        EXPECT_GE(device, 0) << SDL_GetError();
        SDL_Joystick* h = SDL_JoystickOpen(device);
        EXPECT_NE(h, nullptr) << SDL_GetError();
        handles_.push_back(h);
        return h;
    }
    static void settle() { SDL_JoystickUpdate(); }

    std::vector<SDL_Joystick*> handles_;
};

TEST_F(JoysticksTest, NoneMeansCentredAndNoButtons) {
    velno::Joysticks sticks;
    sticks.reopen();
    EXPECT_EQ(sticks.openCount(), 0);
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(sticks.read(i).x, JOY_CENTRE_X);
        EXPECT_EQ(sticks.read(i).buttons, 0u);
    }
}

TEST_F(JoysticksTest, AxisAndAnyButtonRead) {
    SDL_Joystick* a = plug(40);
    velno::Joysticks sticks;
    sticks.reopen();
    SDL_JoystickSetVirtualAxis(a, 0, -32768);
    SDL_JoystickSetVirtualAxis(a, 1, 32767);  // Y is not looked at
    SDL_JoystickSetVirtualButton(a, 39, SDL_PRESSED);
    settle();
    velno::JoystickReading r = sticks.read(0);
    EXPECT_EQ(r.x, 0u);
    EXPECT_NE(r.buttons, 0u);  // even the 40th button fires
    SDL_JoystickSetVirtualAxis(a, 0, 32767);
    SDL_JoystickSetVirtualButton(a, 39, SDL_RELEASED);
    settle();
    r = sticks.read(0);
    EXPECT_EQ(r.x, 65535u);
    EXPECT_EQ(r.buttons, 0u);
}

TEST_F(JoysticksTest, FirstTwoServeAndUnpluggingIsFollowed) {
    SDL_Joystick* a = plug(4);
    SDL_Joystick* b = plug(4);
    plug(4);
    velno::Joysticks sticks;
    sticks.reopen();
    EXPECT_EQ(sticks.openCount(), 2);
    SDL_JoystickSetVirtualAxis(a, 0, -20000);
    SDL_JoystickSetVirtualAxis(b, 0, 20000);
    settle();
    EXPECT_EQ(sticks.read(0).x, velno::joystickAxisToScale(-20000));
    EXPECT_EQ(sticks.read(1).x, velno::joystickAxisToScale(20000));

    // Unplug the first: until the shell hears of it, that stick reads centred;
    // then the second and third devices become sticks 0 and 1.
    SDL_JoystickClose(a);
    handles_.erase(handles_.begin());
    ASSERT_EQ(SDL_JoystickDetachVirtual(0), 0) << SDL_GetError();
    settle();
    EXPECT_EQ(sticks.read(0).x, JOY_CENTRE_X);
    sticks.reopen();
    EXPECT_EQ(sticks.openCount(), 2);
    EXPECT_EQ(sticks.read(0).x, velno::joystickAxisToScale(20000));
}

}  // namespace
