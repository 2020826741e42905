// The game's input devices on SDL: the held keys from SDL's keyboard state,
// and joysticks 0 and 1, the first two devices present, opened again whenever
// one is plugged in or out, read as classic joysticks.
#pragma once

#include <cstdint>

#include "shell/sdl/input_fold.h"

typedef struct _SDL_Joystick SDL_Joystick;

namespace velno {

// The game's keys in SDL's keyboard state (SDL_GetKeyboardState). X and Z
// are the keys that type those letters in the current layout.
HeldKeys heldKeysFrom(const uint8_t* state, int count);

class Joysticks {
public:
    Joysticks() = default;
    ~Joysticks();
    Joysticks(const Joysticks&) = delete;
    Joysticks& operator=(const Joysticks&) = delete;

    // Opens the first two devices present, closing what was open before.
    // Called at start and on every device added or removed.
    void reopen();
    void close();
    // Stick `index` (0 or 1): X of its first axis on the 0..65535 scale and a
    // bit per button held. Absent or unplugged: centred, no button.
    JoystickReading read(int index) const;
    int openCount() const;

private:
    SDL_Joystick* sticks_[2] = {};
};

}  // namespace velno
