// The craft's movement, firing and the shots' hits.
#include <gtest/gtest.h>

#include <algorithm>

#include "core/game_state.h"
#include "tests/core/test_host.h"

namespace {

constexpr InputState LEFT{true, false, false};
constexpr InputState RIGHT{false, true, false};
constexpr InputState BOTH{true, true, false};
constexpr InputState FIRE{false, false, true};

class PlayerTest : public ::testing::Test {
protected:
    void SetUp() override { resetAll(); }
    // A game of `course` that has just entered play.
    void startPlaying(int32_t course) {
        newGame(course, 7, 0);
        ticks(80);
        testHost.calls.clear();
    }
    Mail& placeMail(int slot, int32_t kind, int32_t x, int32_t y) {
        Mail& m = gameState.mails[slot];
        m = Mail{kind, x, y, 2, TURN_NONE, 50};
        return m;
    }
};

TEST_F(PlayerTest, CraftStopsAtBothBoundsAndLeftWins) {
    newGame(COURSE_DIALUP, 1, 0);
    testHost.calls.clear();
    tick(LEFT);
    EXPECT_EQ(gameState.playerX, 288);
    EXPECT_EQ(testHost.calls[1], inval(288, 370, 324, 402));  // old x - 6 .. old x + 30
    ticks(100, LEFT);
    EXPECT_EQ(gameState.playerX, 6);
    ticks(5, BOTH);
    EXPECT_EQ(gameState.playerX, 6);

    testHost.calls.clear();
    tick(RIGHT);
    EXPECT_EQ(gameState.playerX, 12);
    ASSERT_FALSE(testHost.calls.empty());
    EXPECT_EQ(testHost.calls[0], inval(8, 370, 44, 402));  // old x + 2 .. old x + 38
    ticks(200, RIGHT);
    EXPECT_EQ(gameState.playerX, 576);
    tick(BOTH);
    EXPECT_EQ(gameState.playerX, 570);
}

TEST_F(PlayerTest, FireCadenceFollowsTheCourse) {
    struct Case {
        int32_t course;
        int interval;
    };
    for (const Case& c : {Case{COURSE_DIALUP, 20}, Case{COURSE_ISDN, 15}, Case{COURSE_ADSL, 10},
                          Case{COURSE_HIKARI, 5}}) {
        SCOPED_TRACE(c.course);
        resetAll();
        newGame(c.course, 3, 0);
        ticks(39, FIRE);  // READY: fire held, nothing happens
        EXPECT_EQ(gameState.fireCooldown, 0);
        EXPECT_TRUE(effectsPlayed().empty());
        std::vector<int> fireTicks;
        for (int n = 40; n < 80; ++n) {
            testHost.calls.clear();
            tick(FIRE);
            if (!effectsPlayed().empty()) {
                EXPECT_EQ(effectsPlayed(), std::vector<int>{SFX_SHOT});
                EXPECT_NE(std::find(testHost.calls.begin(), testHost.calls.end(),
                                    effect(SFX_SHOT, true)),
                          testHost.calls.end());
                fireTicks.push_back(n);
            }
            if (n == 40) {
                // A new shot flies in the tick it is fired.
                const Shot& first = gameState.shots[0];
                EXPECT_EQ(first.x, 294 + 15);
                EXPECT_EQ(first.y, 367 - (2 * c.course + 8));
                EXPECT_EQ(first.speed, 2 * c.course + 8);
            }
        }
        // Tick 40 switches to GO before the firing step, so it fires already.
        ASSERT_GE(fireTicks.size(), 2u);
        EXPECT_EQ(fireTicks[0], 40);
        EXPECT_EQ(fireTicks[1] - fireTicks[0], c.interval);
    }
}

TEST_F(PlayerTest, FullShotTableStillSetsCooldownAndSound) {
    startPlaying(COURSE_DIALUP);
    for (Shot& shot : gameState.shots) {
        shot = Shot{100, 300, 8};
    }
    // Keep the existing shots from moving away: fire and check before they move.
    updateFiring(FIRE);
    EXPECT_EQ(gameState.fireCooldown, 19);
    EXPECT_EQ(effectsPlayed(), std::vector<int>{SFX_SHOT});
    for (const Shot& shot : gameState.shots) {
        EXPECT_EQ(shot.x, 100);
    }
}

TEST_F(PlayerTest, HitWindowBounds) {
    struct Case {
        int32_t dx;  // shot x - mail x
        int32_t mailY;
        bool hit;
    };
    // A shot moving from y 200 to 192 hits mails at y 184 to 224.
    const Case cases[] = {{15, 200, true},  {16, 200, false}, {-15, 200, true},
                          {-16, 200, false}, {0, 184, true},  {0, 183, false},
                          {0, 224, true},   {0, 225, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "dx " << c.dx << " y " << c.mailY);
        resetAll();
        startPlaying(COURSE_DIALUP);
        gameState.shots[0] = Shot{300, 200, 8};
        placeMail(0, MAIL_RED, 300 - c.dx, c.mailY);
        updateShots();
        EXPECT_EQ(gameState.mails[0].kind, c.hit ? MAIL_BURST : MAIL_RED);
        EXPECT_EQ(gameState.shots[0].speed, c.hit ? 0 : 8);
        EXPECT_EQ(gameState.score, c.hit ? 120u : 0u);
    }
}

TEST_F(PlayerTest, ScoresByKindAndNeverHitsAfterImages) {
    startPlaying(COURSE_DIALUP);
    const int32_t kinds[] = {MAIL_RED, MAIL_PURPLE, MAIL_VIRUS, MAIL_BURST, MAIL_BURST + 4,
                             MAIL_DELIVERED, MAIL_DELIVERED + 9};
    const uint32_t points[] = {120, 130, 140, 0, 0, 0, 0};
    for (int i = 0; i < 7; ++i) {
        SCOPED_TRACE(kinds[i]);
        resetAll();
        startPlaying(COURSE_DIALUP);
        gameState.shots[0] = Shot{300, 200, 8};
        placeMail(0, kinds[i], 300, 196);
        updateShots();
        EXPECT_EQ(gameState.score, points[i]);
        EXPECT_EQ(gameState.shots[0].speed, points[i] ? 0 : 8);
        if (points[i]) {
            EXPECT_EQ(testHost.calls.back(), inval(HUD_RECT));
            EXPECT_EQ(effectsPlayed(), std::vector<int>{SFX_BLAST});
        }
    }
}

TEST_F(PlayerTest, OneShotTakesEveryMailInItsPathWithEachOutcome) {
    startPlaying(COURSE_DIALUP);
    gameState.shots[0] = Shot{300, 200, 8};
    placeMail(3, MAIL_RED, 300, 200);
    placeMail(5, MAIL_YELLOW, 302, 195);
    placeMail(9, MAIL_CYAN, 298, 210);
    updateShots();
    EXPECT_EQ(gameState.mails[3].kind, MAIL_BURST);
    EXPECT_EQ(gameState.mails[5].kind, MAIL_BURST);
    EXPECT_EQ(gameState.mails[9].kind, MAIL_BURST);
    EXPECT_EQ(gameState.score, 120u);
    EXPECT_EQ(gameState.lives, 3);
    EXPECT_EQ(gameState.phase, PHASE_MISFIRE);
    EXPECT_EQ(gameState.phaseTimer, 0);
    EXPECT_EQ(gameState.shots[0].speed, 0);
    EXPECT_EQ(effectsPlayed(), (std::vector<int>{SFX_BLAST, SFX_MISFIRE, SFX_MISFIRE}));
}

TEST_F(PlayerTest, MisfireDrawsThePictureAndSparesTheLastNonLife) {
    startPlaying(COURSE_DIALUP);
    randomSeed(5);
    const int32_t expectedPicture = referenceRandom(5, 1)[0] % 3;
    gameState.lives = 0;
    gameState.shots[0] = Shot{300, 200, 8};
    placeMail(0, MAIL_CYAN, 300, 196);
    updateShots();
    EXPECT_EQ(gameState.phase, PHASE_MISFIRE);
    EXPECT_EQ(gameState.misfirePicture, expectedPicture);
    EXPECT_EQ(gameState.lives, 0);
    for (const HostCall& call : testHost.calls) {
        EXPECT_NE(call, inval(HUD_RECT));
    }
}

TEST_F(PlayerTest, MisfireInATickFreezesTheRestOfIt) {
    startPlaying(COURSE_DIALUP);
    // A good mail right above the craft: the shot fired now hits it.
    placeMail(0, MAIL_YELLOW, 309, 355);
    placeMail(1, MAIL_RED, 100, 200);
    gameState.missiles[0] = Missile{MISSILE_FLYING, 50.0, 50.0, 3.0, 1.0};
    tick(FIRE);
    EXPECT_EQ(gameState.phase, PHASE_MISFIRE);
    EXPECT_EQ(gameState.mails[0].kind, MAIL_BURST);  // not advanced: no mail update
    EXPECT_EQ(gameState.mails[1].y, 200);
    EXPECT_EQ(gameState.missiles[0].x, 50.0);
    tick(FIRE);
    EXPECT_EQ(gameState.fireCooldown, 19);  // cooldown does not count in misfire
}

TEST_F(PlayerTest, ShotLeavingTheTopIsRemovedWithoutAHitTest) {
    startPlaying(COURSE_DIALUP);
    gameState.shots[0] = Shot{300, 15, 8};  // to y 7
    placeMail(0, MAIL_RED, 300, 10);
    updateShots();
    EXPECT_EQ(gameState.shots[0].speed, 0);
    EXPECT_EQ(gameState.mails[0].kind, MAIL_RED);
    EXPECT_EQ(testHost.calls,
              (std::vector<HostCall>{inval(300, 15, 303, 31), inval(300, 7, 303, 23)}));
}

}  // namespace
