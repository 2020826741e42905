#include "tests/core/test_host.h"

#include "core/host.h"

TestHost testHost;

HostCall inval(int32_t left, int32_t top, int32_t right, int32_t bottom) {
    return HostCall{HostCall::Invalidate, left, top, right, bottom};
}
HostCall inval(const Rect& r) {
    return inval(r.left, r.top, r.right, r.bottom);
}
HostCall invalAll() {
    return HostCall{HostCall::InvalidateAll};
}
HostCall effect(int number, bool noStop) {
    return HostCall{HostCall::Effect, number, noStop ? 1 : 0};
}
HostCall closeCall() {
    return HostCall{HostCall::Close};
}

void resetAll() {
    gameState = GameState{};
    testHost = TestHost{};
}

void tick(const InputState& input) {
    testHost.input = input;
    testHost.timeMs += TICK_PERIOD_MS;
    tickGame(GAME_TIMER_ID);
}

void ticks(int count, const InputState& input) {
    for (int i = 0; i < count; ++i) {
        tick(input);
    }
}

std::vector<int> effectsPlayed() {
    std::vector<int> effects;
    for (const HostCall& call : testHost.calls) {
        if (call.type == HostCall::Effect) {
            effects.push_back(call.a);
        }
    }
    return effects;
}

std::vector<int32_t> referenceRandom(uint32_t seed, int count) {
    std::vector<int32_t> values;
    uint32_t state = seed;
    for (int i = 0; i < count; ++i) {
        state = state * 214013u + 2531011u;
        values.push_back(static_cast<int32_t>((state >> 16) & 0x7FFF));
    }
    return values;
}

void invalidateArea(int32_t left, int32_t top, int32_t right, int32_t bottom) {
    testHost.calls.push_back(inval(left, top, right, bottom));
}
void invalidateAll() {
    testHost.calls.push_back(invalAll());
}
void playEffect(int number, bool noStop) {
    testHost.calls.push_back(effect(number, noStop));
}
void closeMainWindow() {
    testHost.calls.push_back(closeCall());
}
bool isMainWindowForeground() {
    return testHost.foreground;
}
uint32_t currentTimeMs() {
    return testHost.timeMs;
}
InputState sampleInput() {
    ++testHost.inputSamples;
    return testHost.input;
}
