#include "shell/sim/simulation.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "shell/common/bot.h"
#include "shell/common/invariants.h"

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

// Parses one non-comment line; returns an empty string or what is wrong.
std::string parseRun(const std::string& line, InputRun& run) {
    std::size_t i = 0;
    while (i < line.size() && isBlank(line[i])) {
        ++i;
    }
    const std::size_t countStart = i;
    while (i < line.size() && line[i] >= '0' && line[i] <= '9') {
        ++i;
    }
    if (i == countStart) {
        return "expected a tick count";
    }
    const std::string digits = line.substr(countStart, i - countStart);
    if (digits.size() > 15) {
        return "tick count too large";
    }
    run.count = std::strtoll(digits.c_str(), nullptr, 10);
    if (i == line.size() || !isBlank(line[i])) {
        return "expected a space and the flags after the tick count";
    }
    while (i < line.size() && isBlank(line[i])) {
        ++i;
    }
    const std::size_t flagsStart = i;
    while (i < line.size() && !isBlank(line[i])) {
        ++i;
    }
    const std::string flags = line.substr(flagsStart, i - flagsStart);
    while (i < line.size() && isBlank(line[i])) {
        ++i;
    }
    if (i != line.size()) {
        return "unexpected text after the flags";
    }
    run.input = InputState{};
    if (flags.empty()) {
        return "expected the flags ('-' or letters from L, R, F)";
    }
    if (flags == "-") {
        return "";
    }
    for (char c : flags) {
        switch (c) {
        case 'L':
            run.input.left = true;
            break;
        case 'R':
            run.input.right = true;
            break;
        case 'F':
            run.input.fire = true;
            break;
        default:
            return std::string("unknown flag '") + c + "' (use '-' or letters from L, R, F)";
        }
    }
    return "";
}

// Hands out the scripted input tick by tick, without allocating.
class ScriptCursor {
public:
    explicit ScriptCursor(const std::vector<InputRun>& runs) : runs_(runs) {}
    InputState next() {
        while (index_ < runs_.size() && used_ >= runs_[index_].count) {
            ++index_;
            used_ = 0;
        }
        if (index_ == runs_.size()) {
            return InputState{};
        }
        ++used_;
        return runs_[index_].input;
    }

private:
    const std::vector<InputRun>& runs_;
    std::size_t index_ = 0;
    long long used_ = 0;
};

}  // namespace

bool parseInputScript(const std::string& text, const std::string& name,
                      std::vector<InputRun>& runs, std::string& error) {
    runs.clear();
    std::size_t start = 0;
    int lineNumber = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            end = text.size();
        }
        const std::string line = text.substr(start, end - start);
        start = end + 1;
        ++lineNumber;
        std::size_t first = 0;
        while (first < line.size() && isBlank(line[first])) {
            ++first;
        }
        if (first == line.size() || line[first] == '#') {
            continue;
        }
        InputRun run{};
        const std::string problem = parseRun(line, run);
        if (!problem.empty()) {
            error = name + ":" + std::to_string(lineNumber) + ": " + problem + ": \"" +
                    (line.size() > 0 && line.back() == '\r' ? line.substr(0, line.size() - 1)
                                                           : line) +
                    "\"";
            return false;
        }
        runs.push_back(run);
    }
    return true;
}

void dumpState(std::FILE* out, const GameState& s) {
    std::fprintf(out,
                 "state phase %d timer %d player %d score %u hi %u lives %d spawn %d %d cool %d "
                 "pic %d boxes %d%d%d%d%d\n",
                 s.phase, s.phaseTimer, s.playerX, s.score, s.hiScore, s.lives, s.spawnCountdown,
                 s.spawnInterval, s.fireCooldown, s.misfirePicture, s.mailboxDestroyed[0],
                 s.mailboxDestroyed[1], s.mailboxDestroyed[2], s.mailboxDestroyed[3],
                 s.mailboxDestroyed[4]);
    for (int i = 0; i < MAX_MAILS; ++i) {
        const Mail& m = s.mails[i];
        if (m.kind != MAIL_NONE) {
            std::fprintf(out, "mail %d %d %d %d %d %d %d\n", i, m.kind, m.x, m.y, m.speed, m.turn,
                         m.fireTimer);
        }
    }
    for (int i = 0; i < MAX_SHOTS; ++i) {
        const Shot& shot = s.shots[i];
        if (shot.speed != 0) {
            std::fprintf(out, "shot %d %d %d %d\n", i, shot.x, shot.y, shot.speed);
        }
    }
    for (int i = 0; i < MAX_MISSILES; ++i) {
        const Missile& m = s.missiles[i];
        if (m.state != MISSILE_NONE) {
            std::fprintf(out, "missile %d %d %.17g %.17g %.17g %.17g\n", i, m.state, m.x, m.y,
                         m.speed, m.angle);
        }
    }
}

SimResult runSimulation(const SimOptions& options, std::FILE* dump, SimObserver* observer,
                        std::vector<InputRun>* recorded) {
    gameState = GameState{};
    simHost = SimHost{};
    simHost.observer = observer;
    if (dump != nullptr) {
        std::fprintf(dump, "new course %d seed %u hi %u\n", options.course, options.seed,
                     options.hiScore);
    }
    // The new game's own whole-window invalidation comes before tick 1 and
    // is not part of any tick's listing.
    newGame(options.course, options.seed, options.hiScore);
    if (observer != nullptr) {
        observer->afterTick(0);  // the frame the new game shows before its first tick
    }
    simHost.dump = dump;
    if (dump != nullptr) {
        for (int i = 0; i < MAX_RUNGS; ++i) {
            if (gameState.rungs[i].lane != 0) {
                std::fprintf(dump, "rung %d %d %d\n", i, gameState.rungs[i].lane,
                             gameState.rungs[i].y);
            }
        }
    }
    const InvariantBaseline baseline = captureBaseline(gameState);
    ScriptCursor script(options.script);
    SimResult result;
    long long tick = 0;
    while (!simHost.closed && (options.maxTicks < 0 || tick < options.maxTicks)) {
        ++tick;
        simHost.timeMs = static_cast<uint32_t>(36ull * static_cast<unsigned long long>(tick));
        simHost.input = options.bot ? botInput(gameState) : script.next();
        if (recorded != nullptr) {
            appendInput(*recorded, simHost.input);
        }
        if (dump != nullptr) {
            std::fprintf(dump, "tick %lld\n", tick);
        }
        tickGame(GAME_TIMER_ID);
        if (observer != nullptr) {
            observer->afterTick(tick);
        }
        if (dump != nullptr) {
            dumpState(dump, gameState);
        }
        if (options.check && !result.violation) {
            char message[256];
            if (!checkInvariants(gameState, baseline, message, sizeof message)) {
                result.violation = true;
                result.message = "tick " + std::to_string(tick) + ": " + message;
                break;
            }
        }
    }
    simHost.dump = nullptr;
    result.ticks = tick;
    result.score = gameState.score;
    result.lives = gameState.lives;
    result.phase = gameState.phase;
    result.closed = simHost.closed;
    return result;
}

void printEndLine(std::FILE* out, const SimResult& result) {
    std::fprintf(out, "end ticks %lld score %u lives %d phase %d\n", result.ticks, result.score,
                 result.lives, result.phase);
}
