// Checks that the game state keeps the rules of the game: codes in range,
// moving mails on lanes and rungs, shots and missiles inside their rules.
#pragma once

#include <cstddef>

#include "core/game_state.h"

struct InvariantBaseline {
    Rung rungs[MAX_RUNGS];
    int32_t course;
    uint32_t storedHiScore;
};

// Takes what must not change for the rest of the game; call after the new game.
InvariantBaseline captureBaseline(const GameState& state);

// Returns true when every rule holds; otherwise writes the first broken rule
// into `message` (always NUL-terminated) and returns false.
bool checkInvariants(const GameState& state, const InvariantBaseline& baseline, char* message,
                     std::size_t size);
