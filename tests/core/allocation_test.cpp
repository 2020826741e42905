// Counts heap allocations while a bot game runs: the game must allocate
// nothing once it has started.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "core/game_state.h"
#include "shell/common/bot.h"
#include "shell/sim/sim_host.h"

namespace {
std::atomic<long> allocations{0};
}

void* operator new(std::size_t size) {
    ++allocations;
    if (void* p = std::malloc(size == 0 ? 1 : size)) {
        return p;
    }
    throw std::bad_alloc();
}
void* operator new[](std::size_t size) {
    return operator new(size);
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete[](void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    std::free(p);
}

namespace {

TEST(Allocation, HundredThousandTicksOfPlayAllocateNothing) {
    long ticks = 0;
    long during = 0;
    for (uint32_t seed = 1; ticks < 100000; ++seed) {
        gameState = GameState{};
        simHost = SimHost{};
        newGame(static_cast<int32_t>(seed % 4), seed, 0);
        const long before = allocations.load();
        for (uint32_t n = 1; !simHost.closed; ++n, ++ticks) {
            simHost.timeMs = 36 * n;
            simHost.input = botInput(gameState);
            tickGame(GAME_TIMER_ID);
        }
        during += allocations.load() - before;
    }
    EXPECT_GE(ticks, 100000);
    EXPECT_EQ(during, 0);
}

}  // namespace
