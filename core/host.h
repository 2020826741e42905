// The operations the game core asks of its host. The core declares them; each
// host (the SDL shell, the Windows shell, the headless runner, the tests)
// links its own definitions.
#pragma once

#include <cstdint>

#include "core/game_state.h"

// Marks a rectangle of the client area for repainting, erased first. Right and
// bottom are exclusive; rectangles partly or wholly outside are accepted.
void invalidateArea(int32_t left, int32_t top, int32_t right, int32_t bottom);
// Marks the whole client area for repainting, erased first.
void invalidateAll();
// Starts a sound effect by its wave resource number. With noStop set a sound
// that is already playing is not interrupted and the new one is dropped.
void playEffect(int number, bool noStop);
// Destroys the main window; the caller finishes its tick.
void closeMainWindow();
// True while the main window is the foreground window.
bool isMainWindowForeground();
// A wrapping 32-bit millisecond clock.
uint32_t currentTimeMs();
// The input of this tick.
InputState sampleInput();
