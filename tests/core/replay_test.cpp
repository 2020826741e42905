// Replays: recording and playing back games, and reading damaged files.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <string>

#include "shell/common/atomic_file.h"
#include "shell/common/replay.h"
#include "shell/sim/simulation.h"

namespace {

Replay recordBotGame(int32_t course, uint32_t seed, uint32_t hi) {
    SimOptions options;
    options.course = course;
    options.seed = seed;
    options.hiScore = hi;
    options.bot = true;
    Replay replay;
    const SimResult result = runSimulation(options, nullptr, nullptr, &replay.runs);
    replay.course = course;
    replay.seed = seed;
    replay.hiScore = hi;
    replay.ticks = static_cast<uint64_t>(result.ticks);
    replay.score = result.score;
    replay.lives = result.lives;
    return replay;
}

SimResult playBack(const Replay& replay) {
    SimOptions options;
    options.course = replay.course;
    options.seed = replay.seed;
    options.hiScore = replay.hiScore;
    options.script = replay.runs;
    options.maxTicks = static_cast<long long>(replay.ticks);
    return runSimulation(options, nullptr, nullptr);
}

TEST(Replay, BotGamesRoundTripOnEveryCourse) {
    for (int32_t course = 0; course < COURSE_COUNT; ++course) {
        SCOPED_TRACE(course);
        const Replay recorded = recordBotGame(course, 40 + course, 1000 * course);
        Replay decoded;
        std::string reason;
        ASSERT_TRUE(decodeReplay(encodeReplay(recorded), decoded, reason)) << reason;
        EXPECT_EQ(decoded.course, course);
        EXPECT_EQ(decoded.seed, 40u + course);
        EXPECT_EQ(decoded.hiScore, 1000u * course);
        EXPECT_EQ(decoded.ticks, recorded.ticks);
        ASSERT_EQ(decoded.runs.size(), recorded.runs.size());
        const SimResult played = playBack(decoded);
        EXPECT_TRUE(played.closed);
        EXPECT_EQ(compareWithFooter(decoded, static_cast<uint64_t>(played.ticks), played.score,
                                    played.lives),
                  "");
    }
}

TEST(Replay, WrittenFileReadsBackAndFailuresNameTheFile) {
    char folder[] = "/tmp/velno-replay-XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    const std::string path = std::string(folder) + "/sub/dir/latest.vrp";
    ASSERT_TRUE(makeDirectories(std::string(folder) + "/sub/dir"));
    const Replay recorded = recordBotGame(COURSE_ADSL, 3, 0);
    std::string error;
    ASSERT_TRUE(writeReplayFile(path, recorded, error)) << error;
    Replay read;
    ASSERT_TRUE(readReplayFile(path, read, error)) << error;
    EXPECT_EQ(read.score, recorded.score);

    // Into a folder that does not exist: the error names the file.
    EXPECT_FALSE(writeReplayFile(std::string(folder) + "/missing/x.vrp", recorded, error));
    EXPECT_EQ(error.rfind("cannot write " + std::string(folder) + "/missing/x.vrp: ", 0), 0u)
        << error;

    EXPECT_FALSE(readReplayFile(std::string(folder) + "/none.vrp", read, error));
    EXPECT_EQ(error.rfind(std::string(folder) + "/none.vrp: ", 0), 0u) << error;
    std::system((std::string("rm -rf ") + folder).c_str());
}

TEST(Replay, KeepsTheLatestGameAndTheOneThatSetTheHighScore) {
    char folder[] = "/tmp/velno-keep-XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    const std::string replays = std::string(folder) + "/velno/replays";
    Replay first = recordBotGame(COURSE_ISDN, 5, 0);
    ASSERT_GT(first.score, 0u);
    std::string error;
    ASSERT_TRUE(keepGameReplays(replays, first, error)) << error;

    // A weaker game later replaces only the latest.
    Replay second = recordBotGame(COURSE_ISDN, 6, first.score);
    second.score = 10;
    ASSERT_TRUE(keepGameReplays(replays, second, error)) << error;

    Replay latest;
    Replay best;
    ASSERT_TRUE(readReplayFile(replays + "/ISDN-latest.vrp", latest, error)) << error;
    ASSERT_TRUE(readReplayFile(replays + "/ISDN-best.vrp", best, error)) << error;
    EXPECT_EQ(latest.seed, 6u);
    EXPECT_EQ(best.seed, 5u);
    EXPECT_FALSE(readReplayFile(replays + "/DIALUP-latest.vrp", latest, error));
    std::system((std::string("rm -rf ") + folder).c_str());
}

TEST(Replay, DamagedFilesGiveClearReasons) {
    Replay small;
    small.course = COURSE_ISDN;
    small.seed = 77;
    small.runs = {{10, {true, false, false}}, {5, {false, false, true}}};
    small.ticks = 15;
    small.score = 120;
    small.lives = 4;
    const std::string good = encodeReplay(small);
    // Header 20 bytes, run count 4, two runs of 5, footer 24.
    ASSERT_EQ(good.size(), 20u + 4 + 10 + 24);

    auto flipped = [&](std::size_t at) {
        std::string bytes = good;
        bytes[at] = static_cast<char>(bytes[at] ^ 0x04);
        return bytes;
    };
    Replay withWrongTicks = small;
    withWrongTicks.ticks = 16;

    struct Case {
        const char* what;
        std::string bytes;
        const char* reason;
    };
    const Case cases[] = {
        {"empty", "", "the file is empty"},
        {"wrong magic", "VELNOPIC" + good.substr(8), "not a velno replay"},
        {"cut in the magic", good.substr(0, 5), "truncated in the header"},
        {"cut in the header", good.substr(0, 15), "truncated in the header"},
        {"cut before the runs", good.substr(0, 22), "truncated in the input"},
        {"cut in the runs", good.substr(0, 30), "truncated in the input"},
        {"cut in the footer", good.substr(0, good.size() - 3), "truncated in the footer"},
        {"other version", good.substr(0, 8) + '\x02' + good.substr(9), "format version 2"},
        {"flipped input byte", flipped(28), "checksum mismatch"},
        {"flipped score", flipped(good.size() - 12), "checksum mismatch"},
        {"zero-length run", [&] {
             std::string b = good;
             b.replace(24, 4, std::string(4, '\0'));
             return b;
         }(), "input run 1 is malformed"},
        {"ticks disagree", encodeReplay(withWrongTicks), "the input covers 15 ticks"},
        {"trailing bytes", good + "x", "unexpected data after the footer"},
    };
    for (const Case& c : cases) {
        Replay out;
        std::string reason;
        EXPECT_FALSE(decodeReplay(c.bytes, out, reason)) << c.what;
        EXPECT_NE(reason.find(c.reason), std::string::npos) << c.what << ": " << reason;
    }
}

TEST(Replay, WrongFooterShowsTheFirstDifferingFigure) {
    Replay recorded = recordBotGame(COURSE_HIKARI, 12, 0);
    const SimResult played = playBack(recorded);
    const auto ticks = static_cast<uint64_t>(played.ticks);
    recorded.score += 10;
    recorded.lives = 3;
    EXPECT_EQ(compareWithFooter(recorded, ticks, played.score, played.lives),
              "score: recorded " + std::to_string(played.score + 10) + ", played " +
                  std::to_string(played.score));
    recorded.ticks += 1;
    EXPECT_EQ(compareWithFooter(recorded, ticks, played.score, played.lives).rfind("ticks: ", 0),
              0u);
}

}  // namespace
