#include "shell/win32/shell_logic.h"

#include <cstring>

namespace {

bool held(const uint8_t keys[256], int key) {
    return (keys[key] & 0x80) != 0;
}

// A failed read adds nothing: centred, no button.
JoyReading usable(const JoyReading& joy) {
    return joy.ok ? joy : JoyReading{false, JOY_CENTRE_X, 0};
}

}  // namespace

InputState foldInput(const uint8_t keys[256], const JoyReading& joy0, const JoyReading& joy1) {
    const JoyReading j0 = usable(joy0);
    const JoyReading j1 = usable(joy1);

    const StickDirection sticks = sticksDirection(j0.x, j1.x);
    InputState input{};
    input.left = held(keys, KEY_LEFT) || sticks.left;
    input.right = held(keys, KEY_RIGHT) || sticks.right;
    input.fire = held(keys, KEY_SPACE) || held(keys, KEY_X) || held(keys, KEY_Z) ||
                 held(keys, KEY_SHIFT) || held(keys, KEY_CONTROL) || j0.buttons != 0 ||
                 j1.buttons != 0;
    return input;
}

void toHiScorePath(char path[SHELL_PATH_SIZE]) {
    // The system may leave a path that fills the whole buffer unterminated.
    path[SHELL_PATH_SIZE - 1] = '\0';
    const std::size_t length = std::strlen(path);
    if (length > 3) {
        std::memcpy(path + length - 3, "INI", 3);
    } else {
        std::strcpy(path, ".\\VELNO.INI");
    }
}
