// Mails on the ladder: rungs, turns, arrivals and the after-image frames.
#include <gtest/gtest.h>

#include "core/game_state.h"
#include "tests/core/test_host.h"

namespace {

class MailsTest : public ::testing::Test {
protected:
    void SetUp() override {
        resetAll();
        gameState.course = COURSE_DIALUP;
        gameState.lives = 5;
        gameState.phase = PHASE_PLAY;
    }
    Mail& mail(int32_t kind, int32_t x, int32_t y, int32_t speed, int32_t turn = TURN_NONE) {
        gameState.mails[0] = Mail{kind, x, y, speed, turn, 50};
        return gameState.mails[0];
    }
};

TEST_F(MailsTest, RungTestIsInclusiveAndTheLowestSlotWins) {
    struct Case {
        Rung rungs[3];
        int32_t x, y, speed;
        int32_t expectX, expectY, expectTurn;
    };
    const Case cases[] = {
        // Rung exactly at the old y, and exactly at the new y.
        {{{2, 150}}, 200, 150, 4, 201, 150, TURN_RIGHT},
        {{{2, 154}}, 200, 150, 4, 201, 154, TURN_RIGHT},
        {{{2, 155}}, 200, 150, 4, 200, 154, TURN_NONE},
        // The left end of a rung of lane 1 turns a mail of lane 2 left.
        {{{1, 152}}, 200, 150, 4, 199, 152, TURN_LEFT},
        // Two candidates in one step: the lower slot wins though it lies lower.
        {{{2, 153}, {1, 151}}, 200, 150, 4, 201, 153, TURN_RIGHT},
        // Rungs of lanes 1 and 4 pass a mail at x 300 by.
        {{{1, 151}, {4, 152}, {3, 153}}, 300, 150, 4, 301, 153, TURN_RIGHT},
        // A slot with lane 0 is skipped, not an end.
        {{{0, 151}, {2, 152}}, 300, 150, 4, 299, 152, TURN_LEFT},
    };
    for (const Case& c : cases) {
        SetUp();
        for (int i = 0; i < 3; ++i) {
            gameState.rungs[i] = c.rungs[i];
        }
        Mail& m = mail(MAIL_RED, c.x, c.y, c.speed);
        updateMails();
        EXPECT_EQ(m.x, c.expectX);
        EXPECT_EQ(m.y, c.expectY);
        EXPECT_EQ(m.turn, c.expectTurn);
        EXPECT_EQ(testHost.calls,
                  std::vector<HostCall>{inval(c.x - 32, c.y - 32, c.x + 32, c.y + 32)});
    }
}

TEST_F(MailsTest, TurnLengthsByDirectionAndSpeed) {
    struct Case {
        int32_t speed;
        int right;
        int left;
    };
    const Case cases[] = {{2, 50, 50}, {3, 33, 34}, {4, 25, 25}, {5, 20, 20},
                          {6, 17, 17}, {7, 15, 15}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.speed);
        for (int32_t turn : {TURN_RIGHT, TURN_LEFT}) {
            SetUp();
            Mail& m = turn == TURN_RIGHT ? mail(MAIL_RED, 201, 150, c.speed, TURN_RIGHT)
                                         : mail(MAIL_RED, 299, 150, c.speed, TURN_LEFT);
            int n = 0;
            while (m.turn != TURN_NONE) {
                updateMails();
                ++n;
                ASSERT_EQ(m.y, m.turn == TURN_NONE ? 151 : 150);
                ASSERT_LT(n, 100);
            }
            EXPECT_EQ(n, turn == TURN_RIGHT ? c.right : c.left);
            EXPECT_EQ(m.x, turn == TURN_RIGHT ? 300 : 200);
        }
    }
}

TEST_F(MailsTest, AMailLeavingARungIsNotCaughtAgainAtThatHeight) {
    gameState.rungs[0] = Rung{2, 150};
    gameState.rungs[1] = Rung{3, 150};
    Mail& m = mail(MAIL_RED, 297, 150, 4, TURN_RIGHT);
    updateMails();
    EXPECT_EQ(m.x, 300);
    EXPECT_EQ(m.y, 151);
    updateMails();
    EXPECT_EQ(m.turn, TURN_NONE);
    EXPECT_EQ(m.y, 155);
}

