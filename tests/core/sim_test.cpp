// The headless runner: input scripts, determinism, the dump, and a long soak
// of bot and random games with the rule checker on.
#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>

#include "shell/common/invariants.h"
#include "shell/sim/simulation.h"

namespace {

std::string dumpOf(const SimOptions& options) {
    char* buffer = nullptr;
    std::size_t size = 0;
    std::FILE* out = open_memstream(&buffer, &size);
    const SimResult result = runSimulation(options, out, nullptr);
    printEndLine(out, result);
    std::fclose(out);
    std::string text(buffer, size);
    std::free(buffer);
    return text;
}

TEST(InputScript, ParsesRunsAndSkipsCommentsAndBlanks) {
    std::vector<InputRun> runs;
    std::string error;
    ASSERT_TRUE(parseInputScript("# warm up\n10 -\n\n  3 LF\r\n2 RFL\n\t# done\n0 R", "s",
                                 runs, error))
        << error;
    ASSERT_EQ(runs.size(), 4u);
    EXPECT_EQ(runs[0].count, 10);
    EXPECT_FALSE(runs[0].input.left || runs[0].input.right || runs[0].input.fire);
    EXPECT_TRUE(runs[1].input.left && runs[1].input.fire && !runs[1].input.right);
    EXPECT_TRUE(runs[2].input.left && runs[2].input.right && runs[2].input.fire);
    EXPECT_EQ(runs[3].count, 0);
}

TEST(InputScript, MalformedLinesNameTheLine) {
    const char* bad[] = {"5", "5 X", "-3 L", "L 5", "5 L F", "5 -L", "five L", "5L",
                         "99999999999999999999 L"};
    for (const char* line : bad) {
        SCOPED_TRACE(line);
        std::vector<InputRun> runs;
        std::string error;
        EXPECT_FALSE(parseInputScript(std::string("1 -\n# ok\n") + line + "\n", "play.txt", runs,
                                      error));
        EXPECT_EQ(error.rfind("play.txt:3: ", 0), 0u) << error;
    }
}

TEST(Simulation, ScriptedInputDrivesTicksInOrderThenStops) {
    SimOptions options;
    options.course = COURSE_HIKARI;
    options.seed = 5;
    options.script = {{3, {true, false, false}}, {2, {false, true, true}}};
    options.maxTicks = 7;
    std::vector<InputRun> seen;
    const SimResult result = runSimulation(options, nullptr, nullptr, &seen);
    EXPECT_EQ(result.ticks, 7);
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0].count, 3);
    EXPECT_TRUE(seen[0].input.left);
    EXPECT_EQ(seen[1].count, 2);
    EXPECT_TRUE(seen[1].input.right && seen[1].input.fire);
    EXPECT_EQ(seen[2].count, 2);
    EXPECT_FALSE(seen[2].input.left || seen[2].input.right || seen[2].input.fire);
    EXPECT_EQ(gameState.playerX, 294 - 18 + 12);
}

TEST(Simulation, SameSeedCourseAndInputGiveTheSameDump) {
    for (int32_t course = 0; course < COURSE_COUNT; ++course) {
        SimOptions options;
        options.course = course;
        options.seed = 1000 + course;
        options.hiScore = 500;
        options.bot = true;
        const std::string first = dumpOf(options);
        EXPECT_EQ(first, dumpOf(options));
        options.seed += 1;
        EXPECT_NE(first, dumpOf(options));
    }
}

