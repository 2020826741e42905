// The icon: one 32 x 32, 16-colour image with its AND mask, transparent
// around the picture and opaque where it is drawn.
#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>

#include "byte_reader.h"

namespace {

using assets_test::Bytes;
using assets_test::embedded;

TEST(Icon, HoldsOne32By32SixteenColourImageWithAMask) {
    Bytes b = embedded(ResourceType::Icon, ICON_MAIN);
    ASSERT_NE(b.data, nullptr);
    ASSERT_GE(b.size, 22u);
    EXPECT_EQ(b.le16(0), 0u);
    EXPECT_EQ(b.le16(2), 1u) << "icon, not cursor";
    ASSERT_EQ(b.le16(4), 1u) << "exactly one image";
    EXPECT_EQ(b.data[6], 32);
    EXPECT_EQ(b.data[7], 32);
    EXPECT_EQ(b.data[8], 16);
    EXPECT_EQ(b.le16(12), 4u);
    const uint32_t size = b.le32(14), offset = b.le32(18);
    ASSERT_EQ(offset + size, b.size);
    // The image: a DIB header with twice the height (colour rows, then mask rows).
    EXPECT_EQ(b.le32(offset), 40u);
    EXPECT_EQ(b.sle32(offset + 4), 32);
    EXPECT_EQ(b.sle32(offset + 8), 64);
    EXPECT_EQ(b.le16(offset + 14), 4u);
    EXPECT_EQ(size, 40u + 16 * 4 + 32 * 16 + 32 * 4);
}

TEST(Icon, DecodesWithTransparentCornersAndAnOpaqueEnvelope) {
    Bytes b = embedded(ResourceType::Icon, ICON_MAIN);
    ASSERT_NE(b.data, nullptr);
    SDL_RWops* rw = SDL_RWFromConstMem(b.data, int(b.size));
    SDL_Surface* loaded = IMG_LoadICO_RW(rw);  // leaves the stream open
    SDL_RWclose(rw);
    ASSERT_NE(loaded, nullptr) << IMG_GetError();
    SDL_Surface* s = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_ARGB8888, 0);
    SDL_FreeSurface(loaded);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->w, 32);
    EXPECT_EQ(s->h, 32);
    auto pixel = [&](int x, int y) {
        return reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(s->pixels) + y * s->pitch)[x];
    };
    EXPECT_EQ(pixel(0, 0) >> 24, 0u) << "top-left corner should be transparent";
    EXPECT_EQ(pixel(31, 0) >> 24, 0u) << "top-right corner should be transparent";
    // The purple envelope body in the lower half.
    EXPECT_EQ(pixel(16, 28), 0xFF800080u);
    // The black initials in the upper half.
    int black = 0;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 32; ++x) black += pixel(x, y) == 0xFF000000u;
    EXPECT_GT(black, 60);
    SDL_FreeSurface(s);
}

}  // namespace
