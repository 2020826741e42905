#include "shell/sdl/input_fold.h"

namespace velno {

InputState foldInput(const HeldKeys& keys, const JoystickReading& stick0,
                     const JoystickReading& stick1) {
    const StickDirection sticks = sticksDirection(stick0.x, stick1.x);
    InputState input{};
    input.left = keys.left || sticks.left;
    input.right = keys.right || sticks.right;
    input.fire = keys.space || keys.x || keys.z || keys.leftShift || keys.rightShift ||
                 keys.leftCtrl || keys.rightCtrl || stick0.buttons != 0 || stick1.buttons != 0;
    return input;
}

}  // namespace velno
