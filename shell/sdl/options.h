// The command line of `velno`.
#pragma once

#include <string>

namespace velno {

struct Options {
    bool demo = false;  // --demo: the built-in player plays, no dialogs, no file
    int course = 0;     // --course N (0..3), with --demo only
    int scale = 0;      // --scale N (1..16); 0: the largest that fits
    std::string replay; // --replay FILE: play a recorded game back, no dialogs, no file
};

// Fills `options` from the arguments. Returns false when the program should
// end at once with `exitCode`: 0 after --help (usage on stdout), 2 after a
// bad argument (a line and the usage on stderr).
bool parseOptions(int argc, char** argv, Options& options, int& exitCode);

}  // namespace velno
