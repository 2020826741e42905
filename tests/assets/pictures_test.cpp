// The embedded pictures: each decodes at the size and depth the renderer
// expects, and has the looks that the frame depends on (white backgrounds, a
// white score-line field, envelopes that cover what lies under them).
#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <tuple>

#include "byte_reader.h"

namespace {

using assets_test::Bytes;
using assets_test::embedded;

struct PictureEntry {
    int number;
    int width, height, bits;
};

const PictureEntry PICTURES[] = {
    {BMP_MISSILE, 8, 8, 4},        {BMP_MISFIRE_0, 640, 480, 4},  {BMP_MISFIRE_1, 640, 480, 4},
    {BMP_MISFIRE_2, 640, 480, 4},  {BMP_PLAYER, 32, 32, 8},       {BMP_MAIL_YELLOW, 24, 16, 4},
    {BMP_MAIL_RED, 24, 16, 4},     {BMP_MAIL_PURPLE, 24, 16, 4},  {BMP_MAIL_CYAN, 24, 16, 4},
    {BMP_MAILBOX_2, 24, 24, 4},    {BMP_MAILBOX_3, 24, 24, 4},    {BMP_MAILBOX_4, 24, 24, 4},
    {BMP_MAILBOX_5, 24, 24, 4},    {BMP_MAILBOX_1, 24, 24, 4},    {BMP_SHOT, 3, 16, 4},
    {BMP_VIRUS, 24, 24, 4},        {BMP_BANNER, 620, 78, 4},      {BMP_BURST_64, 64, 64, 8},
    {BMP_BURST_60, 60, 60, 8},     {BMP_BURST_48, 48, 48, 8},     {BMP_BURST_32, 32, 32, 8},
    {BMP_BURST_16, 16, 16, 8},     {BMP_MAILBOX_DESTROYED, 24, 24, 4},
};

const int ENVELOPES[] = {BMP_MAIL_YELLOW, BMP_MAIL_RED, BMP_MAIL_PURPLE, BMP_MAIL_CYAN};

struct Rgb {
    int r, g, b;
    bool operator==(const Rgb&) const = default;
};

constexpr Rgb WHITE{255, 255, 255};
constexpr Rgb NAVY{0, 0, 128};

// A picture decoded by SDL from the embedded bytes, read as RGB.
class Decoded {
public:
    explicit Decoded(int number) {
        Bytes b = embedded(ResourceType::Picture, number);
        if (!b.data) return;
        SDL_Surface* s = SDL_LoadBMP_RW(SDL_RWFromConstMem(b.data, int(b.size)), 1);
        if (!s) return;
        surface_.reset(SDL_ConvertSurfaceFormat(s, SDL_PIXELFORMAT_RGB888, 0));
        SDL_FreeSurface(s);
    }
    bool ok() const { return surface_ != nullptr; }
    int width() const { return surface_->w; }
    int height() const { return surface_->h; }
    Rgb at(int x, int y) const {
        auto* row = static_cast<const uint8_t*>(surface_->pixels) + y * surface_->pitch;
        uint32_t p = reinterpret_cast<const uint32_t*>(row)[x];
        return {int(p >> 16 & 0xFF), int(p >> 8 & 0xFF), int(p & 0xFF)};
    }

private:
    struct Free {
        void operator()(SDL_Surface* s) const { SDL_FreeSurface(s); }
    };
    std::unique_ptr<SDL_Surface, Free> surface_;
};

class PictureTest : public testing::TestWithParam<PictureEntry> {};

TEST_P(PictureTest, IsAnUncompressedDibOfTheCatalogueSizeAndDepth) {
    const PictureEntry want = GetParam();
    Bytes b = embedded(ResourceType::Picture, want.number);
    ASSERT_NE(b.data, nullptr);
    ASSERT_GT(b.size, 54u);
    EXPECT_EQ(b.tag(0, 2), "BM");
    EXPECT_EQ(b.le32(2), b.size);
    EXPECT_EQ(b.le32(14), 40u) << "info header size";
    EXPECT_EQ(b.sle32(18), want.width);
    EXPECT_EQ(b.sle32(22), want.height) << "positive height: rows stored bottom-up";
    EXPECT_EQ(b.le16(28), uint32_t(want.bits));
    EXPECT_EQ(b.le32(30), 0u) << "uncompressed";
    const uint32_t colours = 1u << want.bits;
    EXPECT_EQ(b.le32(46), colours);
    const uint32_t rowBytes = (uint32_t(want.width) * want.bits + 31) / 32 * 4;
    EXPECT_EQ(b.le32(10), 14 + 40 + colours * 4) << "pixel data follows the palette";
    EXPECT_EQ(b.size, 14 + 40 + colours * 4 + rowBytes * want.height);

    Decoded d(want.number);
    ASSERT_TRUE(d.ok()) << SDL_GetError();
    EXPECT_EQ(d.width(), want.width);
    EXPECT_EQ(d.height(), want.height);
}

TEST_P(PictureTest, EnvelopesHaveNoWhiteAndEverythingElseHasWhiteCorners) {
    const PictureEntry want = GetParam();
    Decoded d(want.number);
    ASSERT_TRUE(d.ok());
    const bool envelope = std::find(std::begin(ENVELOPES), std::end(ENVELOPES), want.number) !=
                          std::end(ENVELOPES);
    if (envelope) {
        for (int y = 0; y < d.height(); ++y)
            for (int x = 0; x < d.width(); ++x)
                ASSERT_NE(d.at(x, y), WHITE) << "white pixel at " << x << "," << y;
    } else {
        const int w = d.width() - 1, h = d.height() - 1;
        EXPECT_EQ(d.at(0, 0), WHITE);
        EXPECT_EQ(d.at(w, 0), WHITE);
        EXPECT_EQ(d.at(0, h), WHITE);
        EXPECT_EQ(d.at(w, h), WHITE);
    }
}

INSTANTIATE_TEST_SUITE_P(Catalogue, PictureTest, testing::ValuesIn(PICTURES),
                         [](const testing::TestParamInfo<PictureEntry>& info) {
                             return std::to_string(info.param.number);
                         });

TEST(Banner, ScoreLineFieldIsWhiteAndFramedInNavy) {
    Decoded d(BMP_BANNER);
    ASSERT_TRUE(d.ok());
    // The renderer writes the score line at (300, 39) into rows 37..52 from
    // x = 296 to the right edge.
    for (int y = 37; y <= 52; ++y)
        for (int x = 296; x < 620; ++x) ASSERT_EQ(d.at(x, y), WHITE) << x << "," << y;
    for (int y = 37; y <= 52; ++y)
        for (int x = 293; x <= 295; ++x) EXPECT_EQ(d.at(x, y), NAVY) << x << "," << y;
    for (int y = 53; y <= 55; ++y)
        for (int x = 293; x < 620; ++x) EXPECT_EQ(d.at(x, y), NAVY) << x << "," << y;
    for (int x = 0; x < 620; ++x) {
        EXPECT_EQ(d.at(x, 0), WHITE);
        for (int y : {1, 2, 3, 34, 35, 36}) EXPECT_EQ(d.at(x, y), NAVY) << x << "," << y;
    }
    for (int y = 4; y <= 33; ++y)
        for (int x = 352; x <= 354; ++x) EXPECT_EQ(d.at(x, y), NAVY) << x << "," << y;
}

TEST(Mailboxes, StandOnAPostFootAtColumnsNineToTwelve) {
    for (int number : {BMP_MAILBOX_1, BMP_MAILBOX_2, BMP_MAILBOX_3, BMP_MAILBOX_4, BMP_MAILBOX_5}) {
        Decoded d(number);
        ASSERT_TRUE(d.ok());
        for (int x = 0; x < 24; ++x) {
            bool foot = x >= 9 && x <= 12;
            EXPECT_EQ(d.at(x, 23) != WHITE, foot) << "picture " << number << " column " << x;
        }
    }
}

// The colour most pixels have, white and black left out.
Rgb dominant(const Decoded& d) {
    std::map<std::tuple<int, int, int>, int> count;
    for (int y = 0; y < d.height(); ++y)
        for (int x = 0; x < d.width(); ++x) {
            Rgb c = d.at(x, y);
            if (c != WHITE && c != Rgb{0, 0, 0}) ++count[{c.r, c.g, c.b}];
        }
    auto best = std::max_element(count.begin(), count.end(),
                                 [](auto& a, auto& b) { return a.second < b.second; });
    if (best == count.end()) return WHITE;
    auto [r, g, b] = best->first;
    return {r, g, b};
}

enum class Hue { Red, Yellow, Green, Cyan, Blue, Purple };

bool looksLike(Rgb c, Hue hue) {
    switch (hue) {
    case Hue::Red: return c.r > 180 && c.g < 90 && c.b < 90;
    case Hue::Yellow: return c.r > 200 && c.g > 170 && c.b < 100;
    case Hue::Green: return c.g > 120 && c.r < 100 && c.b < 120;
    case Hue::Cyan: return c.r < 80 && c.g > 170 && c.b > 180;
    case Hue::Blue: return c.b > 180 && c.r < 100 && c.g < 140;
    case Hue::Purple: return c.r > 90 && c.b > 90 && c.g < 40;
    }
    return false;
}

TEST(Colours, EachEnvelopeAndMailboxHasItsOwnColour) {
    const struct {
        int number;
        Hue hue;
    } cases[] = {
        {BMP_MAIL_YELLOW, Hue::Yellow}, {BMP_MAIL_RED, Hue::Red},     {BMP_MAIL_PURPLE, Hue::Purple},
        {BMP_MAIL_CYAN, Hue::Cyan},     {BMP_MAILBOX_1, Hue::Red},    {BMP_MAILBOX_2, Hue::Blue},
        {BMP_MAILBOX_3, Hue::Green},    {BMP_MAILBOX_4, Hue::Cyan},   {BMP_MAILBOX_5, Hue::Yellow},
    };
    for (auto c : cases) {
        Decoded d(c.number);
        ASSERT_TRUE(d.ok()) << c.number;
        Rgb got = dominant(d);
        EXPECT_TRUE(looksLike(got, c.hue))
            << "picture " << c.number << " is mostly (" << got.r << ", " << got.g << ", " << got.b << ")";
    }
}

TEST(Player, LeavesTwoWhiteColumnsOnEachSide) {
    // A step of 6 pixels repaints only 4 columns of the craft's old place, so
    // anything drawn in the outer two columns would leave a trail.
    Decoded d(BMP_PLAYER);
    ASSERT_TRUE(d.ok());
    for (int y = 0; y < 32; ++y)
        for (int x : {0, 1, 30, 31}) EXPECT_EQ(d.at(x, y), WHITE) << x << "," << y;
}

TEST(MisfirePages, BoardPageIsPalePinkInsideItsMargin) {
    Decoded d(BMP_MISFIRE_2);
    ASSERT_TRUE(d.ok());
    EXPECT_EQ(d.at(6, 470), (Rgb{255, 210, 255}));
    EXPECT_EQ(d.at(630, 240), (Rgb{255, 210, 255}));
}

}  // namespace
