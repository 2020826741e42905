// A host for the core's tests: it records every call the core makes and lets
// a test set the foreground flag, the clock and the input.
#pragma once

#include <cstdint>
#include <vector>

#include "core/game_state.h"

struct HostCall {
    enum Type { Invalidate, InvalidateAll, Effect, Close } type;
    int32_t a = 0;  // left, or the effect number
    int32_t b = 0;  // top, or noStop
    int32_t c = 0;
    int32_t d = 0;

    bool operator==(const HostCall&) const = default;
};

HostCall inval(int32_t left, int32_t top, int32_t right, int32_t bottom);
HostCall inval(const Rect& r);
HostCall invalAll();
HostCall effect(int number, bool noStop);
HostCall closeCall();

struct TestHost {
    bool foreground = true;
    uint32_t timeMs = 0;
    InputState input{};
    int inputSamples = 0;
    std::vector<HostCall> calls;
};

extern TestHost testHost;

// Resets the game state and the host to their process-start values.
void resetAll();
// One processed tick of the game timer, 36 ms after the previous one.
void tick(const InputState& input = InputState{});
// `count` processed ticks with the same input.
void ticks(int count, const InputState& input = InputState{});
// The effects among the recorded calls.
std::vector<int> effectsPlayed();
// The next `count` values of a random source seeded with `seed`, drawn
// independently of the game's own source.
std::vector<int32_t> referenceRandom(uint32_t seed, int count);
