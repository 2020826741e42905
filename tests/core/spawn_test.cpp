// Mail spawning: the countdown per course, the kind table and a full table.
#include <gtest/gtest.h>

#include "core/game_state.h"
#include "tests/core/test_host.h"

namespace {

class SpawnTest : public ::testing::Test {
protected:
    void SetUp() override { resetAll(); }
};

// Runs the countdown alone and returns the ticks at which mails were placed.
std::vector<int> spawnTicks(int32_t course, int until) {
    resetAll();
    gameState.course = course;
    setSpawnTimers();
    randomSeed(1);
    std::vector<int> result;
    for (int n = 1; n <= until; ++n) {
        runSpawnCountdown();
        for (Mail& mail : gameState.mails) {
            if (mail.kind != MAIL_NONE) {
                result.push_back(n);
                mail.kind = MAIL_NONE;
            }
        }
    }
    return result;
}

TEST_F(SpawnTest, SpawnTicksPerCourseSpeedUpToTenTicks) {
    struct Case {
        int32_t course;
        std::vector<int> first;
        int firstSteadyMail;  // the mail after which every gap is 10
    };
    const Case cases[] = {
        {COURSE_DIALUP, {120, 220, 319, 417, 514, 610}, 91},
        {COURSE_ISDN, {120, 210, 299, 387}, 81},
        {COURSE_ADSL, {120, 200, 279, 357}, 71},
        {COURSE_HIKARI, {120, 190, 259, 327}, 61},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.course);
        const std::vector<int> placed = spawnTicks(c.course, 12000);
        ASSERT_GT(placed.size(), 200u);
        for (std::size_t i = 0; i < c.first.size(); ++i) {
            EXPECT_EQ(placed[i], c.first[i]);
        }
        const int k = c.firstSteadyMail;  // 1-based
        EXPECT_EQ(placed[k] - placed[k - 1], 10);
        EXPECT_EQ(placed[k - 1] - placed[k - 2], 11);
        for (std::size_t i = k; i < placed.size(); ++i) {
            ASSERT_EQ(placed[i] - placed[i - 1], 10);
        }
        EXPECT_EQ(gameState.spawnInterval, 10);
    }
}

TEST_F(SpawnTest, KindLaneAndSpeedComeFromTwoDraws) {
    for (int32_t course = 0; course < COURSE_COUNT; ++course) {
        for (uint32_t seed = 0; seed < 200; ++seed) {
            resetAll();
            gameState.course = course;
            randomSeed(seed);
            spawnMail();
            const std::vector<int32_t> draws = referenceRandom(seed, 3);
            const Mail& m = gameState.mails[0];
            ASSERT_EQ(m.x, (draws[0] % 5 + 1) * 100);
            ASSERT_EQ(m.y, 80);
            ASSERT_EQ(m.turn, TURN_NONE);
            const int r = draws[1] % 20;
            const int32_t kind = r < 8 ? MAIL_RED : r < 13 ? MAIL_PURPLE : r < 16 ? MAIL_YELLOW
                                 : r < 19                  ? MAIL_CYAN
                                                           : MAIL_VIRUS;
            const int32_t speed = course + (kind == MAIL_RED || kind == MAIL_YELLOW ? 2
                                            : kind == MAIL_VIRUS                    ? 3
                                                                                    : 4);
            ASSERT_EQ(m.kind, kind) << "seed " << seed;
            ASSERT_EQ(m.speed, speed);
            if (kind == MAIL_VIRUS) {
                ASSERT_EQ(m.fireTimer, 50);
            }
            ASSERT_EQ(randomNext(), draws[2]);
        }
    }
}

TEST_F(SpawnTest, FullTableDrawsNothingButTheCountdownGoesOn) {
    gameState.course = COURSE_ADSL;
    setSpawnTimers();
    for (Mail& mail : gameState.mails) {
        mail.kind = MAIL_BURST + 2;
    }
    gameState.spawnCountdown = 1;
    randomSeed(42);
    runSpawnCountdown();
    EXPECT_EQ(gameState.spawnCountdown, 80);
    EXPECT_EQ(gameState.spawnInterval, 79);
    EXPECT_EQ(randomNext(), referenceRandom(42, 1)[0]);

    // The lowest free slot is taken, keeping a non-virus's old fire timer.
    gameState.mails[17] = Mail{MAIL_NONE, 1, 2, 3, TURN_LEFT, 33};
    gameState.mails[40].kind = MAIL_NONE;
    spawnMail();
    EXPECT_NE(gameState.mails[17].kind, MAIL_NONE);
    EXPECT_EQ(gameState.mails[17].turn, TURN_NONE);
    EXPECT_EQ(gameState.mails[40].kind, MAIL_NONE);
}

TEST_F(SpawnTest, MailsPlacedDuringMisfireWaitAtTheTop) {
    newGame(COURSE_DIALUP, 3, 0);
    ticks(100);
    gameState.phase = PHASE_MISFIRE;
    gameState.spawnCountdown = 1;
    tick();
    int placed = -1;
    for (int i = 0; i < MAX_MAILS; ++i) {
        if (gameState.mails[i].kind != MAIL_NONE) {
            placed = i;
        }
    }
    ASSERT_GE(placed, 0);
    ticks(58);
    EXPECT_EQ(gameState.phase, PHASE_MISFIRE);
    EXPECT_EQ(gameState.mails[placed].y, 80);
    tick();  // back to play: the mail moves in this tick
    EXPECT_EQ(gameState.phase, PHASE_PLAY);
    EXPECT_GT(gameState.mails[placed].y, 80);
}

}  // namespace
