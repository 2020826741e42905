#include "shell/sdl/sdl_input.h"

#include <SDL.h>

namespace velno {
namespace {

bool held(const uint8_t* state, int count, SDL_Scancode code) {
    return code > SDL_SCANCODE_UNKNOWN && code < count && state[code] != 0;
}

// The key that types `letter` in the current layout, or the key at its usual
// place where no key types it (or no layout is known yet).
SDL_Scancode letterKey(SDL_Keycode letter, SDL_Scancode usual) {
    SDL_Scancode code = SDL_GetScancodeFromKey(letter);
    return code == SDL_SCANCODE_UNKNOWN ? usual : code;
}

}  // namespace

HeldKeys heldKeysFrom(const uint8_t* state, int count) {
    HeldKeys keys;
    keys.left = held(state, count, SDL_SCANCODE_LEFT);
    keys.right = held(state, count, SDL_SCANCODE_RIGHT);
    keys.space = held(state, count, SDL_SCANCODE_SPACE);
    keys.x = held(state, count, letterKey(SDLK_x, SDL_SCANCODE_X));
    keys.z = held(state, count, letterKey(SDLK_z, SDL_SCANCODE_Z));
    keys.leftShift = held(state, count, SDL_SCANCODE_LSHIFT);
    keys.rightShift = held(state, count, SDL_SCANCODE_RSHIFT);
    keys.leftCtrl = held(state, count, SDL_SCANCODE_LCTRL);
    keys.rightCtrl = held(state, count, SDL_SCANCODE_RCTRL);
    return keys;
}

Joysticks::~Joysticks() { close(); }

void Joysticks::close() {
    for (SDL_Joystick*& stick : sticks_) {
        if (stick != nullptr) SDL_JoystickClose(stick);
        stick = nullptr;
    }
}

void Joysticks::reopen() {
    close();
    if (SDL_WasInit(SDL_INIT_JOYSTICK) == 0) return;
    const int count = SDL_NumJoysticks();
    int next = 0;
    for (int device = 0; device < count && next < 2; ++device) {
        SDL_Joystick* stick = SDL_JoystickOpen(device);
        if (stick != nullptr) sticks_[next++] = stick;
    }
}

int Joysticks::openCount() const {
    return (sticks_[0] != nullptr ? 1 : 0) + (sticks_[1] != nullptr ? 1 : 0);
}

JoystickReading Joysticks::read(int index) const {
    JoystickReading reading;
    SDL_Joystick* stick = index >= 0 && index < 2 ? sticks_[index] : nullptr;
    if (stick == nullptr || SDL_JoystickGetAttached(stick) == SDL_FALSE) return reading;
    if (SDL_JoystickNumAxes(stick) > 0) {
        reading.x = joystickAxisToScale(SDL_JoystickGetAxis(stick, 0));
    }
    const int buttons = SDL_JoystickNumButtons(stick);
    for (int b = 0; b < buttons; ++b) {
        // Every button counts; those past the 32nd share the top bit.
        if (SDL_JoystickGetButton(stick, b) != 0) reading.buttons |= 1u << (b < 31 ? b : 31);
    }
    return reading;
}

}  // namespace velno
