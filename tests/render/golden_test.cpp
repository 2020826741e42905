// Whole frames from the real pictures and fonts, compared pixel for pixel with
// the committed PNGs. `make goldens` rewrites them (VELNO_UPDATE_GOLDENS=1).
#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "render/canvas.h"
#include "scenes.h"

namespace {

struct GoldenFrame {
    const char* name;
    void (*setUp)();
};

void PrintTo(const GoldenFrame& frame, std::ostream* out) {
    *out << frame.name;
}

const GoldenFrame FRAMES[] = {
    {"ready", scenes::ready},
    {"play", scenes::play},
    {"misfire", scenes::misfire},
    {"gameover", scenes::gameOver},
};

class GoldenTest : public ::testing::TestWithParam<GoldenFrame> {
protected:
    static void SetUpTestSuite() {
        canvas = new SoftwareCanvas;
        std::string error;
        ready = canvas->init(error);
        initError = error;
    }
    static void TearDownTestSuite() {
        delete canvas;
        canvas = nullptr;
    }

    static SoftwareCanvas* canvas;
    static bool ready;
    static std::string initError;
};
SoftwareCanvas* GoldenTest::canvas = nullptr;
bool GoldenTest::ready = false;
std::string GoldenTest::initError;

TEST_P(GoldenTest, FrameMatchesTheCommittedPicture) {
    if (!ready) {
        GTEST_SKIP() << "pictures or fonts missing: " << initError;
    }
    const GoldenFrame& frame = GetParam();
    frame.setUp();
    canvas->invalidateAll();
    canvas->paint();
    gameState = GameState{};
    const std::string path = std::string(VELNO_GOLDEN_DIR) + "/" + frame.name + ".png";
    const char* update = std::getenv("VELNO_UPDATE_GOLDENS");
    if (update != nullptr && *update == '1') {
        ASSERT_TRUE(canvas->savePng(path.c_str())) << path;
        return;
    }
    SDL_Surface* loaded = IMG_Load(path.c_str());
    ASSERT_NE(loaded, nullptr) << path << ": " << IMG_GetError();
    SDL_Surface* golden = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_RGB888, 0);
    SDL_FreeSurface(loaded);
    ASSERT_NE(golden, nullptr);
    ASSERT_EQ(golden->w, SoftwareCanvas::WIDTH);
    ASSERT_EQ(golden->h, SoftwareCanvas::HEIGHT);
    int differences = 0;
    int firstX = -1;
    int firstY = -1;
    for (int y = 0; y < golden->h; ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(
                                                                golden->pixels) +
                                                            y * golden->pitch);
        for (int x = 0; x < golden->w; ++x) {
            if ((row[x] & 0xFFFFFFu) != canvas->pixel(x, y)) {
                if (differences++ == 0) {
                    firstX = x;
                    firstY = y;
                }
            }
        }
    }
    SDL_FreeSurface(golden);
    if (differences != 0) {
        const std::string actual = std::string(frame.name) + ".actual.png";
        canvas->savePng(actual.c_str());
        ADD_FAILURE() << differences << " pixels differ from " << path << ", the first at ("
                      << firstX << ", " << firstY << "); this frame is in " << actual;
    }
}

INSTANTIATE_TEST_SUITE_P(Frames, GoldenTest, ::testing::ValuesIn(FRAMES),
                         [](const ::testing::TestParamInfo<GoldenFrame>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
