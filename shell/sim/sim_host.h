// The host of the headless runner: the window is always in the foreground,
// the clock is set by the runner, the input comes from a script or the bot,
// and every call the core makes can be printed and passed on to an observer.
#pragma once

#include <cstdint>
#include <cstdio>

#include "core/game_state.h"

// Sees what a simulated game shows: the invalidations of each tick and the
// end of each tick (a canvas paints there, as the window would). The end of
// tick 0 comes right after the new game.
class SimObserver {
public:
    virtual ~SimObserver() = default;
    virtual void invalidate(int32_t left, int32_t top, int32_t right, int32_t bottom) = 0;
    virtual void invalidateAll() = 0;
    virtual void afterTick(long long tick) = 0;
};

struct SimHost {
    bool foreground = true;
    uint32_t timeMs = 0;
    InputState input{};
    bool closed = false;           // closeMainWindow() was called
    std::FILE* dump = nullptr;     // when set, each host call is printed here
    SimObserver* observer = nullptr;
};

extern SimHost simHost;
