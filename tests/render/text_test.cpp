// Fonts and text: the faces found, their cell heights, Shift-JIS conversion,
// glyph placement, colours and the opaque and transparent modes.
#include <SDL_ttf.h>
#include <gtest/gtest.h>

#include <cstring>

#include "render/fonts.h"
#include "render/frame.h"
#include "render/pixel_surface.h"
#include "render/texts.h"
#include "render_fixture.h"

namespace {

constexpr uint32_t WHITE = 0xFFFFFF;

TEST(FontFinder, FindsTheStandInFacesAndFallsBackForOthers) {
    std::string path;
    bool exact = false;
    ASSERT_TRUE(findFontFile("IPAGothic", nullptr, path, &exact));
    EXPECT_TRUE(exact);
    EXPECT_FALSE(path.empty());

    // The Windows face name alone is not installed; the fallback takes a
    // Japanese face rather than the Latin face fontconfig would offer.
    path.clear();
    ASSERT_TRUE(findFontFile("\xEF\xBC\xAD\xEF\xBC\xB3 \xE3\x82\xB4\xE3\x82\xB7\xE3\x83\x83\xE3\x82\xAF",
                             "ja", path, &exact));  // "ＭＳ ゴシック" in UTF-8
    EXPECT_FALSE(exact);
    EXPECT_EQ(path.find("DejaVu"), std::string::npos) << path;

    path.clear();
    EXPECT_FALSE(findFontFile("No Such Family 4711", nullptr, path, &exact));
    EXPECT_TRUE(path.empty());
}

TEST(SjisDecoder, ConvertsCodePage932) {
    SjisDecoder decoder;
    ASSERT_TRUE(decoder.valid());
    char out[64];
    struct Case {
        std::string sjis;
        std::string utf8;
    };
    const Case cases[] = {
        {"You've Got Mail!", "You've Got Mail!"},
        {TEXT_READY, "\xEF\xBC\xB2\xEF\xBC\xA5\xEF\xBC\xA1\xEF\xBC\xA4\xEF\xBC\xB9"},  // ＲＥＡＤＹ
        {TEXT_MISFIRE, "\xE8\xAA\xA4\xE7\x88\x86!!"},                                  // 誤爆!!
        {"\x81\x60", "\xEF\xBD\x9E"},  // the code page's full-width tilde, U+FF5E
        {"\x87\x40", "\xE2\x91\xA0"},  // ① exists in code page 932 only
        {"A\x81", "A"},                // a cut-off double-byte character is dropped
        {"\xA0Z", "Z"},                // so is an undefined byte
    };
    for (const Case& c : cases) {
        const std::size_t length = decoder.toUtf8(c.sjis.data(), c.sjis.size(), out, sizeof out);
        EXPECT_EQ(std::string(out, length), c.utf8) << c.sjis;
    }
    // A text longer than the buffer is cut at a character boundary.
    const std::size_t length = decoder.toUtf8(TEXT_GAMEOVER, std::strlen(TEXT_GAMEOVER), out, 8);
    EXPECT_EQ(length, 6u);
    EXPECT_EQ(out[6], '\0');
}

class TextTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        fonts = new FontSet;
        std::string error;
        opened = fonts->open(error);
        openError = error;
    }
    static void TearDownTestSuite() {
        delete fonts;
        fonts = nullptr;
    }
    void SetUp() override { ASSERT_TRUE(opened) << openError; }

    static FontSet* fonts;
    static bool opened;
    static std::string openError;
};
FontSet* TextTest::fonts = nullptr;
bool TextTest::opened = false;
std::string TextTest::openError;

TEST_F(TextTest, FontsHaveTheGamesCellHeights) {
    EXPECT_EQ(fonts->font(FontId::Banner).cellHeight(), 28);
    EXPECT_EQ(fonts->font(FontId::Message).cellHeight(), 14);
    EXPECT_EQ(fonts->font(FontId::Hud).cellHeight(), 12);
    EXPECT_EQ(TTF_GetFontStyle(fonts->font(FontId::Banner).handle()),
              TTF_STYLE_BOLD | TTF_STYLE_ITALIC);
    EXPECT_EQ(TTF_GetFontStyle(fonts->font(FontId::Message).handle()),
              TTF_STYLE_BOLD | TTF_STYLE_ITALIC);
    EXPECT_EQ(TTF_GetFontStyle(fonts->font(FontId::Hud).handle()), TTF_STYLE_NORMAL);
}

// The ink of a pixel buffer within its bounding box, as rows of '#' and '.'.
std::string inkOf(const std::vector<uint32_t>& pixels, int32_t width, int32_t height,
                  uint32_t paper) {
    int32_t left = width, top = height, right = -1, bottom = -1;
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) {
            if (pixels[y * width + x] != paper) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    }
    std::string out;
    for (int32_t y = top; y <= bottom; ++y) {
        for (int32_t x = left; x <= right; ++x) {
            out += pixels[y * width + x] != paper ? '#' : '.';
        }
        out += '\n';
    }
    return out;
}

