// Joysticks 0 and 1 of the game on SDL: the first two devices present, opened
// again whenever one is plugged in or out, read as classic joysticks.
#pragma once

#include "shell/sdl/input_fold.h"

typedef struct _SDL_Joystick SDL_Joystick;

namespace velno {

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
