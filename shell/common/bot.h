// A simple built-in player for the headless runner and the attract mode: it
// steers under the lowest bad mail and fires at it, and holds its fire while a
// good mail is in the line of fire.
#pragma once

#include "core/game_state.h"

InputState botInput(const GameState& state);
