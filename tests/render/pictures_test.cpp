// Decoding the catalogue's bitmaps: resource form (no file header) and file
// form, 4 and 8 bits per pixel, rows stored bottom-up, short palettes.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "render/catalogue.h"
#include "render/pictures.h"

namespace {

void put32(std::vector<unsigned char>& out, uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        out.push_back(static_cast<unsigned char>(value >> (8 * i)));
    }
}

void put16(std::vector<unsigned char>& out, uint16_t value) {
    out.push_back(static_cast<unsigned char>(value));
    out.push_back(static_cast<unsigned char>(value >> 8));
}

// A 3 x 2 bitmap whose top row is red, green, blue and bottom row blue,
// white, red, as a resource stores it: information header, palette, rows.
std::vector<unsigned char> resourceBitmap(uint16_t bitCount, uint32_t coloursUsed) {
    std::vector<unsigned char> out;
    put32(out, 40);
    put32(out, 3);
    put32(out, 2);
    put16(out, 1);
    put16(out, bitCount);
    for (int i = 0; i < 6; ++i) {
        put32(out, i == 4 ? coloursUsed : 0);  // compression .. important colours
    }
    const uint32_t paletteSize = coloursUsed != 0 ? coloursUsed : (1u << bitCount);
    // Palette entries are stored blue, green, red, 0: as a little-endian word, 0x00RRGGBB.
    const uint32_t palette[4] = {0xFFFFFF, 0xFF0000, 0x00FF00, 0x0000FF};  // white, red, green, blue
    for (uint32_t i = 0; i < paletteSize; ++i) {
        put32(out, i < 4 ? palette[i] : 0);
    }
    const int rows[2][3] = {{3, 0, 1}, {1, 2, 3}};  // bottom row first
    for (const auto& row : rows) {
        if (bitCount == 4) {
            out.push_back(static_cast<unsigned char>(row[0] << 4 | row[1]));
            out.push_back(static_cast<unsigned char>(row[2] << 4));
            out.push_back(0);
            out.push_back(0);
        } else {
            for (int index : row) {
                out.push_back(static_cast<unsigned char>(index));
            }
            out.push_back(0);
        }
    }
    return out;
}

std::vector<unsigned char> withFileHeader(const std::vector<unsigned char>& dib,
                                          uint32_t paletteSize) {
    std::vector<unsigned char> out = {'B', 'M'};
    put32(out, static_cast<uint32_t>(14 + dib.size()));
    put32(out, 0);
    put32(out, 14 + 40 + 4 * paletteSize);
    out.insert(out.end(), dib.begin(), dib.end());
    return out;
}

TEST(PictureSet, DecodesDeviceIndependentBitmaps) {
    struct Case {
        const char* name;
        std::vector<unsigned char> data;
    };
    const Case cases[] = {
        {"4 bpp resource", resourceBitmap(4, 0)},
        {"8 bpp resource", resourceBitmap(8, 0)},
        {"8 bpp resource, 4 colours", resourceBitmap(8, 4)},
        {"4 bpp file", withFileHeader(resourceBitmap(4, 0), 16)},
    };
    const std::vector<uint32_t> expected = {0xFF0000, 0x00FF00, 0x0000FF,
                                            0x0000FF, 0xFFFFFF, 0xFF0000};
    for (const Case& c : cases) {
        PictureSet pictures;
        ASSERT_TRUE(pictures.load(BMP_SHOT, c.data.data(), c.data.size())) << c.name;
        const Picture* picture = pictures.find(BMP_SHOT);
        ASSERT_NE(picture, nullptr);
        EXPECT_EQ(picture->width, 3);
        EXPECT_EQ(picture->height, 2);
        EXPECT_EQ(picture->pixels, expected) << c.name;
    }
}

TEST(PictureSet, RejectsWhatIsNotABitmapAndKeepsTheSlot) {
    PictureSet pictures;
    const uint32_t white = 0xFFFFFF;
    pictures.set(BMP_PLAYER, 1, 1, &white);
    const std::vector<unsigned char> garbage(60, 0x5A);
    const std::vector<unsigned char> good = resourceBitmap(4, 0);
    EXPECT_FALSE(pictures.load(BMP_PLAYER, garbage.data(), garbage.size()));
    EXPECT_FALSE(pictures.load(BMP_PLAYER, good.data(), 20));  // cut short
    EXPECT_FALSE(pictures.load(BMP_PLAYER, nullptr, 0));
    EXPECT_FALSE(pictures.load(129, good.data(), good.size()));  // no such picture number
    ASSERT_NE(pictures.find(BMP_PLAYER), nullptr);
    EXPECT_EQ(pictures.find(BMP_PLAYER)->width, 1);
    EXPECT_EQ(pictures.find(129), nullptr);
}

TEST(PictureSet, TheCatalogueHasEveryPictureAtItsSize) {
    PictureSet pictures;
    std::string missing;
    const int loaded = pictures.loadCatalogue(missing);
    if (loaded == 0) {
        GTEST_SKIP() << "no catalogue in this build";
    }
    EXPECT_EQ(loaded, 23) << "missing: " << missing;
    struct Size {
        int number;
        int32_t width;
        int32_t height;
    };
    const Size sizes[] = {{BMP_BANNER, 620, 78}, {BMP_MISFIRE_2, 640, 480}, {BMP_SHOT, 3, 16},
                          {BMP_BURST_60, 60, 60}, {BMP_MAIL_PURPLE, 24, 16}};
    for (const Size& size : sizes) {
        const Picture* picture = pictures.find(size.number);
        ASSERT_NE(picture, nullptr) << size.number;
        EXPECT_EQ(picture->width, size.width) << size.number;
        EXPECT_EQ(picture->height, size.height) << size.number;
    }
}

}  // namespace
