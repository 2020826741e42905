// The viruses' fire timers and their missiles.
#include <gtest/gtest.h>

#include <cmath>

#include "core/game_state.h"
#include "tests/core/test_host.h"

namespace {

class MissilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        resetAll();
        gameState.course = COURSE_DIALUP;
        gameState.lives = 5;
        gameState.phase = PHASE_PLAY;
    }
};

TEST_F(MissilesTest, VirusFiresOnItsFiftiethCountedTickThenOnTheCourseRate) {
    for (int32_t course = 0; course < COURSE_COUNT; ++course) {
        SCOPED_TRACE(course);
        SetUp();
        gameState.course = course;
        randomSeed(9);
        Mail& virus = gameState.mails[0];
        virus = Mail{MAIL_VIRUS, 100, 80, 0, TURN_NONE, 50};  // speed 0: stays put
        std::vector<int> fired;
        for (int n = 1; n <= 400; ++n) {
            testHost.calls.clear();
            updateMails();
            if (!effectsPlayed().empty()) {
                EXPECT_EQ(effectsPlayed(), std::vector<int>{SFX_VIRUS_FIRE});
                fired.push_back(n);
            }
        }
        ASSERT_GE(fired.size(), 3u);
        EXPECT_EQ(fired[0], 50);
        const std::vector<int32_t> draws = referenceRandom(9, 2);
        EXPECT_EQ(fired[1] - fired[0], draws[0] % 30 - 20 * course + 90);
        EXPECT_EQ(fired[2] - fired[1], draws[1] % 30 - 20 * course + 90);
    }
}

TEST_F(MissilesTest, MissileIsAimedAtTheCentreOfTheCraft) {
    gameState.playerX = 294;
    fireMissile(310, 100);  // straight above the centre (294 + 16)
    const Missile& m = gameState.missiles[0];
    EXPECT_EQ(m.state, MISSILE_FLYING);
    EXPECT_EQ(m.speed, 3.0);
    EXPECT_EQ(m.angle, std::atan2(1.0, 0.0));
    gameState.course = COURSE_HIKARI;
    fireMissile(100, 386);  // level with the centre, to the left
    EXPECT_EQ(gameState.missiles[1].angle, 0.0);
    EXPECT_EQ(gameState.missiles[1].speed, 9.0);
}

TEST_F(MissilesTest, FullMissileTableStillReloadsAndSounds) {
    for (Missile& m : gameState.missiles) {
        m.state = MISSILE_BURST + 1;
    }
    gameState.mails[0] = Mail{MAIL_VIRUS, 100, 80, 0, TURN_NONE, 1};
    randomSeed(4);
    updateVirusFire(gameState.mails[0]);
    EXPECT_EQ(gameState.mails[0].fireTimer, referenceRandom(4, 1)[0] % 30 + 90);
    EXPECT_EQ(effectsPlayed(), std::vector<int>{SFX_VIRUS_FIRE});
    for (const Missile& m : gameState.missiles) {
        EXPECT_EQ(m.state, MISSILE_BURST + 1);
    }
}

TEST_F(MissilesTest, HitBoxBoundsAreInclusive) {
    struct Case {
        double x, y;
        bool hit;
    };
    const Case cases[] = {{297.0, 373.0, true},  {323.0, 399.0, true},
                          {296.99, 380.0, false}, {323.01, 380.0, false},
                          {310.0, 372.99, false}, {310.0, 399.01, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
        SetUp();
        gameState.playerX = 294;
        // A step of length 0 leaves the missile exactly where it is put.
        gameState.missiles[0] = Missile{MISSILE_FLYING, c.x, c.y, 0.0, 0.0};
        updateMissiles();
        EXPECT_EQ(gameState.missiles[0].state, c.hit ? MISSILE_BURST : MISSILE_FLYING);
        EXPECT_EQ(gameState.lives, c.hit ? 4 : 5);
        if (c.hit) {
            EXPECT_EQ(effectsPlayed(), std::vector<int>{SFX_BLAST});
            EXPECT_EQ(testHost.calls.back(), inval(HUD_RECT));
        }
    }
}

TEST_F(MissilesTest, FieldBoundsUseTruncatedPositions) {
    struct Case {
        double x, y;
        bool inField;
    };
    const Case cases[] = {{-0.5, 100.0, true}, {-1.0, 100.0, false}, {100.0, -0.99, true},
                          {100.0, -1.0, false}, {620.9, 100.0, true}, {621.0, 100.0, false},
                          {100.0, 440.5, true}, {100.0, 441.0, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
        SetUp();
        gameState.missiles[0] = Missile{MISSILE_FLYING, c.x, c.y, 0.0, 0.0};
        updateMissiles();
        EXPECT_EQ(gameState.missiles[0].state, c.inField ? MISSILE_FLYING : MISSILE_NONE);
    }
}

TEST_F(MissilesTest, FlightStepInvalidatesOldAndNewAndBurstPlaysOut) {
    gameState.missiles[0] = Missile{MISSILE_FLYING, 100.7, 50.2, 3.0, std::atan2(1.0, 0.0)};
    updateMissiles();
    EXPECT_EQ(testHost.calls, (std::vector<HostCall>{inval(92, 42, 108, 58), inval(92, 45, 108, 61)}));
    EXPECT_DOUBLE_EQ(gameState.missiles[0].y, 53.2);

    gameState.lives = 0;
    gameState.missiles[1] = Missile{MISSILE_FLYING, 310.0, 386.0, 0.0, 0.0};
    testHost.calls.clear();
    updateMissiles();
    EXPECT_EQ(gameState.missiles[1].state, MISSILE_BURST);
    EXPECT_EQ(gameState.lives, 0);
    for (int n = 1; n <= 5; ++n) {
        testHost.calls.clear();
        gameState.missiles[0].state = MISSILE_NONE;
        updateMissiles();
        EXPECT_EQ(testHost.calls, std::vector<HostCall>{inval(278, 354, 342, 418)});
        EXPECT_EQ(gameState.missiles[1].state, n < 5 ? MISSILE_BURST + n : MISSILE_NONE);
    }
}

}  // namespace
