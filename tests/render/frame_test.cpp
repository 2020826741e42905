// The calls a frame makes, in order, for chosen game states.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "core/game_state.h"
#include "render/catalogue.h"
#include "render/frame.h"
#include "render/texts.h"
#include "render_fixture.h"

namespace {

using Calls = std::vector<std::string>;

const std::string READY = "\x82q\x82" "d\x82`\x82" "c\x82x";       // ＲＥＡＤＹ
const std::string GO = "\x82" "f\x82n\x81I";                        // ＧＯ！
const std::string MISFIRE = "\x8C\xEB\x94\x9A!!";                   // 誤爆!!
const std::string GAMEOVER =
    "\x82" "f\x82`\x82l\x82" "d\x82n\x82u\x82" "d\x82q\x81I\x81I";  // ＧＡＭＥＯＶＥＲ！！
const std::string ON = "\x81\x9C";   // ●
const std::string OFF = "\x81\x9B";  // ○

Calls paint() {
    RecordingSurface surface;
    paintFrame(surface);
    return surface.calls;
}

// The calls of a frame with nothing but the fixed parts, up to the score line.
Calls lanesAndPlayer(int32_t playerX) {
    return {
        "line 100 78 100 340", "copy 143 84 340",
        "line 200 78 200 340", "copy 139 184 340",
        "line 300 78 300 340", "copy 140 284 340",
        "line 400 78 400 340", "copy 141 384 340",
        "line 500 78 500 340", "copy 142 484 340",
        "copy 134 " + std::to_string(playerX) + " 370",
    };
}

class FrameTest : public ::testing::Test {
protected:
    void SetUp() override { resetToPlay(); }
    void TearDown() override { gameState = GameState{}; }
};

TEST_F(FrameTest, IdleDrawsTheBannerOnly) {
    gameState = GameState{};
    gameState.score = 500;  // no score line, so no raise either
    gameState.mails[0] = Mail{MAIL_RED, 300, 200, 1, 0, 0};
    EXPECT_EQ(paint(), (Calls{"copy 147 0 0"}));
    EXPECT_EQ(gameState.hiScore, 0u);
}

TEST_F(FrameTest, DrawsAFullSceneInPaintingOrder) {
    gameState.phase = PHASE_READY;
    gameState.playerX = 200;
    gameState.score = 120;
    gameState.lives = 3;
    gameState.mailboxDestroyed[2] = 1;
    gameState.rungs[0] = Rung{1, 150};
    gameState.rungs[1] = Rung{4, 222};
    gameState.shots[3] = Shot{50, 60, 8};
    gameState.shots[1] = Shot{10, 20, 8};
    gameState.mails[5] = Mail{MAIL_VIRUS, 300, 100, 1, 0, 0};
    gameState.mails[2] = Mail{12, 300, 345, 0, 0, 0};
    gameState.missiles[4] = Missile{MISSILE_FLYING, 111.7, 222.2, 3, 0};
    Calls expected = {"copy 147 0 0"};
    for (const std::string& call : lanesAndPlayer(200)) {
        expected.push_back(call);
    }
    expected[6] = "copy 157 284 340";  // lane 3's mailbox is destroyed
    const Calls rest = {
        "line 100 150 200 150", "line 400 222 500 222",
        "copy 144 10 20",       "copy 144 50 60",
        "font Message",         "transparent",
        "color 00AA3300",       "text 242 349 You've Got Mail!",
        "copy 145 288 88",      "copy 130 107 218",
        "font Hud",             "color 00EE0000",
        "text 300 39 HI-SCORE: 0000120  SCORE: 0000120  LIFE: " + ON + ON + ON + OFF + OFF,
        "font Banner",          "transparent",
        "color 00555500",       "text 240 200 " + READY,
    };
    expected.insert(expected.end(), rest.begin(), rest.end());
    EXPECT_EQ(paint(), expected);
    EXPECT_EQ(gameState.hiScore, 120u);
}

TEST_F(FrameTest, TheFirstRungWithoutALaneEndsTheRungs) {
    struct Case {
        std::vector<Rung> rungs;
        size_t drawn;
    };
    const Case cases[] = {
        {{{2, 100}, {0, 110}, {3, 120}}, 1},
        {{{-1, 100}, {3, 120}}, 0},
        {{{4, 100}, {1, 110}, {3, 120}}, 3},
        {std::vector<Rung>(MAX_RUNGS, Rung{2, 90}), MAX_RUNGS},
    };
    for (const Case& c : cases) {
        resetToPlay();
        std::copy(c.rungs.begin(), c.rungs.end(), gameState.rungs);
        RecordingSurface surface;
        paintFrame(surface);
        const Calls lines = surface.only("line");
        EXPECT_EQ(lines.size(), LANE_COUNT + c.drawn) << "first lane " << c.rungs[0].lane;
    }
    resetToPlay();
    gameState.rungs[0] = Rung{2, 100};
    gameState.rungs[1] = Rung{0, 110};
    gameState.rungs[2] = Rung{3, 120};
    RecordingSurface surface;
    paintFrame(surface);
    EXPECT_EQ(surface.only("line").back(), "line 200 100 300 100");
}

TEST_F(FrameTest, ShotsAreDrawnInSlotOrderSkippingFreeSlots) {
    gameState.shots[0] = Shot{5, 6, 0};  // free slot with a stale position
    gameState.shots[2] = Shot{7, 8, -3};
    gameState.shots[MAX_SHOTS - 1] = Shot{9, 10, 12};
    RecordingSurface surface;
    paintFrame(surface);
    EXPECT_EQ(surface.only("copy 144"), (Calls{"copy 144 7 8", "copy 144 9 10"}));
}

TEST_F(FrameTest, EachMailKindDrawsItsPictureOrMessage) {
    struct Case {
        int32_t kind;
        Calls calls;  // between the player and the score line
    };
    const std::string message = "font Message|transparent|color 00AA3300|text ";
    const Case cases[] = {
        {MAIL_NONE, {}},
        {-3, {}},
        {21, {}},
        {MAIL_YELLOW, {"copy 135 288 337"}},
        {MAIL_CYAN, {"copy 138 288 337"}},
        {MAIL_RED, {"copy 136 288 337"}},
        {MAIL_PURPLE, {"copy 137 288 337"}},
        {MAIL_VIRUS, {"copy 145 288 333"}},
        {6, {"copy 152 268 313"}},
        {7, {"copy 153 270 315"}},
        {8, {"copy 154 276 321"}},
        {9, {"copy 155 284 329"}},
        {10, {"copy 156 292 337"}},
        {11, {"font Message", "transparent", "color 00AA3300", "text 242 350 You've Got Mail!"}},
        {20, {"font Message", "transparent", "color 00AA3300", "text 242 341 You've Got Mail!"}},
    };
    for (const Case& c : cases) {
        resetToPlay();
        gameState.mails[MAX_MAILS - 1] = Mail{c.kind, 300, 345, 2, 0, 0};
        const Calls calls = paint();
        const auto player = std::find(calls.begin(), calls.end(), "copy 134 294 370");
        const auto hud = std::find(calls.begin(), calls.end(), "font Hud");
        ASSERT_NE(player, calls.end());
        ASSERT_NE(hud, calls.end());
        EXPECT_EQ(Calls(player + 1, hud), c.calls) << "kind " << c.kind;
    }
}

TEST_F(FrameTest, ALaterMailDrawsOverAnEarlierOne) {
    gameState.mails[0] = Mail{MAIL_RED, 300, 200, 1, 0, 0};
    gameState.mails[1] = Mail{MAIL_YELLOW, 305, 200, 1, 0, 0};
    RecordingSurface surface;
    paintFrame(surface);
    EXPECT_EQ(surface.only("copy 13"),
              (Calls{"copy 139 184 340", "copy 134 294 370", "copy 136 288 192",
                     "copy 135 293 192"}));
}

TEST_F(FrameTest, MissilesTruncateTowardZeroAndDrawByState) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        int32_t state;
        double x;
        double y;
        Calls calls;
    };
    const Case cases[] = {
        {MISSILE_FLYING, 10.9, -0.5, {"copy 130 6 -4"}},
        {MISSILE_FLYING, -10.9, 3.99, {"copy 130 -14 -1"}},
        {6, 100.5, 200.5, {"copy 152 68 168"}},
        {7, 100, 200, {"copy 153 70 170"}},
        {8, 100, 200, {"copy 154 76 176"}},
        {9, 100, 200, {"copy 155 84 184"}},
        {10, 100, 200, {"copy 156 92 192"}},
        {MISSILE_NONE, 100, 200, {}},
        {2, 100, 200, {}},
        {5, 100, 200, {}},
        {11, 100, 200, {}},
        {MISSILE_FLYING, nan, 200, {}},
        {MISSILE_FLYING, 100, 1e300, {}},
    };
    for (const Case& c : cases) {
        resetToPlay();
        gameState.missiles[MAX_MISSILES - 1] = Missile{c.state, c.x, c.y, 1, 0};
        const Calls calls = paint();
        const auto player = std::find(calls.begin(), calls.end(), "copy 134 294 370");
        const auto hud = std::find(calls.begin(), calls.end(), "font Hud");
        EXPECT_EQ(Calls(player + 1, hud), c.calls) << "state " << c.state << " at " << c.x;
    }
}

