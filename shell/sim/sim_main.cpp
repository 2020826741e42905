// velno-sim: plays a game headless, from an input script or with the built-in
// bot, and prints how it ended; optionally every tick in detail.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "shell/common/atomic_file.h"
#include "shell/common/replay.h"
#include "shell/sim/screenshots.h"
#include "shell/sim/simulation.h"

namespace {

const char USAGE[] =
    "usage: velno-sim --course C --seed S [--hiscore H] [--input FILE] [--ticks N]\n"
    "                 [--dump] [--bot] [--check] [--record FILE]\n"
    "                 [--screenshot TICK:FILE.png]...\n"
    "       velno-sim --replay FILE [--dump] [--check] [--screenshot TICK:FILE.png]...\n"
    "  --course C    course 0 (dial-up) to 3 (optical fibre)\n"
    "  --seed S      seed of the random source (0 to 4294967295)\n"
    "  --hiscore H   stored high score of the course (default 0)\n"
    "  --input FILE  input script: lines 'COUNT FLAGS', FLAGS '-' or letters from L, R, F\n"
    "  --ticks N     stop after N ticks at the latest\n"
    "  --dump        print every tick's host calls and state\n"
    "  --bot         let the built-in player play\n"
    "  --check       check the rules of the game after every tick\n"
    "  --record FILE write a replay of the game\n"
    "  --replay FILE play a replay back and check its recorded end\n"
    "  --screenshot TICK:FILE.png\n"
    "                save the window's picture after tick TICK (0: right after the new\n"
    "                game) as PNG; may be given more than once\n";

[[noreturn]] void usageError(const std::string& message) {
    std::fprintf(stderr, "velno-sim: %s\n%s", message.c_str(), USAGE);
    std::exit(2);
}

unsigned long long parseNumber(const char* option, const char* text, unsigned long long most) {
    if (text == nullptr) {
        usageError(std::string(option) + " needs a value");
    }
    errno = 0;
    char* end = nullptr;
    const unsigned long long value = std::strtoull(text, &end, 10);
    if (text[0] < '0' || text[0] > '9' || *end != '\0' || errno == ERANGE || value > most) {
        usageError(std::string(option) + ": '" + text + "' is not a number from 0 to " +
                   std::to_string(most));
    }
    return value;
}

}  // namespace