TEST_F(MailsTest, ArrivalByKindAndMailbox) {
    struct Case {
        int32_t kind;
        bool destroyed;
        int32_t lives;
        int32_t expectKind;
        uint32_t expectScore;
        int32_t expectLives;
        std::vector<int> effects;
        bool hud;
    };
    const Case cases[] = {
        {MAIL_YELLOW, false, 5, MAIL_DELIVERED, 110, 5, {SFX_DELIVERED}, true},
        {MAIL_CYAN, false, 0, MAIL_DELIVERED, 130, 0, {SFX_DELIVERED}, true},
        {MAIL_CYAN, true, 5, MAIL_NONE, 0, 5, {}, false},
        {MAIL_RED, false, 5, MAIL_BURST, 0, 4, {SFX_BLAST}, true},
        {MAIL_VIRUS, false, 0, MAIL_BURST, 0, 0, {SFX_BLAST}, false},
        {MAIL_PURPLE, true, 5, MAIL_NONE, 0, 5, {}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "kind " << c.kind << " destroyed " << c.destroyed);
        SetUp();
        gameState.lives = c.lives;
        gameState.mailboxDestroyed[2] = c.destroyed ? 1 : 0;
        Mail& m = mail(c.kind, 300, 336, 6);
        updateMails();
        EXPECT_EQ(m.kind, c.expectKind);
        EXPECT_EQ(m.y, 342);
        EXPECT_EQ(gameState.score, c.expectScore);
        EXPECT_EQ(gameState.lives, c.expectLives);
        EXPECT_EQ(effectsPlayed(), c.effects);
        bool hud = false;
        for (const HostCall& call : testHost.calls) {
            hud = hud || call == inval(HUD_RECT);
        }
        EXPECT_EQ(hud, c.hud);
        const bool bad = c.kind >= MAIL_RED;
        EXPECT_EQ(gameState.mailboxDestroyed[2], bad || c.destroyed ? 1 : 0);
        EXPECT_EQ(m.fireTimer, 50);  // a virus at its mailbox does not count
    }
}

TEST_F(MailsTest, TwoBadMailsAtOneMailboxCostOneLife) {
    gameState.mails[4] = Mail{MAIL_RED, 200, 338, 2, TURN_NONE, 0};
    gameState.mails[9] = Mail{MAIL_PURPLE, 200, 337, 4, TURN_NONE, 0};
    updateMails();
    EXPECT_EQ(gameState.mails[4].kind, MAIL_BURST);
    EXPECT_EQ(gameState.mails[9].kind, MAIL_NONE);
    EXPECT_EQ(gameState.lives, 4);
}

TEST_F(MailsTest, AfterImageFramesCountDownAndFree) {
    gameState.mails[0] = Mail{MAIL_BURST, 100, 200, 2, TURN_NONE, 0};
    gameState.mails[1] = Mail{MAIL_DELIVERED, 300, 345, 2, TURN_NONE, 0};
    for (int n = 1; n <= 10; ++n) {
        testHost.calls.clear();
        updateMails();
        EXPECT_EQ(gameState.mails[0].kind, n < 5 ? MAIL_BURST + n : MAIL_NONE) << n;
        EXPECT_EQ(gameState.mails[1].kind, n < 10 ? MAIL_DELIVERED + n : MAIL_NONE) << n;
        // The message also clears its 120 x 120 square, the frame that frees it too.
        EXPECT_EQ(testHost.calls.back(), inval(240, 285, 360, 405));
    }
}

TEST_F(MailsTest, ShotBurstIsAdvancedInTheSameTick) {
    newGame(COURSE_DIALUP, 1, 0);
    ticks(80);
    gameState.mails[0] = Mail{MAIL_RED, 309, 355, 2, TURN_NONE, 0};
    tick(InputState{false, false, true});
    EXPECT_EQ(gameState.mails[0].kind, MAIL_BURST + 1);
}

}  // namespace