TEST_F(FrameTest, EachPhaseDrawsItsOverlayLast) {
    struct Case {
        int32_t phase;
        Calls overlay;
    };
    const Case cases[] = {
        {PHASE_READY, {"font Banner", "transparent", "color 00555500", "text 240 200 " + READY}},
        {PHASE_GO, {"font Banner", "transparent", "color 00555500", "text 280 200 " + GO}},
        {PHASE_GAMEOVER,
         {"font Banner", "transparent", "color 00FF0000", "text 220 200 " + GAMEOVER}},
        {PHASE_MISFIRE,
         {"copy 133 -120 120", "font Banner", "transparent", "color 000000FF",
          "text 270 200 " + MISFIRE}},
        {PHASE_PLAY, {}},
        {9, {}},
    };
    for (const Case& c : cases) {
        resetToPlay();
        gameState.phase = c.phase;
        gameState.misfirePicture = 2;
        const Calls calls = paint();
        auto afterHud = std::find(calls.begin(), calls.end(), "font Hud");
        ASSERT_NE(afterHud, calls.end());
        afterHud += 3;  // font, colour, text
        EXPECT_EQ(Calls(afterHud, calls.end()), c.overlay) << "phase " << c.phase;
    }
}

TEST_F(FrameTest, TheMisfirePictureSlidesUpAndRight) {
    struct Case {
        int32_t timer;
        int32_t picture;
        std::string call;
    };
    const Case cases[] = {
        {0, 0, "copy 131 -120 120"},  {2, 1, "copy 132 -116 117"},
        {60, 0, "copy 131 0 30"},     {118, 2, "copy 133 116 -57"},
        {-1, 0, "copy 131 -122 121"},  // odd and negative: the division truncates toward zero
        {3, 0, "copy 131 -114 116"},
    };
    for (const Case& c : cases) {
        resetToPlay();
        gameState.phase = PHASE_MISFIRE;
        gameState.phaseTimer = c.timer;
        gameState.misfirePicture = c.picture;
        RecordingSurface surface;
        paintFrame(surface);
        EXPECT_EQ(surface.only("copy 13").back(), c.call) << "timer " << c.timer;
    }
}

