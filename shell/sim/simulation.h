// Runs whole games headless: a new game as the start-up sets it up, then
// processed ticks 1, 2, 3 ... of the game timer, each 36 ms after the last.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "core/game_state.h"
#include "shell/common/replay.h"
#include "shell/sim/sim_host.h"

// Parses an input script: one run per line, "COUNT FLAGS", FLAGS being "-" or
// letters from L, R and F; blank lines and lines starting with '#' are
// skipped. On a malformed line returns false with `error` naming the line.
bool parseInputScript(const std::string& text, const std::string& name,
                      std::vector<InputRun>& runs, std::string& error);

struct SimOptions {
    int32_t course = 0;
    uint32_t seed = 0;
    uint32_t hiScore = 0;
    std::vector<InputRun> script;
    bool bot = false;
    long long maxTicks = -1;  // no limit
    bool check = false;       // check the rules of the game after every tick
};

struct SimResult {
    long long ticks = 0;
    uint32_t score = 0;
    int32_t lives = 0;
    int32_t phase = 0;
    bool closed = false;
    bool violation = false;
    std::string message;  // the broken rule, with its tick
};

// Plays one game from a fresh state. With `dump` set, prints the new game,
// the rungs, and every tick's host calls and state (not the end line). `observer`, when set,
// sees the invalidations and the end of every tick. `recorded`, when set,
// receives the input of every processed tick, run-length encoded.
SimResult runSimulation(const SimOptions& options, std::FILE* dump, SimObserver* observer,
                        std::vector<InputRun>* recorded = nullptr);

// Prints "end ticks <n> score <score> lives <lives> phase <phase>".
void printEndLine(std::FILE* out, const SimResult& result);

// Prints the state line and the live table slots, as in the dump.
void dumpState(std::FILE* out, const GameState& state);
