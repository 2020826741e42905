// The random source, the new game, the tick's gates and the phase machine.
#include <gtest/gtest.h>

#include "core/game_state.h"
#include "tests/core/test_host.h"

namespace {

class TickTest : public ::testing::Test {
protected:
    void SetUp() override { resetAll(); }
    void start(int32_t course, uint32_t seed = 1, uint32_t hi = 0) {
        newGame(course, seed, hi);
        testHost.calls.clear();
    }
};

TEST(RandomSource, FollowsTheLinearCongruentialSequence) {
    randomSeed(1);
    const int32_t expected[] = {41, 18467, 6334, 26500, 19169, 15724, 11478, 29358};
    for (int32_t value : expected) {
        EXPECT_EQ(randomNext(), value);
    }
    randomSeed(0xFFFFFFFFu);
    for (int32_t value : referenceRandom(0xFFFFFFFFu, 1000)) {
        ASSERT_EQ(randomNext(), value);
    }
}

TEST_F(TickTest, NewGameSetsEveryFieldAndLaysTheRungsFromTheSeed) {
    for (int32_t course = 0; course < COURSE_COUNT; ++course) {
        SCOPED_TRACE(course);
        resetAll();
        newGame(course, 12345, 777);
        const GameState& g = gameState;
        EXPECT_EQ(g.course, course);
        EXPECT_EQ(g.lives, 5);
        EXPECT_EQ(g.score, 0u);
        EXPECT_EQ(g.hiScore, 777u);
        EXPECT_EQ(g.spawnInterval, 100 - 10 * course);
        EXPECT_EQ(g.spawnCountdown, 120);
        EXPECT_EQ(g.phase, PHASE_READY);
        EXPECT_EQ(g.phaseTimer, 0);
        EXPECT_EQ(g.playerX, 294);
        EXPECT_EQ(g.playerY, 370);
        EXPECT_EQ(g.lastTickTime, 0u);
        EXPECT_EQ(testHost.calls, std::vector<HostCall>{invalAll()});

        const int count = 15 + course;
        const std::vector<int32_t> draws = referenceRandom(12345, 2 * count + 1);
        for (int i = 0; i < MAX_RUNGS; ++i) {
            if (i < count) {
                EXPECT_EQ(g.rungs[i].lane, draws[2 * i] % 4 + 1);
                EXPECT_EQ(g.rungs[i].y, draws[2 * i + 1] % 210 + 100);
            } else {
                EXPECT_EQ(g.rungs[i].lane, 0) << "slot " << i;
            }
        }
        // Nothing else drew from the source.
        EXPECT_EQ(randomNext(), draws[2 * count]);
    }
}

TEST_F(TickTest, GatesRejectBackgroundAndEarlyTicks) {
    start(COURSE_DIALUP);
    testHost.timeMs = 1000;
    tickGame(GAME_TIMER_ID);
    ASSERT_EQ(gameState.lastTickTime, 1000u);
    ASSERT_EQ(gameState.phaseTimer, 1);

    const GameState before = gameState;
    testHost.calls.clear();
    testHost.timeMs = 1035;  // 35 ms later: not yet
    tickGame(GAME_TIMER_ID);
    testHost.foreground = false;
    testHost.timeMs = 5000;  // late, but in the background
    tickGame(GAME_TIMER_ID);
    EXPECT_EQ(gameState.lastTickTime, before.lastTickTime);
    EXPECT_EQ(gameState.phaseTimer, before.phaseTimer);
    EXPECT_EQ(gameState.spawnCountdown, before.spawnCountdown);
    EXPECT_TRUE(testHost.calls.empty());
    EXPECT_EQ(testHost.inputSamples, 1);

    // Back in the foreground the next message is processed at once.
    testHost.foreground = true;
    tickGame(GAME_TIMER_ID);
    EXPECT_EQ(gameState.lastTickTime, 5000u);
    EXPECT_EQ(gameState.phaseTimer, 2);
}

TEST_F(TickTest, ClockWrapDoesNotStopTheGame) {
    start(COURSE_DIALUP);
    gameState.lastTickTime = 0xFFFFFFF0u;  // 16 ms before the wrap
    testHost.timeMs = 19;                  // 35 ms later
    tickGame(GAME_TIMER_ID);
    EXPECT_EQ(gameState.phaseTimer, 0);
    testHost.timeMs = 20;  // 36 ms later
    tickGame(GAME_TIMER_ID);
    EXPECT_EQ(gameState.phaseTimer, 1);
    EXPECT_EQ(gameState.lastTickTime, 20u);
}

TEST_F(TickTest, ForeignTimerRunsOnlyThePhaseStep) {
    start(COURSE_DIALUP);
    testHost.timeMs = 36;
    tickGame(GAME_TIMER_ID + 1);
    EXPECT_EQ(gameState.lastTickTime, 36u);
    EXPECT_EQ(gameState.phaseTimer, 1);
    EXPECT_EQ(gameState.spawnCountdown, 120);
    EXPECT_EQ(testHost.inputSamples, 0);
    EXPECT_EQ(testHost.calls, std::vector<HostCall>{inval(READY_RECT)});
}

TEST_F(TickTest, ReadyAndGoLastFortyTicksEach) {
    start(COURSE_DIALUP);
    for (int n = 1; n <= 81; ++n) {
        testHost.calls.clear();
        tick();
        const int32_t expectedPhase = n < 40 ? PHASE_READY : n < 80 ? PHASE_GO : PHASE_PLAY;
        ASSERT_EQ(gameState.phase, expectedPhase) << "tick " << n;
        if (n <= 40) {
            EXPECT_EQ(testHost.calls, std::vector<HostCall>{inval(READY_RECT)}) << n;
        } else if (n <= 80) {
            EXPECT_EQ(testHost.calls, std::vector<HostCall>{inval(GO_RECT)}) << n;
        } else {
            EXPECT_TRUE(testHost.calls.empty()) << n;
        }
    }
}

TEST_F(TickTest, MisfireLastsSixtyTicksAndRepaintsEverything) {
    start(COURSE_DIALUP);
    ticks(80);
    gameState.phase = PHASE_MISFIRE;
    for (int n = 1; n <= 60; ++n) {
        testHost.calls.clear();
        tick();
        ASSERT_FALSE(testHost.calls.empty());
        EXPECT_EQ(testHost.calls.front(), invalAll());
        if (n < 60) {
            ASSERT_EQ(gameState.phase, PHASE_MISFIRE) << n;
            EXPECT_EQ(gameState.phaseTimer, 2 * n);
        }
    }
    EXPECT_EQ(gameState.phase, PHASE_PLAY);
    EXPECT_EQ(gameState.phaseTimer, 0);
}

TEST_F(TickTest, GameOverFollowsTheLastLifeAndClosesAfter160Ticks) {
    start(COURSE_DIALUP);
    ticks(80);
    gameState.lives = 0;
    testHost.calls.clear();
    tick();  // T: play finds no lives left
    EXPECT_EQ(gameState.phase, PHASE_GAMEOVER);
    EXPECT_EQ(gameState.phaseTimer, 0);
    EXPECT_TRUE(testHost.calls.empty());
    tick();  // T + 1 repaints the whole window
    EXPECT_EQ(testHost.calls, (std::vector<HostCall>{invalAll(), inval(GAMEOVER_RECT)}));
    for (int n = 2; n < 160; ++n) {
        testHost.calls.clear();
        tick();
        ASSERT_EQ(testHost.calls, std::vector<HostCall>{inval(GAMEOVER_RECT)}) << n;
    }
    testHost.calls.clear();
    tick();  // T + 160
    EXPECT_EQ(testHost.calls, (std::vector<HostCall>{closeCall(), inval(GAMEOVER_RECT)}));
}

TEST_F(TickTest, WithoutInputTheGameEndsByItselfOnEveryCourse) {
    for (int32_t course = 0; course < COURSE_COUNT; ++course) {
        resetAll();
        start(course, 99);
        int n = 0;
        while (testHost.calls.empty() || testHost.calls.back() != inval(GAMEOVER_RECT) ||
               gameState.phaseTimer < 160) {
            tick();
            ASSERT_LT(++n, 100000) << "course " << course;
        }
        EXPECT_EQ(gameState.lives, 0);
    }
}

}  // namespace
