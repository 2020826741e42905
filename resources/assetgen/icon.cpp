// The window icon: one 32 x 32 image in the 16 standard colours with an AND
// mask, showing the bad-mail envelope under the product's initials "MP".
#include "assets.h"

namespace assetgen {

namespace {

// The sixteen colours every display can show, in their customary order.
const Rgb STANDARD[16] = {{0, 0, 0},       {128, 0, 0},   {0, 128, 0},   {128, 128, 0},
                          {0, 0, 128},     {128, 0, 128}, {0, 128, 128}, {192, 192, 192},
                          {128, 128, 128}, {255, 0, 0},   {0, 255, 0},   {255, 255, 0},
                          {0, 0, 255},     {255, 0, 255}, {0, 255, 255}, {255, 255, 255}};
constexpr int BLACK_I = 0, PURPLE_I = 5, SILVER_I = 7, YELLOW_I = 11;
constexpr int CLEAR = -1;

// Heavy capitals, 13 rows tall.
const char* const LETTER_M[13] = {
    "###.......###", "####.....####", "#####...#####", "##.###.###.##", "##..#####..##",
    "##...###...##", "##....#....##", "##.........##", "##.........##", "##.........##",
    "##.........##", "##.........##", "##.........##"};
const char* const LETTER_P[13] = {
    "#########..", "##########.", "##......###", "##.......##", "##.......##", "##......###",
    "##########.", "#########..", "##.........", "##.........", "##.........", "##.........",
    "##........."};

}  // namespace

std::vector<uint8_t> makeIcon(Canvas* preview) {
    int image[32][32];
    for (auto& row : image)
        for (int& p : row) p = CLEAR;
    auto put = [&](int x, int y, int colour) {
        if (x >= 0 && y >= 0 && x < 32 && y < 32) image[y][x] = colour;
    };
    auto letter = [&](const char* const* rows, int x0, int y0) {
        for (int y = 0; y < 13; ++y)
            for (int x = 0; rows[y][x]; ++x)
                if (rows[y][x] == '#') put(x0 + x, y0 + y, BLACK_I);
    };
    // A silver halo keeps the black letters readable on dark desktops.
    auto halo = [&](const char* const* rows, int x0, int y0) {
        for (int y = 0; y < 13; ++y)
            for (int x = 0; rows[y][x]; ++x)
                if (rows[y][x] == '#')
                    for (int dy = -1; dy <= 1; ++dy)
                        for (int dx = -1; dx <= 1; ++dx) put(x0 + x + dx, y0 + y + dy, SILVER_I);
    };
    halo(LETTER_M, 2, 1);
    halo(LETTER_P, 18, 1);
    letter(LETTER_M, 2, 1);
    letter(LETTER_P, 18, 1);

    // The envelope: rows 16 to 31, purple with a yellow border and flap.
    for (int y = 16; y < 32; ++y)
        for (int x = 1; x < 31; ++x) put(x, y, (x == 1 || x == 30 || y == 16 || y == 31) ? YELLOW_I : PURPLE_I);
    // The flap: two crisp lines meeting in the middle.
    for (int i = 0; i <= 14; ++i) {
        int y = 17 + (i * 8 + 7) / 14;
        put(1 + i, y, YELLOW_I);
        put(30 - i, y, YELLOW_I);
    }

    if (preview) {
        *preview = Canvas(32, 32, WHITE);
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x)
                if (image[y][x] != CLEAR) preview->set(x, y, STANDARD[image[y][x]]);
    }

    // ICONDIR, one ICONDIRENTRY, then the image: header (twice the height for
    // the two masks), palette, 4-bit colour rows, 1-bit AND rows, bottom-up.
    const uint32_t xorBytes = 16 * 32, andBytes = 4 * 32;
    const uint32_t imageBytes = 40 + 16 * 4 + xorBytes + andBytes;
    std::vector<uint8_t> out;
    put16(out, 0);
    put16(out, 1);  // icon
    put16(out, 1);  // one image
    out.push_back(32);
    out.push_back(32);
    out.push_back(16);
    out.push_back(0);
    put16(out, 1);
    put16(out, 4);
    put32(out, imageBytes);
    put32(out, 6 + 16);
    put32(out, 40);
    put32(out, 32);
    put32(out, 64);
    put16(out, 1);
    put16(out, 4);
    put32(out, 0);
    put32(out, xorBytes + andBytes);
    put32(out, 0);
    put32(out, 0);
    put32(out, 16);
    put32(out, 0);
    for (Rgb c : STANDARD) {
        out.push_back(c.b);
        out.push_back(c.g);
        out.push_back(c.r);
        out.push_back(0);
    }
    for (int y = 31; y >= 0; --y)
        for (int x = 0; x < 32; x += 2) {
            int a = image[y][x] == CLEAR ? 0 : image[y][x];
            int b = image[y][x + 1] == CLEAR ? 0 : image[y][x + 1];
            out.push_back(uint8_t(a << 4 | b));
        }
    for (int y = 31; y >= 0; --y)
        for (int x = 0; x < 32; x += 8) {
            uint8_t bits = 0;
            for (int k = 0; k < 8; ++k)
                if (image[y][x + k] == CLEAR) bits |= uint8_t(0x80 >> k);
            out.push_back(bits);
        }
    return out;
}

}  // namespace assetgen
