// Drawing one whole frame of the game from `gameState`.
#pragma once

#include <cstdint>

#include "render/surface.h"

// Size of the buffer the score line is formatted into.
constexpr int SCORE_LINE_CAPACITY = 80;

// Text colours as 0x00BBGGRR.
constexpr ColorRef COLOR_MESSAGE = 0x00AA3300;
constexpr ColorRef COLOR_SCORE_LINE = 0x00EE0000;
constexpr ColorRef COLOR_READY = 0x00555500;
constexpr ColorRef COLOR_MISFIRE = 0x000000FF;
constexpr ColorRef COLOR_GAMEOVER = 0x00FF0000;

// Draws the whole frame onto `surface`, in painting order, later steps over
// earlier ones. Raises `gameState.hiScore` to `gameState.score` first thing in
// the score line. Allocates nothing.
void paintFrame(DrawingSurface& surface);

// Formats the score line for the given values into `out` (at least
// SCORE_LINE_CAPACITY bytes) and returns its length in bytes.
int formatScoreLine(char* out, uint32_t hiScore, uint32_t score, int32_t lives);
