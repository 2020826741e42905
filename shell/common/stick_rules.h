// How the two joysticks' X positions steer, on the classic 0..65535 scale,
// the same for every platform.
#pragma once

#include <cstdint>

constexpr uint32_t JOY_LEFT_THRESHOLD = 30000;   // below: pushed left
constexpr uint32_t JOY_RIGHT_THRESHOLD = 34000;  // above: pushed right
constexpr uint32_t JOY_CENTRE_X = 32767;         // a stick that cannot be read

struct StickDirection {
    bool left;
    bool right;
};

// Left is tested on both sticks before right, so one stick pushed left and
// the other pushed right says left only.
constexpr StickDirection sticksDirection(uint32_t x0, uint32_t x1) {
    if (x0 < JOY_LEFT_THRESHOLD || x1 < JOY_LEFT_THRESHOLD) {
        return {true, false};
    }
    return {false, x0 > JOY_RIGHT_THRESHOLD || x1 > JOY_RIGHT_THRESHOLD};
}
