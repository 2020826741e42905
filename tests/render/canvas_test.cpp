// Pixels of the software canvas: pictures, lines, clipping, the damaged region.
#include <gtest/gtest.h>

#include "core/game_state.h"
#include "render/canvas.h"
#include "render/catalogue.h"
#include "render/pixel_surface.h"
#include "render_fixture.h"

namespace {

constexpr uint32_t WHITE = 0xFFFFFF;
constexpr uint32_t BLACK = 0x000000;

// A canvas with solid stand-in pictures and no fonts: every pixel it shows
// tells which picture (or line, or erase) put it there.
class CanvasTest : public ::testing::Test {
protected:
    void SetUp() override {
        resetToPlay();
        loadStandIns(canvas.pictures());
    }
    void TearDown() override { gameState = GameState{}; }

    uint32_t at(int32_t x, int32_t y) const { return canvas.pixel(x, y); }
    void paintAll() {
        canvas.invalidateAll();
        canvas.paint();
    }

    SoftwareCanvas canvas;
};

TEST_F(CanvasTest, StartsWhiteAndIdleShowsTheBannerOnWhite) {
    EXPECT_EQ(at(0, 0), WHITE);
    EXPECT_EQ(at(619, 439), WHITE);
    gameState.phase = PHASE_IDLE;
    paintAll();
    EXPECT_EQ(at(0, 0), standInColour(BMP_BANNER));
    EXPECT_EQ(at(619, 77), standInColour(BMP_BANNER));
    EXPECT_EQ(at(100, 78), WHITE);   // no lane
    EXPECT_EQ(at(84, 340), WHITE);   // no mailbox
    EXPECT_EQ(at(294, 370), WHITE);  // no player
}

TEST_F(CanvasTest, LaneLinesRunFromRow78ToRow339) {
    canvas.pictures().clear(BMP_BANNER);
    for (int number : {BMP_MAILBOX_1, BMP_MAILBOX_2, BMP_MAILBOX_3, BMP_MAILBOX_4, BMP_MAILBOX_5}) {
        canvas.pictures().clear(number);
    }
    paintAll();
    for (int32_t x = 100; x <= 500; x += 100) {
        EXPECT_EQ(at(x, 77), WHITE) << x;
        EXPECT_EQ(at(x, 78), BLACK) << x;
        EXPECT_EQ(at(x, 339), BLACK) << x;
        EXPECT_EQ(at(x, 340), WHITE) << x;  // the end point is left out
        EXPECT_EQ(at(x + 1, 200), WHITE) << x;
        EXPECT_EQ(at(x - 1, 200), WHITE) << x;
    }
}

TEST_F(CanvasTest, RungsCoverTheirLaneAndStopBeforeTheNext) {
    gameState.rungs[0] = Rung{2, 150};
    paintAll();
    EXPECT_EQ(at(200, 150), BLACK);
    EXPECT_EQ(at(299, 150), BLACK);
    EXPECT_EQ(at(300, 150), BLACK);  // the next lane's own line
    EXPECT_EQ(at(301, 150), WHITE);
    EXPECT_EQ(at(250, 149), WHITE);
}

TEST_F(CanvasTest, DestroyedMailboxReplacesTheLanesOwn) {
    gameState.mailboxDestroyed[2] = 1;
    paintAll();
    const uint32_t wreck = standInColour(BMP_MAILBOX_DESTROYED);
    EXPECT_EQ(at(284, 340), wreck);
    EXPECT_EQ(at(307, 363), wreck);
    EXPECT_EQ(at(283, 340), WHITE);
    EXPECT_EQ(at(308, 363), WHITE);
    EXPECT_EQ(at(284, 364), WHITE);
    EXPECT_EQ(at(184, 340), standInColour(BMP_MAILBOX_2));
    EXPECT_EQ(at(384, 340), standInColour(BMP_MAILBOX_4));
}

TEST_F(CanvasTest, PicturesAreOpaqueAndHideTheLinesBeneath) {
    gameState.mails[0] = Mail{8, 300, 200, 0, 0, 0};  // a 48 x 48 burst over lane 3
    paintAll();
    const uint32_t burst = standInColour(BMP_BURST_48);
    EXPECT_EQ(at(300, 200), burst);
    EXPECT_EQ(at(276, 176), burst);
    EXPECT_EQ(at(323, 223), burst);
    EXPECT_EQ(at(300, 175), BLACK);
    EXPECT_EQ(at(300, 224), BLACK);
}

TEST_F(CanvasTest, RepaintIsConfinedToTheDamagedRectangles) {
    gameState.missiles[0] = Missile{MISSILE_FLYING, 200.0, 300.0, 4, 0};
    paintAll();
    // The missile bursts: the first frame is 64 x 64, but only two 16 x 16
    // rectangles are marked.
    gameState.missiles[0].state = MISSILE_BURST;
    canvas.invalidate(192, 292, 208, 308);
    canvas.invalidate(216, 272, 232, 288);
    canvas.paint();
    const uint32_t burst = standInColour(BMP_BURST_64);
    for (int32_t y = 260; y < 340; ++y) {
        for (int32_t x = 160; x < 240; ++x) {
            const bool inFirst = x >= 192 && x < 208 && y >= 292 && y < 308;
            const bool inSecond = x >= 216 && x < 232 && y >= 272 && y < 288;
            if (inFirst || inSecond) {
                ASSERT_EQ(at(x, y), burst) << x << "," << y;
            } else {
                ASSERT_NE(at(x, y), burst) << x << "," << y;
            }
        }
    }
    // Outside the rectangles the old frame stays, the missile included.
    EXPECT_EQ(at(196, 296), burst);
    EXPECT_EQ(at(201, 291), WHITE);
    EXPECT_EQ(at(200, 260), BLACK);  // lane 2
    EXPECT_FALSE(canvas.hasDamage());
}

TEST_F(CanvasTest, DamagedRegionIsErasedToWhite) {
    gameState.mails[0] = Mail{MAIL_RED, 250, 200, 1, 0, 0};
    paintAll();
    EXPECT_EQ(at(250, 200), standInColour(BMP_MAIL_RED));
    gameState.mails[0].kind = MAIL_NONE;
    canvas.invalidate(238, 192, 262, 208);
    canvas.paint();
    for (int32_t y = 192; y < 208; ++y) {
        for (int32_t x = 238; x < 262; ++x) {
            ASSERT_EQ(at(x, y), WHITE) << x << "," << y;
        }
    }
}

TEST_F(CanvasTest, PaintWithoutDamageChangesNothing) {
    paintAll();
    gameState.mails[0] = Mail{MAIL_RED, 250, 200, 1, 0, 0};
    canvas.paint();
    EXPECT_EQ(at(250, 200), WHITE);
    canvas.invalidate(-50, -50, 0, 440);  // wholly outside: no damage
    canvas.invalidate(300, 300, 300, 310);
    EXPECT_FALSE(canvas.hasDamage());
}

TEST_F(CanvasTest, DamagedRegionIsClippedAndFallsBackToTheUnionWhenFull) {
    canvas.invalidate(-10, -20, 30, 40);
    canvas.invalidate(600, 430, 700, 500);
    canvas.invalidate(0, 0, 10, 10);  // inside the first: nothing new
    ASSERT_EQ(canvas.damageCount(), 2);
    EXPECT_EQ(canvas.damage(0).left, 0);
    EXPECT_EQ(canvas.damage(0).top, 0);
    EXPECT_EQ(canvas.damage(1).right, 620);
    EXPECT_EQ(canvas.damage(1).bottom, 440);
    for (int i = 2; i < SoftwareCanvas::MAX_DAMAGE_RECTS; ++i) {
        canvas.invalidate(100 + i, 100, 101 + i, 101);
    }
    ASSERT_EQ(canvas.damageCount(), SoftwareCanvas::MAX_DAMAGE_RECTS);
    canvas.invalidate(200, 300, 210, 310);
    ASSERT_EQ(canvas.damageCount(), 1);
    const Rect all = canvas.damage(0);
    EXPECT_EQ(all.left, 0);
    EXPECT_EQ(all.top, 0);
    EXPECT_EQ(all.right, 620);
    EXPECT_EQ(all.bottom, 440);
    canvas.invalidateAll();
    EXPECT_EQ(canvas.damageCount(), 1);
}

TEST_F(CanvasTest, TheMisfirePictureIsClippedAtNegativePositions) {
    gameState.phase = PHASE_MISFIRE;
    gameState.misfirePicture = 1;
    gameState.phaseTimer = 118;  // top-left corner at (116, -57)
    paintAll();
    const uint32_t page = standInColour(BMP_MISFIRE_1);
    EXPECT_EQ(at(116, 0), page);
    EXPECT_EQ(at(619, 422), page);  // the picture's row 479
    EXPECT_EQ(at(115, 0), standInColour(BMP_BANNER));
    EXPECT_EQ(at(116, 423), WHITE);
    EXPECT_EQ(at(115, 200), WHITE);
}

TEST_F(CanvasTest, TheScoreLineStaysOverABurstAtTheTopOfALane) {
    std::string error;
    ASSERT_TRUE(canvas.initFonts(error)) << error;
    gameState.mails[0] = Mail{MAIL_BURST, 300, 80, 0, 0, 0};  // covers rows 48 to 111
    paintAll();
    const uint32_t burst = standInColour(BMP_BURST_64);
    EXPECT_EQ(at(300, 51), burst);  // below the score line's cells
    EXPECT_EQ(at(331, 111), burst);
    // The line's cells (rows 39 to 50) are filled white in the paint's
    // default opaque mode, and inked in the score line's colour.
    int ink = 0;
    for (int32_t y = 48; y <= 50; ++y) {
        for (int32_t x = 300; x < 332; ++x) {
            ASSERT_NE(at(x, y), burst) << x << "," << y;
            ink += at(x, y) == 0x0000EE;
        }
    }
    EXPECT_GT(ink, 0);
}

// The primitives straight on a small buffer, at the edges.
class PixelSurfaceTest : public ::testing::Test {
protected:
    static constexpr int32_t W = 8;
    static constexpr int32_t H = 6;
    void SetUp() override {
        pixels.assign(W * H, WHITE);
        setSolidPicture(pictures, BMP_MISSILE, 3, 2, 0x123456);
    }
    std::string show() const {
        std::string out;
        for (int32_t y = 0; y < H; ++y) {
            for (int32_t x = 0; x < W; ++x) {
                const uint32_t p = pixels[y * W + x];
                out += p == WHITE ? '.' : p == BLACK ? '#' : 'P';
            }
            out += '\n';
        }
        return out;
    }
    std::vector<uint32_t> pixels;
    PictureSet pictures;
};

TEST_F(PixelSurfaceTest, PicturesClipAtEveryEdge) {
    PixelSurface surface(pixels.data(), W, H, &pictures, nullptr);
    surface.copyPicture(BMP_MISSILE, -2, -1);
    surface.copyPicture(BMP_MISSILE, 6, 5);
    surface.copyPicture(BMP_MISSILE, 3, 2);
    surface.copyPicture(BMP_MISSILE, -3, 0);           // just outside to the left
    surface.copyPicture(BMP_MISSILE, INT32_MAX, 0);    // far away, no wrap-around
    surface.copyPicture(BMP_MISSILE, INT32_MIN, INT32_MIN);
    surface.copyPicture(BMP_PLAYER, 0, 0);             // not loaded: nothing
    EXPECT_EQ(show(),
              "P.......\n"
              "........\n"
              "...PPP..\n"
              "...PPP..\n"
              "........\n"
              "......PP\n");
}

TEST_F(PixelSurfaceTest, LinesLeaveOutTheirEndPointAndClip) {
    PixelSurface surface(pixels.data(), W, H, &pictures, nullptr);
    surface.line(1, 0, 4, 0);        // right
    surface.line(7, 5, 7, 2);        // up
    surface.line(-5, 5, 3, 5);       // from outside
    surface.line(2, 4, 2, 4);        // a lone end point: nothing
    surface.line(0, 1, 4, 3);        // a general slope
    surface.line(-100, 3, -100, 9);  // wholly outside
    surface.line(INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX);  // far ends, corner to corner
    EXPECT_EQ(show(),
              "####....\n"
              "##......\n"
              ".##.....\n"
              "...#...#\n"
              "....#..#\n"
              "###..#.#\n");
}

TEST_F(PixelSurfaceTest, ClipRectangleLimitsEveryPrimitive) {
    PixelSurface surface(pixels.data(), W, H, &pictures, nullptr);
    surface.setClip(Rect{2, 1, 5, 4});
    surface.fill(Rect{0, 0, W, H}, 0x123456);
    surface.line(0, 2, 8, 2);
    EXPECT_EQ(show(),
              "........\n"
              "..PPP...\n"
              "..###...\n"
              "..PPP...\n"
              "........\n"
              "........\n");
}

}  // namespace
