// The command line of velno.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "shell/sdl/options.h"

namespace {

struct OptionCase {
    std::vector<const char*> args;
    bool proceed;
    int exitCode;  // when not proceeding
    bool demo;
    int course;
    int scale;
    const char* replay = "";
};

class Options : public ::testing::TestWithParam<OptionCase> {};

TEST_P(Options, Parse) {
    const OptionCase& c = GetParam();
    std::vector<char*> argv{const_cast<char*>("velno")};
    for (const char* a : c.args) argv.push_back(const_cast<char*>(a));
    velno::Options options;
    int exitCode = -1;
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    const bool proceed = velno::parseOptions(static_cast<int>(argv.size()), argv.data(), options, exitCode);
    const std::string out = testing::internal::GetCapturedStdout();
    const std::string err = testing::internal::GetCapturedStderr();
    ASSERT_EQ(proceed, c.proceed) << err;
    if (!proceed) {
        EXPECT_EQ(exitCode, c.exitCode);
        // Help goes to stdout; a mistake to stderr, with the usage.
        EXPECT_NE((c.exitCode == 0 ? out : err).find("usage: velno"), std::string::npos);
        return;
    }
    EXPECT_EQ(options.demo, c.demo);
    EXPECT_EQ(options.course, c.course);
    EXPECT_EQ(options.scale, c.scale);
    EXPECT_EQ(options.replay, c.replay);
}

INSTANTIATE_TEST_SUITE_P(
    CommandLines, Options,
    ::testing::Values(OptionCase{{}, true, 0, false, 0, 0},
                      OptionCase{{"--demo"}, true, 0, true, 0, 0},
                      OptionCase{{"--demo", "--course", "3", "--scale", "2"}, true, 0, true, 3, 2},
                      OptionCase{{"--course", "1", "--demo"}, true, 0, true, 1, 0},
                      OptionCase{{"--scale", "16"}, true, 0, false, 0, 16},
                      OptionCase{{"--help"}, false, 0, false, 0, 0},
                      OptionCase{{"--course", "2"}, false, 2, false, 0, 0},
                      OptionCase{{"--demo", "--course", "4"}, false, 2, false, 0, 0},
                      OptionCase{{"--demo", "--course", "-1"}, false, 2, false, 0, 0},
                      OptionCase{{"--scale", "0"}, false, 2, false, 0, 0},
                      OptionCase{{"--scale", "2x"}, false, 2, false, 0, 0},
                      OptionCase{{"--scale"}, false, 2, false, 0, 0},
                      OptionCase{{"--fullscreen"}, false, 2, false, 0, 0},
                      OptionCase{{"--replay", "best.vrp", "--scale", "2"}, true, 0, false, 0, 2,
                                 "best.vrp"},
                      OptionCase{{"--replay"}, false, 2, false, 0, 0},
                      OptionCase{{"--demo", "--replay", "best.vrp"}, false, 2, false, 0, 0},
                      OptionCase{{"--replay", "best.vrp", "--course", "1"}, false, 2, false, 0,
                                 0}));

}  // namespace