TEST_F(TextTest, GlyphByGlyphTextMatchesTheWholeStringRendering) {
    struct Case {
        FontId font;
        const char* sjis;
    };
    char scoreLine[SCORE_LINE_CAPACITY];
    formatScoreLine(scoreLine, 360, 12345678, 3);
    const Case cases[] = {
        {FontId::Hud, scoreLine},
        {FontId::Message, TEXT_DELIVERED},
        {FontId::Banner, TEXT_GAMEOVER},
        {FontId::Banner, TEXT_MISFIRE},
    };
    for (const Case& c : cases) {
        GlyphFont& font = fonts->font(c.font);
        char utf8[256];
        fonts->decoder().toUtf8(c.sjis, std::strlen(c.sjis), utf8, sizeof utf8);
        SDL_Surface* whole = TTF_RenderUTF8_Solid(font.handle(), utf8, SDL_Color{0, 0, 0, 255});
        ASSERT_NE(whole, nullptr);
        std::vector<uint32_t> expected(static_cast<std::size_t>(whole->w) * whole->h, WHITE);
        for (int y = 0; y < whole->h; ++y) {
            const auto* row = static_cast<const uint8_t*>(whole->pixels) + y * whole->pitch;
            for (int x = 0; x < whole->w; ++x) {
                if (row[x] != 0) {
                    expected[y * whole->w + x] = 0;
                }
            }
        }
        const int32_t w = whole->w + 40;
        const int32_t h = whole->h + 40;
        std::vector<uint32_t> drawn(static_cast<std::size_t>(w) * h, WHITE);
        PixelSurface surface(drawn.data(), w, h, nullptr, fonts);
        surface.selectFont(c.font);
        surface.setTransparentBackground();
        surface.drawText(20, 20, c.sjis, static_cast<int>(std::strlen(c.sjis)));
        EXPECT_EQ(inkOf(drawn, w, h, WHITE), inkOf(expected, whole->w, whole->h, WHITE)) << utf8;
        SDL_FreeSurface(whole);
    }
}

TEST_F(TextTest, OpaqueTextFillsItsCellsAndTransparentTextDoesNot) {
    constexpr int32_t W = 200;
    constexpr int32_t H = 40;
    constexpr uint32_t RED = 0xFF0000;
    const char* text = "SCORE: 0000360";
    const int length = static_cast<int>(std::strlen(text));
    for (bool transparent : {false, true}) {
        std::vector<uint32_t> pixels(W * H, RED);
        PixelSurface surface(pixels.data(), W, H, nullptr, fonts);
        surface.resetState();
        surface.selectFont(FontId::Hud);
        surface.setTextColor(COLOR_SCORE_LINE);
        if (transparent) {
            surface.setTransparentBackground();
        }
        const int32_t width = surface.textWidth(text, length);
        ASSERT_GT(width, 40);
        surface.drawText(10, 20, text, length);
        int ink = 0, paper = 0, red = 0, other = 0;
        for (int32_t y = 20; y < 32; ++y) {
            for (int32_t x = 10; x < 10 + width; ++x) {
                const uint32_t p = pixels[y * W + x];
                ink += p == pixelFromColorRef(COLOR_SCORE_LINE);
                paper += p == WHITE;
                red += p == RED;
                other += p != RED && p != WHITE && p != pixelFromColorRef(COLOR_SCORE_LINE);
            }
        }
        EXPECT_GT(ink, 30);
        EXPECT_EQ(other, 0);
        if (transparent) {
            EXPECT_EQ(paper, 0);
            EXPECT_GT(red, 0);
        } else {
            EXPECT_EQ(red, 0);
            EXPECT_EQ(ink + paper, 12 * width);
        }
        // Nothing outside the cells.
        EXPECT_EQ(pixels[19 * W + 10], RED);
        EXPECT_EQ(pixels[32 * W + 10], RED);
        EXPECT_EQ(pixels[25 * W + 9], RED);
        EXPECT_EQ(pixels[25 * W + 10 + width + 2], RED);
    }
}

TEST_F(TextTest, TheScoreLineFitsItsFieldWithEveryLifeMarker) {
    // The field runs from x = 300 to the window's right edge; a face with
    // wide digits would cut off the fifth marker.
    PixelSurface surface(nullptr, 0, 0, nullptr, fonts);
    surface.selectFont(FontId::Hud);
    char line[SCORE_LINE_CAPACITY];
    const int length = formatScoreLine(line, 9999999, 8888888, 5);
    EXPECT_LE(300 + surface.textWidth(line, length), 617);
}

TEST_F(TextTest, ProportionalAndFixedFacesSpaceCharactersAsTheyShould) {
    PixelSurface surface(nullptr, 0, 0, nullptr, fonts);
    surface.selectFont(FontId::Message);
    EXPECT_LT(surface.textWidth("iiii", 4), surface.textWidth("WWWW", 4));
    surface.selectFont(FontId::Banner);
    EXPECT_EQ(surface.textWidth("iiii", 4), surface.textWidth("WWWW", 4));
    // A full-width character takes a full cell.
    EXPECT_GE(surface.textWidth(TEXT_GO, 2), 26);
}

TEST(TextWithoutFonts, DrawsNothing) {
    FontSet closed;  // never opened
    std::vector<uint32_t> pixels(100 * 40, WHITE);
    PixelSurface surface(pixels.data(), 100, 40, nullptr, &closed);
    surface.drawText(0, 0, "HI-SCORE", 8);
    surface.setTransparentBackground();
    surface.drawText(0, 0, TEXT_READY, 10);
    PixelSurface noFonts(pixels.data(), 100, 40, nullptr, nullptr);
    noFonts.drawText(0, 0, "HI-SCORE", 8);
    EXPECT_EQ(std::count(pixels.begin(), pixels.end(), WHITE), 100 * 40);
}

}  // namespace