int main(int argc, char** argv) {
    SimOptions options;
    bool haveCourse = false;
    bool haveSeed = false;
    bool dump = false;
    std::string inputPath;
    std::string recordPath;
    std::string replayPath;
    std::vector<ScreenshotRequest> screenshots;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
        if (arg == "--course") {
            options.course = static_cast<int32_t>(parseNumber("--course", value, 3));
            haveCourse = true;
            ++i;
        } else if (arg == "--seed") {
            options.seed = static_cast<uint32_t>(parseNumber("--seed", value, 0xFFFFFFFFull));
            haveSeed = true;
            ++i;
        } else if (arg == "--hiscore") {
            options.hiScore = static_cast<uint32_t>(parseNumber("--hiscore", value, 0xFFFFFFFFull));
            ++i;
        } else if (arg == "--ticks") {
            options.maxTicks =
                static_cast<long long>(parseNumber("--ticks", value, 1000000000000ull));
            ++i;
        } else if (arg == "--input") {
            if (value == nullptr) {
                usageError("--input needs a file");
            }
            inputPath = value;
            ++i;
        } else if (arg == "--record" || arg == "--replay") {
            if (value == nullptr) {
                usageError(arg + " needs a file");
            }
            (arg == "--record" ? recordPath : replayPath) = value;
            ++i;
        } else if (arg == "--screenshot") {
            if (value == nullptr) {
                usageError("--screenshot needs TICK:FILE.png");
            }
            ScreenshotRequest request;
            std::string error;
            if (!parseScreenshotRequest(value, request, error)) {
                usageError(error);
            }
            screenshots.push_back(request);
            ++i;
        } else if (arg == "--dump") {
            dump = true;
        } else if (arg == "--bot") {
            options.bot = true;
        } else if (arg == "--check") {
            options.check = true;
        } else if (arg == "--help" || arg == "-h") {
            std::fputs(USAGE, stdout);
            return 0;
        } else {
            usageError("unknown option '" + arg + "'");
        }
    }
    Replay replay;
    if (!replayPath.empty()) {
        if (haveCourse || haveSeed || options.bot || !inputPath.empty() || !recordPath.empty() ||
            options.maxTicks >= 0) {
            usageError("--replay takes the game from the file: only --dump, --check and "
                       "--screenshot go with it");
        }
        std::string error;
        if (!readReplayFile(replayPath, replay, error)) {
            std::fprintf(stderr, "velno-sim: %s\n", error.c_str());
            return 2;
        }
        options.course = replay.course;
        options.seed = replay.seed;
        options.hiScore = replay.hiScore;
        options.script = replay.runs;
        options.maxTicks = static_cast<long long>(replay.ticks);
        haveCourse = haveSeed = true;
    }
    if (!haveCourse || !haveSeed) {
        usageError("--course and --seed are required");
    }
    if (options.bot && !inputPath.empty()) {
        usageError("--bot and --input exclude each other");
    }
    if (!inputPath.empty()) {
        std::string text;
        std::string error;
        if (!readWholeFile(inputPath, text, error)) {
            std::fprintf(stderr, "velno-sim: cannot read input script '%s': %s\n",
                         inputPath.c_str(), error.c_str());
            return 2;
        }
        if (!parseInputScript(text, inputPath, options.script, error)) {
            std::fprintf(stderr, "velno-sim: %s\n", error.c_str());
            return 2;
        }
    }

    static char outputBuffer[1 << 16];
    std::setvbuf(stdout, outputBuffer, _IOFBF, sizeof outputBuffer);
    std::vector<InputRun> recorded;
    // Screenshots paint on a software canvas after every tick, as the window would.
    std::unique_ptr<SoftwareCanvas> canvas;
    std::unique_ptr<ScreenshotObserver> observer;
    if (!screenshots.empty()) {
        canvas = std::make_unique<SoftwareCanvas>();
        std::string error;
        if (!canvas->init(error)) {
            std::fprintf(stderr, "velno-sim: screenshots: %s\n", error.c_str());
        }
        observer = std::make_unique<ScreenshotObserver>(*canvas, screenshots);
    }
    const SimResult result = runSimulation(options, dump ? stdout : nullptr, observer.get(),
                                           recordPath.empty() ? nullptr : &recorded);
    printEndLine(stdout, result);
    std::fflush(stdout);
    if (observer != nullptr) {
        const std::vector<std::string> problems = observer->problems();
        for (const std::string& problem : problems) {
            std::fprintf(stderr, "velno-sim: %s\n", problem.c_str());
        }
        if (!problems.empty()) {
            return 1;
        }
    }
    if (result.violation) {
        std::fprintf(stderr, "velno-sim: rule broken at %s\n", result.message.c_str());
        return 1;
    }
    if (!replayPath.empty()) {
        const std::string difference = compareWithFooter(
            replay, static_cast<uint64_t>(result.ticks), result.score, result.lives);
        if (!difference.empty()) {
            std::fprintf(stderr, "velno-sim: %s: the playback differs from the recording: %s\n",
                         replayPath.c_str(), difference.c_str());
            return 1;
        }
    }
    if (!recordPath.empty()) {
        Replay out;
        out.course = options.course;
        out.seed = options.seed;
        out.hiScore = options.hiScore;
        out.runs = std::move(recorded);
        out.ticks = static_cast<uint64_t>(result.ticks);
        out.score = result.score;
        out.lives = result.lives;
        std::string error;
        if (!writeReplayFile(recordPath, out, error)) {
            std::fprintf(stderr, "velno-sim: %s\n", error.c_str());
            return 1;
        }
    }
    return 0;
}
