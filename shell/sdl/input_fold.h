// Folding the held keys and two joysticks into the input of one tick. Pure:
// the SDL side only fills these records.
#pragma once

#include <cstdint>

#include "core/game_state.h"
#include "shell/common/stick_rules.h"

namespace velno {

// The keys the game looks at, each true while held.
struct HeldKeys {
    bool left = false;
    bool right = false;
    bool space = false;
    bool x = false;
    bool z = false;
    bool leftShift = false;
    bool rightShift = false;
    bool leftCtrl = false;
    bool rightCtrl = false;
};

// One joystick on the classic 0..65535 scale. A stick that is absent or
// cannot be read counts as centred with no button down, the default here.
struct JoystickReading {
    uint32_t x = JOY_CENTRE_X;
    uint32_t buttons = 0;
};

// SDL's axis value (-32768..32767) on the 0..65535 scale.
constexpr uint32_t joystickAxisToScale(int16_t axis) {
    return static_cast<uint32_t>(static_cast<int32_t>(axis) + 32768);
}

// Left wins over right among the sticks: if either stick says left, neither
// can say right. The arrow keys are added on top of that.
InputState foldInput(const HeldKeys& keys, const JoystickReading& stick0,
                     const JoystickReading& stick1);

}  // namespace velno
