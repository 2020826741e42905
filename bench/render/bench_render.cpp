// How long a paint of the software canvas takes: the whole frame with every
// table full, a typical frame in play, and the small repaint of a typical tick.
#include <benchmark/benchmark.h>

#include <string>

#include "render/canvas.h"
#include "render_fixture.h"
#include "scenes.h"

namespace {

// A canvas with the real pictures when the catalogue is there, else solid
// stand-ins of the same sizes (the copying work is the same).
SoftwareCanvas& sharedCanvas(benchmark::State& state) {
    static bool complete = false;
    static SoftwareCanvas* canvas = [] {
        auto* made = new SoftwareCanvas;
        std::string error;
        complete = made->init(error);
        if (!complete) {
            loadStandIns(made->pictures());
        }
        return made;
    }();
    if (!complete) {
        state.SetLabel("stand-in pictures");
    }
    return *canvas;
}

void paintWhole(benchmark::State& state, void (*scene)()) {
    SoftwareCanvas& canvas = sharedCanvas(state);
    scene();
    for (auto _ : state) {
        canvas.invalidateAll();
        canvas.paint();
        benchmark::DoNotOptimize(canvas.pixels());
    }
    gameState = GameState{};
}

void BM_FullFrameEveryTableFull(benchmark::State& state) {
    paintWhole(state, scenes::everyTableFull);
}
BENCHMARK(BM_FullFrameEveryTableFull)->Unit(benchmark::kMicrosecond);

void BM_FullFrameTypicalPlay(benchmark::State& state) {
    paintWhole(state, scenes::play);
}
BENCHMARK(BM_FullFrameTypicalPlay)->Unit(benchmark::kMicrosecond);

// One tick of play: a few mails, two shots, a missile and the score line move.
void BM_TickRepaintTypicalPlay(benchmark::State& state) {
    SoftwareCanvas& canvas = sharedCanvas(state);
    scenes::play();
    for (auto _ : state) {
        for (int i = 0; i < 6; ++i) {
            const Mail& mail = gameState.mails[i];
            canvas.invalidate(mail.x - 14, mail.y - 14, mail.x + 14, mail.y + 14);
        }
        canvas.invalidate(275, 212, 278, 324);
        canvas.invalidate(282, 322, 300, 340);
        canvas.invalidate(HUD_RECT.left, HUD_RECT.top, HUD_RECT.right, HUD_RECT.bottom);
        canvas.paint();
        benchmark::DoNotOptimize(canvas.pixels());
    }
    gameState = GameState{};
}
BENCHMARK(BM_TickRepaintTypicalPlay)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
