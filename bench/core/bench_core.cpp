// Cost of one game tick, in a typical play state and with every table full,
// and whole-game throughput of the headless runner with its bot.
#include <benchmark/benchmark.h>

#include <cmath>

#include "core/game_state.h"
#include "shell/common/bot.h"
#include "shell/sim/sim_host.h"
#include "shell/sim/simulation.h"

namespace {

uint32_t tickNumber = 0;

void processTick() {
    simHost.timeMs = 36 * ++tickNumber;
    tickGame(GAME_TIMER_ID);
}

// A bot game on course 1 at tick 1500: a few mails, shots and missiles.
GameState typicalState() {
    gameState = GameState{};
    simHost = SimHost{};
    newGame(COURSE_ISDN, 4, 0);
    tickNumber = 0;
    for (int i = 0; i < 1500 && !simHost.closed; ++i) {
        simHost.input = botInput(gameState);
        processTick();
    }
    return gameState;
}

// 256 falling mails, 30 shots, 20 missiles in flight and 20 rungs, in play.
GameState worstState() {
    gameState = GameState{};
    simHost = SimHost{};
    newGame(COURSE_DIALUP, 8, 0);
    GameState& g = gameState;
    g.phase = PHASE_PLAY;
    for (int i = 0; i < MAX_RUNGS; ++i) {
        g.rungs[i] = Rung{i % 4 + 1, 100 + 11 * i};
    }
    for (int i = 0; i < MAX_MAILS; ++i) {
        // Bad mails falling (viruses among them), out of the shots' way.
        g.mails[i] = Mail{i % 7 == 0 ? MAIL_VIRUS : MAIL_RED, 100 * (i % 5 + 1), 80 + i % 50, 2,
                          TURN_NONE, 1000};
    }
    for (int i = 0; i < MAX_SHOTS; ++i) {
        g.shots[i] = Shot{21 + 6 * i, 360, 8};
    }
    for (int i = 0; i < MAX_MISSILES; ++i) {
        g.missiles[i] = Missile{MISSILE_FLYING, 30.0 + 25 * i, 100.0, 3.0, std::atan2(1.0, 0.2)};
    }
    return g;
}

void BM_TickTypicalPlay(benchmark::State& state) {
    const GameState start = typicalState();
    const uint32_t startTick = tickNumber;
    int sinceRestore = 0;
    for (auto _ : state) {
        if (++sinceRestore == 200 || simHost.closed) {
            gameState = start;
            tickNumber = startTick;
            simHost.closed = false;
            sinceRestore = 0;
        }
        simHost.input = botInput(gameState);
        processTick();
        benchmark::DoNotOptimize(gameState.score);
    }
    state.SetLabel("bot game, course 1, from tick 1500; includes the bot's input");
}
BENCHMARK(BM_TickTypicalPlay);

void BM_TickWorstCase(benchmark::State& state) {
    const GameState start = worstState();
    simHost.input = InputState{false, false, true};
    for (auto _ : state) {
        gameState = start;  // every table full again
        processTick();
        benchmark::DoNotOptimize(gameState.score);
    }
    state.SetLabel("includes restoring the full state");
}
BENCHMARK(BM_TickWorstCase);

void BM_RestoreStateOnly(benchmark::State& state) {
    const GameState start = worstState();
    for (auto _ : state) {
        gameState = start;
        benchmark::ClobberMemory();
    }
    state.SetLabel("the copy that BM_TickWorstCase includes");
}
BENCHMARK(BM_RestoreStateOnly);

void BM_WholeBotGames(benchmark::State& state) {
    long long ticks = 0;
    uint32_t seed = 1;
    for (auto _ : state) {
        SimOptions options;
        options.course = static_cast<int32_t>(seed % 4);
        options.seed = seed++;
        options.bot = true;
        ticks += runSimulation(options, nullptr, nullptr).ticks;
    }
    state.counters["ticks_per_second"] =
        benchmark::Counter(static_cast<double>(ticks), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_WholeBotGames)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
