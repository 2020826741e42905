// Whole frames from the real pictures and fonts, compared pixel for pixel with
// the committed PNGs. `make goldens` rewrites them (VELNO_UPDATE_GOLDENS=1)
// together with the fingerprint of the pictures they were made from.
#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
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

// A fingerprint of every picture the frames use (FNV-1a over sizes and
// pixels). The golden frames record the one they were made with, so that new
// art reads as "make goldens" rather than as a fault of the renderer.
std::string picturesFingerprint(const PictureSet& pictures) {
    uint64_t hash = 1469598103934665603ull;
    auto mix = [&hash](uint32_t value) {
        for (int i = 0; i < 4; ++i) {
            hash ^= (value >> (8 * i)) & 0xFFu;
            hash *= 1099511628211ull;
        }
    };
    for (int number = PictureSet::FIRST_NUMBER;
         number < PictureSet::FIRST_NUMBER + PictureSet::SLOT_COUNT; ++number) {
        const Picture* picture = pictures.find(number);
        mix(static_cast<uint32_t>(number));
        if (picture == nullptr) {
            continue;
        }
        mix(static_cast<uint32_t>(picture->width));
        mix(static_cast<uint32_t>(picture->height));
        for (uint32_t pixel : picture->pixels) {
            mix(pixel);
        }
    }
    char text[32];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
    return text;
}

std::string fingerprintPath() {
    return std::string(VELNO_GOLDEN_DIR) + "/pictures.fingerprint";
}

std::string readFirstLine(const std::string& path) {
    std::ifstream in(path);
    std::string line;
    std::getline(in, line);
    return line;
}

bool updating() {
    const char* update = std::getenv("VELNO_UPDATE_GOLDENS");
    return update != nullptr && *update == '1';
}

class GoldenTest : public ::testing::TestWithParam<GoldenFrame> {
protected:
    static void SetUpTestSuite() {
        canvas = new SoftwareCanvas;
        std::string error;
        ready = canvas->init(error);
        initError = error;
        fingerprint = picturesFingerprint(canvas->pictures());
        if (ready && updating()) {
            std::ofstream(fingerprintPath()) << fingerprint << "\n";
        }
    }
    static void TearDownTestSuite() {
        delete canvas;
        canvas = nullptr;
    }

    static SoftwareCanvas* canvas;
    static bool ready;
    static std::string initError;
    static std::string fingerprint;
};
SoftwareCanvas* GoldenTest::canvas = nullptr;
bool GoldenTest::ready = false;
std::string GoldenTest::initError;
std::string GoldenTest::fingerprint;

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
    if (updating()) {
        ASSERT_TRUE(canvas->savePng(path.c_str())) << path;
        return;
    }
    if (readFirstLine(fingerprintPath()) != fingerprint) {
        FAIL() << "the pictures have changed since the golden frames were made; "
                  "`make goldens` makes them anew (look at them before committing)";
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
