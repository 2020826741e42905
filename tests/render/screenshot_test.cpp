// Screenshots of simulated games: the canvas follows the core's invalidations
// tick by tick and saves the frames asked for.
#include <SDL_image.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "shell/sim/screenshots.h"
#include "shell/sim/simulation.h"

namespace {

TEST(ScreenshotRequest, ParsesTickAndFile) {
    struct Case {
        std::string text;
        bool ok;
        long long tick;
        std::string path;
    };
    const Case cases[] = {
        {"0:a.png", true, 0, "a.png"},
        {"120:/tmp/x:y.png", true, 120, "/tmp/x:y.png"},
        {"a.png", false, 0, ""},
        {":a.png", false, 0, ""},
        {"12:", false, 0, ""},
        {"-1:a.png", false, 0, ""},
        {"1x:a.png", false, 0, ""},
    };
    for (const Case& c : cases) {
        ScreenshotRequest request;
        std::string error;
        EXPECT_EQ(parseScreenshotRequest(c.text, request, error), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(request.tick, c.tick);
            EXPECT_EQ(request.path, c.path);
        } else {
            EXPECT_FALSE(error.empty());
        }
    }
}

// The pixels of a PNG file as 0x00RRGGBB.
std::vector<uint32_t> readPng(const std::string& path) {
    std::vector<uint32_t> out;
    SDL_Surface* loaded = IMG_Load(path.c_str());
    if (loaded == nullptr) {
        return out;
    }
    SDL_Surface* converted = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_RGB888, 0);
    SDL_FreeSurface(loaded);
    for (int y = 0; y < converted->h; ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(
            static_cast<const uint8_t*>(converted->pixels) + y * converted->pitch);
        for (int x = 0; x < converted->w; ++x) {
            out.push_back(row[x] & 0xFFFFFFu);
        }
    }
    SDL_FreeSurface(converted);
    return out;
}

TEST(ScreenshotObserver, SavesTheFramesAfterTheRequestedTicks) {
    SoftwareCanvas canvas;
    std::string error;
    canvas.init(error);
    const std::string dir = ::testing::TempDir();
    const std::vector<ScreenshotRequest> requests = {
        {0, dir + "velno_shot_0.png"},
        {100, dir + "velno_shot_100.png"},
        {100, dir + "velno_shot_100_again.png"},
        {1000000, dir + "velno_shot_never.png"},
    };
    ScreenshotObserver observer(canvas, requests);
    SimOptions options;
    options.course = 2;
    options.seed = 99;
    options.bot = true;
    options.maxTicks = 110;
    runSimulation(options, nullptr, &observer);
    EXPECT_EQ(observer.saved(), 3);
    const std::vector<std::string> problems = observer.problems();
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_NE(problems[0].find("velno_shot_never.png"), std::string::npos);

    // Tick 0 is the new game's whole-window READY frame.
    SoftwareCanvas fresh;
    fresh.init(error);
    gameState = GameState{};
    newGame(2, 99, 0);
    fresh.invalidateAll();
    fresh.paint();
    const std::vector<uint32_t> first = readPng(requests[0].path);
    ASSERT_EQ(first.size(), static_cast<size_t>(SoftwareCanvas::WIDTH * SoftwareCanvas::HEIGHT));
    EXPECT_TRUE(std::equal(first.begin(), first.end(), fresh.pixels()));
    // The later frame differs from it, and both files of tick 100 are the same.
    const std::vector<uint32_t> later = readPng(requests[1].path);
    EXPECT_NE(later, first);
    EXPECT_EQ(readPng(requests[2].path), later);
    for (const ScreenshotRequest& request : requests) {
        std::remove(request.path.c_str());
    }
    gameState = GameState{};
}

}  // namespace
