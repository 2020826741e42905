#include "shell/sdl/input_fold.h"

namespace velno {

InputState foldInput(const HeldKeys& keys, const JoystickReading& stick0,
                     const JoystickReading& stick1) {
    bool sticksLeft = stick0.x < JOY_LEFT_THRESHOLD || stick1.x < JOY_LEFT_THRESHOLD;
    bool sticksRight =
        !sticksLeft && (stick0.x > JOY_RIGHT_THRESHOLD || stick1.x > JOY_RIGHT_THRESHOLD);
    InputState input{};
    input.left = keys.left || sticksLeft;
    input.right = keys.right || sticksRight;
    input.fire = keys.space || keys.x || keys.z || keys.leftShift || keys.rightShift ||
                 keys.leftCtrl || keys.rightCtrl || stick0.buttons != 0 || stick1.buttons != 0;
    return input;
}

}  // namespace velno