TEST(Simulation, DumpFollowsTheLineFormat) {
    SimOptions options;
    options.course = COURSE_DIALUP;
    options.seed = 1;
    options.hiScore = 42;
    options.bot = true;
    const std::string dump = dumpOf(options);
    EXPECT_EQ(dump.rfind("new course 0 seed 1 hi 42\nrung 0 ", 0), 0u);
    EXPECT_NE(dump.find("\ntick 1\ninval 240 200 500 260\nstate phase 1 timer 1 player 294 "
                        "score 0 hi 42 lives 5 spawn 119 100 cool 0 pic 0 boxes 00000\ntick 2\n"),
              std::string::npos);
    EXPECT_NE(dump.find("\neffect 151 1\n"), std::string::npos);
    EXPECT_NE(dump.find("\nclose\ninval 220 200 540 260\n"), std::string::npos);
    // Missiles print their doubles in full.
    const std::size_t missile = dump.find("\nmissile ");
    ASSERT_NE(missile, std::string::npos);
    int slot, state;
    double x, y, speed, angle;
    ASSERT_EQ(std::sscanf(dump.c_str() + missile, "\nmissile %d %d %lf %lf %lf %lf", &slot,
                          &state, &x, &y, &speed, &angle),
              6);
    EXPECT_EQ(speed, 3.0);
    const std::size_t end = dump.rfind("end ticks ");
    ASSERT_NE(end, std::string::npos);
    EXPECT_EQ(dump.substr(end).find(" lives 0 phase 5\n"), dump.substr(end).size() - 17);
}

// Bot games and games with random input on every course, with the rules
// checked after every tick: at least a million ticks in all.
TEST(Soak, BotAndRandomGamesKeepEveryRule) {
    long long total = 0;
    std::mt19937 generator(20261211);
    for (uint32_t seed = 1; total < 1000000; ++seed) {
        for (int32_t course = 0; course < COURSE_COUNT; ++course) {
            SimOptions options;
            options.course = course;
            options.seed = seed * 7919u + static_cast<uint32_t>(course);
            options.hiScore = seed % 3 == 0 ? 100000 : 0;
            options.check = true;
            if (seed % 2 == 1) {
                options.bot = true;
            } else {
                for (int i = 0; i < 400; ++i) {
                    const unsigned bits = generator() % 8;
                    options.script.push_back(
                        {1 + static_cast<long long>(generator() % 60),
                         InputState{(bits & 1) != 0, (bits & 2) != 0, (bits & 4) != 0}});
                }
            }
            options.maxTicks = 200000;
            const SimResult result = runSimulation(options, nullptr, nullptr);
            ASSERT_FALSE(result.violation) << "course " << course << " seed " << options.seed
                                           << ": " << result.message;
            ASSERT_TRUE(result.closed) << "course " << course << " seed " << options.seed;
            EXPECT_EQ(result.lives, 0);
            total += result.ticks;
        }
    }
    EXPECT_GE(total, 1000000);
}

TEST(Invariants, CatchABrokenState) {
    SimOptions options;
    options.course = COURSE_ISDN;
    options.seed = 3;
    options.maxTicks = 400;
    options.bot = true;
    runSimulation(options, nullptr, nullptr);
    GameState good = gameState;
    good.hiScore = 0;
    InvariantBaseline baseline = captureBaseline(good);
    char message[128];
    ASSERT_TRUE(checkInvariants(good, baseline, message, sizeof message)) << message;

    struct Breakage {
        const char* what;
        void (*apply)(GameState&);
    };
    const Breakage breakages[] = {
        {"lives", [](GameState& s) { s.lives = -1; }},
        {"spawn interval", [](GameState& s) { s.spawnInterval = 9; }},
        {"rungs", [](GameState& s) { s.rungs[0].y += 1; }},
        {"mail off lane", [](GameState& s) { s.mails[0] = Mail{MAIL_RED, 150, 200, 3, 0, 0}; }},
        {"mail on no rung",
         [](GameState& s) { s.mails[0] = Mail{MAIL_RED, 150, 1, 3, TURN_RIGHT, 0}; }},
        {"kind", [](GameState& s) { s.mails[0].kind = 21; }},
        {"shot", [](GameState& s) { s.shots[0] = Shot{309, 3, 10}; }},
        {"missile", [](GameState& s) { s.missiles[0] = Missile{3, 1, 1, 5, 0}; }},
        {"missile outside",
         [](GameState& s) { s.missiles[0] = Missile{MISSILE_FLYING, -2, 1, 5, 0}; }},
    };
    for (const Breakage& b : breakages) {
        GameState broken = good;
        b.apply(broken);
        EXPECT_FALSE(checkInvariants(broken, baseline, message, sizeof message)) << b.what;
        EXPECT_NE(message[0], '\0');
    }
}

}  // namespace
