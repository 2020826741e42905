// velno-sim: plays a game headless, from an input script or with the built-in
// bot, and prints how it ended; optionally every tick in detail.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include "shell/sim/simulation.h"

namespace {

const char USAGE[] =
    "usage: velno-sim --course C --seed S [--hiscore H] [--input FILE] [--ticks N]\n"
    "                 [--dump] [--bot] [--check]\n"
    "  --course C    course 0 (dial-up) to 3 (optical fibre)\n"
    "  --seed S      seed of the random source (0 to 4294967295)\n"
    "  --hiscore H   stored high score of the course (default 0)\n"
    "  --input FILE  input script: lines 'COUNT FLAGS', FLAGS '-' or letters from L, R, F\n"
    "  --ticks N     stop after N ticks at the latest\n"
    "  --dump        print every tick's host calls and state\n"
    "  --bot         let the built-in player play\n"
    "  --check       check the rules of the game after every tick\n";

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

bool readFile(const std::string& path, std::string& text) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return false;
    }
    std::ostringstream buffer;
    buffer << in.rdbuf();
    text = buffer.str();
    return !in.bad();
}

}  // namespace

int main(int argc, char** argv) {
    SimOptions options;
    bool haveCourse = false;
    bool haveSeed = false;
    bool dump = false;
    std::string inputPath;
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
    if (!haveCourse || !haveSeed) {
        usageError("--course and --seed are required");
    }
    if (options.bot && !inputPath.empty()) {
        usageError("--bot and --input exclude each other");
    }
    if (!inputPath.empty()) {
        std::string text;
        if (!readFile(inputPath, text)) {
            std::fprintf(stderr, "velno-sim: cannot read input script '%s': %s\n",
                         inputPath.c_str(), std::strerror(errno));
            return 2;
        }
        std::string error;
        if (!parseInputScript(text, inputPath, options.script, error)) {
            std::fprintf(stderr, "velno-sim: %s\n", error.c_str());
            return 2;
        }
    }

    static char outputBuffer[1 << 16];
    std::setvbuf(stdout, outputBuffer, _IOFBF, sizeof outputBuffer);
    const SimResult result = runSimulation(options, dump ? stdout : nullptr, nullptr);
    printEndLine(stdout, result);
    std::fflush(stdout);
    if (result.violation) {
        std::fprintf(stderr, "velno-sim: rule broken at %s\n", result.message.c_str());
        return 1;
    }
    return 0;
}
