// The Windows shell's decisions that need no Windows call: folding the
// keyboard and joystick readings into one tick's input, and deriving the
// high-score file's path from the executable's path. Kept apart from the
// Win32 code so that they build and are tested on any host.
#pragma once

#include <cstdint>

#include "core/game_state.h"
#include "shell/common/stick_rules.h"

// Size of the buffers that hold a path, the system's MAX_PATH.
constexpr int SHELL_PATH_SIZE = 260;

// Virtual-key codes of the game's keys.
constexpr int KEY_SHIFT = 0x10;
constexpr int KEY_CONTROL = 0x11;
constexpr int KEY_SPACE = 0x20;
constexpr int KEY_LEFT = 0x25;
constexpr int KEY_RIGHT = 0x27;
constexpr int KEY_X = 0x58;
constexpr int KEY_Z = 0x5A;

// One joystick read: `ok` is false when the read failed, and then the other
// fields are not looked at.
struct JoyReading {
    bool ok;
    uint32_t x;
    uint32_t buttons;
};

// Folds the 256-byte key-down table (bit 7 set means held) and the readings
// of joysticks 0 and 1 into the input of one tick. Left wins over right on
// the sticks, as it does in player movement.
InputState foldInput(const uint8_t keys[256], const JoyReading& joy0, const JoyReading& joy1);

// Turns the executable's path, held in `path` (a zero-terminated string in a
// buffer of SHELL_PATH_SIZE bytes), into the high-score file's path: the last
// three characters become "INI"; a path of three characters or fewer becomes
// ".\VELNO.INI".
void toHiScorePath(char path[SHELL_PATH_SIZE]);
