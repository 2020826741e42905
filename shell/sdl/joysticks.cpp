#include "shell/sdl/joysticks.h"

#include <SDL.h>

namespace velno {

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
