// Compares a screenshot of VELNO.EXE's client area under Wine with the
// software canvas's frame of the READY phase: the banner (less the score
// line), the five lane lines (less the banner texts' rectangle), the
// mailboxes and the player must be identical pixel for pixel. Rungs, texts
// and everything random are left out, so any seed and any moment before the
// first mail (READY or GO) compares.
//
// usage: velno-win32-framecheck SCREENSHOT.png REFERENCE_OUT.png DIFF_OUT.png
// Exit status 0 when the regions agree, 1 when they differ, 2 on errors.
#include <SDL.h>
#include <SDL_image.h>

#include <cstdio>
#include <string>
#include <vector>

#include "core/game_state.h"
#include "core/host.h"
#include "render/canvas.h"

namespace {

SoftwareCanvas* canvas = nullptr;

struct Region {
    const char* name;
    Rect area;
};

bool inside(const Rect& r, int32_t x, int32_t y) {
    return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}

// The rectangles whose pixels may legitimately differ: the score line and the
// READY / GO texts, drawn by different rasterisers.
bool ignored(int32_t x, int32_t y) {
    return inside(HUD_RECT, x, y) || inside(READY_RECT, x, y) || inside(GO_RECT, x, y);
}

std::vector<Region> comparedRegions() {
    std::vector<Region> regions;
    regions.push_back({"banner", Rect{0, 0, CLIENT_WIDTH, LANE_TOP}});
    static const char* const laneNames[] = {"lane 1", "lane 2", "lane 3", "lane 4", "lane 5"};
    static const char* const boxNames[] = {"mailbox 1", "mailbox 2", "mailbox 3", "mailbox 4",
                                           "mailbox 5"};
    for (int k = 1; k <= LANE_COUNT; ++k) {
        const int32_t x = LANE_SPACING * k;
        regions.push_back({laneNames[k - 1], Rect{x, LANE_TOP, x + 1, MAILBOX_Y}});
        regions.push_back({boxNames[k - 1], Rect{x - 16, MAILBOX_Y, x + 8, MAILBOX_Y + 24}});
    }
    regions.push_back(
        {"player", Rect{PLAYER_START_X, PLAYER_Y, PLAYER_START_X + 32, PLAYER_Y + 32}});
    return regions;
}

}  // namespace

// Host operations: the reference frame only needs invalidation.
void invalidateArea(int32_t left, int32_t top, int32_t right, int32_t bottom) {
    canvas->invalidate(left, top, right, bottom);
}
void invalidateAll() { canvas->invalidateAll(); }
void playEffect(int, bool) {}
void closeMainWindow() {}
bool isMainWindowForeground() { return true; }
uint32_t currentTimeMs() { return 0; }
InputState sampleInput() { return InputState{}; }

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s SCREENSHOT.png REFERENCE_OUT.png DIFF_OUT.png\n", argv[0]);
        return 2;
    }
    static SoftwareCanvas reference;
    canvas = &reference;
    std::string error;
    if (!reference.init(error)) {
        std::fprintf(stderr, "reference canvas incomplete: %s\n", error.c_str());
        return 2;
    }
    newGame(COURSE_DIALUP, 1, 0);
    reference.paint();
    reference.savePng(argv[2]);

    SDL_Surface* loaded = IMG_Load(argv[1]);
    if (loaded == nullptr) {
        std::fprintf(stderr, "cannot read %s: %s\n", argv[1], IMG_GetError());
        return 2;
    }
    SDL_Surface* shot = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_RGB888, 0);
    SDL_FreeSurface(loaded);
    if (shot == nullptr) {
        std::fprintf(stderr, "cannot convert %s: %s\n", argv[1], SDL_GetError());
        return 2;
    }
    const int32_t width = shot->w;
    const int32_t height = shot->h;
    auto shotPixel = [&](int32_t x, int32_t y) {
        const auto* row = static_cast<const uint8_t*>(shot->pixels) + y * shot->pitch;
        return reinterpret_cast<const uint32_t*>(row)[x] & 0xFFFFFFu;
    };
    std::printf("screenshot %dx%d, reference %dx%d\n", width, height, SoftwareCanvas::WIDTH,
                SoftwareCanvas::HEIGHT);

    // The diff picture: the screenshot dimmed, with differing pixels in magenta.
    SDL_Surface* diff = SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_RGB888);
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) {
            const uint32_t p = shotPixel(x, y);
            const uint32_t dim = ((p >> 2) & 0x3F3F3Fu) + 0xA0A0A0u;
            auto* row = static_cast<uint8_t*>(diff->pixels) + y * diff->pitch;
            reinterpret_cast<uint32_t*>(row)[x] = dim;
        }
    }

    long total = 0;
    bool clipped = false;
    for (const Region& region : comparedRegions()) {
        long compared = 0;
        long differing = 0;
        for (int32_t y = region.area.top; y < region.area.bottom; ++y) {
            for (int32_t x = region.area.left; x < region.area.right; ++x) {
                if (ignored(x, y)) {
                    continue;
                }
                // The client area is narrower than the 620-pixel banner by
                // the window's border; everything else must be inside it.
                if (x >= width || y >= height) {
                    clipped = clipped || y >= height || region.area.right - region.area.left < CLIENT_WIDTH;
                    continue;
                }
                ++compared;
                if (shotPixel(x, y) != (reference.pixel(x, y) & 0xFFFFFFu)) {
                    if (differing < 5) {
                        std::printf("  %s: (%d, %d) is %06X, expected %06X\n", region.name, x, y,
                                    shotPixel(x, y), reference.pixel(x, y) & 0xFFFFFFu);
                    }
                    ++differing;
                    auto* row = static_cast<uint8_t*>(diff->pixels) + y * diff->pitch;
                    reinterpret_cast<uint32_t*>(row)[x] = 0xFF00FFu;
                }
            }
        }
        std::printf("%-10s %6ld pixels compared, %ld differ\n", region.name, compared, differing);
        total += differing;
    }
    IMG_SavePNG(diff, argv[3]);
    SDL_FreeSurface(diff);
    SDL_FreeSurface(shot);
    if (clipped) {
        std::printf("the screenshot is too small to hold the compared regions\n");
        return 1;
    }
    std::printf(total == 0 ? "frame regions identical\n" : "%ld pixels differ\n", total);
    return total == 0 ? 0 : 1;
}
