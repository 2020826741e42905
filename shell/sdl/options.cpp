#include "shell/sdl/options.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace velno {
namespace {

void usage(FILE* out) {
    std::fputs(
        "usage: velno [--scale N] [--demo [--course N] | --replay FILE]\n"
        "  --scale N    show the game N times its size (default: the largest that fits)\n"
        "  --demo       let the built-in player play one game; any other key ends it\n"
        "  --course N   the course of the demo: 0 dial-up, 1 ISDN, 2 ADSL, 3 hikari\n"
        "  --replay F   watch a recorded game again; Escape ends it\n",
        out);
}

bool parseNumber(const char* text, int low, int high, int& out) {
    char* end = nullptr;
    errno = 0;
    long value = std::strtol(text, &end, 10);
    if (errno != 0 || end == text || *end != '\0' || value < low || value > high) return false;
    out = static_cast<int>(value);
    return true;
}

}  // namespace

bool parseOptions(int argc, char** argv, Options& options, int& exitCode) {
    auto bad = [&exitCode] {
        usage(stderr);
        exitCode = 2;
        return false;
    };
    bool courseGiven = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--demo") {
            options.demo = true;
        } else if (arg == "--course" || arg == "--scale") {
            if (i + 1 >= argc) {
                std::fprintf(stderr, "velno: %s needs a number\n", arg.c_str());
                return bad();
            }
            const bool course = arg == "--course";
            courseGiven = courseGiven || course;
            const bool ok = course ? parseNumber(argv[++i], 0, 3, options.course)
                                   : parseNumber(argv[++i], 1, 16, options.scale);
            if (!ok) {
                std::fprintf(stderr, "velno: bad value for %s: %s\n", arg.c_str(), argv[i]);
                return bad();
            }
        } else if (arg == "--replay") {
            if (i + 1 >= argc) {
                std::fputs("velno: --replay needs a file\n", stderr);
                return bad();
            }
            options.replay = argv[++i];
        } else if (arg == "--help" || arg == "-h") {
            usage(stdout);
            exitCode = 0;
            return false;
        } else {
            std::fprintf(stderr, "velno: unknown option %s\n", arg.c_str());
            return bad();
        }
    }
    if (options.demo && !options.replay.empty()) {
        std::fputs("velno: --demo and --replay exclude each other\n", stderr);
        return bad();
    }
    if (courseGiven && !options.demo) {
        // Outside the demo the course is chosen in the course dialog.
        std::fputs("velno: --course goes with --demo\n", stderr);
        return bad();
    }
    return true;
}

}  // namespace velno