TEST_F(FrameTest, ScoreLineBytesAndHighScore) {
    struct Case {
        uint32_t hiScore;
        uint32_t score;
        int32_t lives;
        std::string line;
        uint32_t hiScoreAfter;
    };
    const Case cases[] = {
        {250, 360, 3, "HI-SCORE: 0000360  SCORE: 0000360  LIFE: " + ON + ON + ON + OFF + OFF, 360},
        {900, 360, 5, "HI-SCORE: 0000900  SCORE: 0000360  LIFE: " + ON + ON + ON + ON + ON, 900},
        {0, 0, 0, "HI-SCORE: 0000000  SCORE: 0000000  LIFE: " + OFF + OFF + OFF + OFF + OFF, 0},
        {0, 0, -2, "HI-SCORE: 0000000  SCORE: 0000000  LIFE: " + OFF + OFF + OFF + OFF + OFF, 0},
        {0, 10, 7, "HI-SCORE: 0000010  SCORE: 0000010  LIFE: " + ON + ON + ON + ON + ON, 10},
        {0, 12345678, 1,
         "HI-SCORE: 12345678  SCORE: 12345678  LIFE: " + ON + OFF + OFF + OFF + OFF, 12345678},
        // The comparison is unsigned: the largest score still counts as higher.
        {4294967294u, 4294967295u, 4,
         "HI-SCORE: 4294967295  SCORE: 4294967295  LIFE: " + ON + ON + ON + ON + OFF,
         4294967295u},
    };
    for (const Case& c : cases) {
        resetToPlay();
        gameState.hiScore = c.hiScore;
        gameState.score = c.score;
        gameState.lives = c.lives;
        RecordingSurface surface;
        paintFrame(surface);
        const Calls texts = surface.only("text");
        ASSERT_EQ(texts.size(), 1u);
        EXPECT_EQ(texts[0], "text 300 39 " + c.line) << "score " << c.score;
        EXPECT_EQ(gameState.hiScore, c.hiScoreAfter);
    }
    EXPECT_EQ(("HI-SCORE: 0000360  SCORE: 0000360  LIFE: " + ON + ON + ON + OFF + OFF).size(), 51u);
}

TEST_F(FrameTest, TheScoreLineSetsNoBackgroundModeOfItsOwn) {
    // Without a message first, the line is drawn in the paint's default
    // (opaque) mode; after one, in the transparent mode the message left.
    RecordingSurface plain;
    paintFrame(plain);
    EXPECT_TRUE(plain.only("transparent").empty());
    gameState.mails[0] = Mail{15, 300, 200, 0, 0, 0};
    RecordingSurface afterMessage;
    paintFrame(afterMessage);
    EXPECT_EQ(afterMessage.only("transparent").size(), 1u);
}

}  // namespace
