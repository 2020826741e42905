#include "shell/common/replay.h"

#include <zlib.h>

#include <cstring>

#include "shell/common/atomic_file.h"

namespace {

constexpr char MAGIC[8] = {'V', 'E', 'L', 'N', 'O', 'R', 'E', 'P'};
constexpr char FOOTER_MAGIC[4] = {'V', 'E', 'N', 'D'};
constexpr std::size_t HEADER_SIZE = 20;
constexpr std::size_t RUN_SIZE = 5;
constexpr std::size_t FOOTER_SIZE = 4 + 8 + 4 + 4 + 4;
constexpr uint8_t FLAG_LEFT = 1;
constexpr uint8_t FLAG_RIGHT = 2;
constexpr uint8_t FLAG_FIRE = 4;

void put(std::string& out, uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
    }
}

uint64_t get(const std::string& in, std::size_t at, int bytes) {
    uint64_t value = 0;
    for (int i = bytes - 1; i >= 0; --i) {
        value = (value << 8) | static_cast<uint8_t>(in[at + static_cast<std::size_t>(i)]);
    }
    return value;
}

uint32_t checksum(const std::string& bytes, std::size_t length) {
    return static_cast<uint32_t>(
        crc32(0L, reinterpret_cast<const Bytef*>(bytes.data()), static_cast<uInt>(length)));
}

bool sameInput(const InputState& a, const InputState& b) {
    return a.left == b.left && a.right == b.right && a.fire == b.fire;
}

}  // namespace

void appendInput(std::vector<InputRun>& runs, const InputState& input) {
    if (!runs.empty() && sameInput(runs.back().input, input) && runs.back().count < 0xFFFFFFFF) {
        ++runs.back().count;
    } else {
        runs.push_back(InputRun{1, input});
    }
}

std::string encodeReplay(const Replay& replay) {
    std::string out(MAGIC, sizeof MAGIC);
    put(out, REPLAY_VERSION, 2);
    put(out, static_cast<uint64_t>(replay.course), 1);
    put(out, 0, 1);
    put(out, replay.seed, 4);
    put(out, replay.hiScore, 4);
    put(out, replay.runs.size(), 4);
    for (const InputRun& run : replay.runs) {
        put(out, static_cast<uint64_t>(run.count), 4);
        put(out,
            (run.input.left ? FLAG_LEFT : 0) | (run.input.right ? FLAG_RIGHT : 0) |
                (run.input.fire ? FLAG_FIRE : 0),
            1);
    }
    out.append(FOOTER_MAGIC, sizeof FOOTER_MAGIC);
    put(out, replay.ticks, 8);
    put(out, replay.score, 4);
    put(out, static_cast<uint32_t>(replay.lives), 4);
    put(out, checksum(out, out.size()), 4);
    return out;
}

bool decodeReplay(const std::string& bytes, Replay& replay, std::string& reason) {
    const std::size_t size = bytes.size();
    if (size == 0) {
        reason = "the file is empty";
        return false;
    }
    const std::size_t magicLength = size < sizeof MAGIC ? size : sizeof MAGIC;
    if (std::memcmp(bytes.data(), MAGIC, magicLength) != 0) {
        reason = "not a velno replay (wrong magic)";
        return false;
    }
    if (size < HEADER_SIZE) {
        reason = "truncated in the header";
        return false;
    }
    const uint64_t version = get(bytes, 8, 2);
    if (version != REPLAY_VERSION) {
        reason = "format version " + std::to_string(version) +
                 " is not supported (this build reads version " +
                 std::to_string(REPLAY_VERSION) + ")";
        return false;
    }
    Replay result;
    result.course = static_cast<int32_t>(get(bytes, 10, 1));
    if (result.course > COURSE_HIKARI || get(bytes, 11, 1) != 0) {
        reason = "bad header (course " + std::to_string(result.course) + ")";
        return false;
    }
    result.seed = static_cast<uint32_t>(get(bytes, 12, 4));
    result.hiScore = static_cast<uint32_t>(get(bytes, 16, 4));
    if (size < HEADER_SIZE + 4) {
        reason = "truncated in the input";
        return false;
    }
    const uint64_t runCount = get(bytes, HEADER_SIZE, 4);
    std::size_t at = HEADER_SIZE + 4;
    if (runCount > (size - at) / RUN_SIZE) {
        reason = "truncated in the input (" + std::to_string(runCount) + " runs announced)";
        return false;
    }
    result.runs.reserve(runCount);
    uint64_t ticks = 0;
    for (uint64_t i = 0; i < runCount; ++i, at += RUN_SIZE) {
        const uint64_t count = get(bytes, at, 4);
        const uint64_t flags = get(bytes, at + 4, 1);
        if (count == 0 || (flags & ~uint64_t{FLAG_LEFT | FLAG_RIGHT | FLAG_FIRE}) != 0) {
            reason = "input run " + std::to_string(i + 1) + " is malformed";
            return false;
        }
        ticks += count;
        result.runs.push_back(InputRun{static_cast<long long>(count),
                                       InputState{(flags & FLAG_LEFT) != 0,
                                                  (flags & FLAG_RIGHT) != 0,
                                                  (flags & FLAG_FIRE) != 0}});
    }
    if (size - at < FOOTER_SIZE) {
        reason = "truncated in the footer";
        return false;
    }
    if (std::memcmp(bytes.data() + at, FOOTER_MAGIC, sizeof FOOTER_MAGIC) != 0) {
        reason = "the footer is missing";
        return false;
    }
    result.ticks = get(bytes, at + 4, 8);
    result.score = static_cast<uint32_t>(get(bytes, at + 12, 4));
    result.lives = static_cast<int32_t>(static_cast<uint32_t>(get(bytes, at + 16, 4)));
    const uint32_t stored = static_cast<uint32_t>(get(bytes, at + 20, 4));
    if (size != at + FOOTER_SIZE) {
        reason = "unexpected data after the footer";
        return false;
    }
    if (stored != checksum(bytes, at + 20)) {
        reason = "checksum mismatch: the file is damaged";
        return false;
    }
    if (ticks != result.ticks) {
        reason = "the input covers " + std::to_string(ticks) + " ticks but the footer says " +
                 std::to_string(result.ticks);
        return false;
    }
    replay = std::move(result);
    return true;
}

bool readReplayFile(const std::string& path, Replay& replay, std::string& error) {
    std::string bytes;
    std::string reason;
    if (!readWholeFile(path, bytes, reason) || !decodeReplay(bytes, replay, reason)) {
        error = path + ": " + reason;
        return false;
    }
    return true;
}

bool writeReplayFile(const std::string& path, const Replay& replay, std::string& error) {
    return writeFileAtomically(path, encodeReplay(replay), error);
}

std::string compareWithFooter(const Replay& replay, uint64_t ticks, uint32_t score,
                              int32_t lives) {
    if (ticks != replay.ticks) {
        return "ticks: recorded " + std::to_string(replay.ticks) + ", played " +
               std::to_string(ticks);
    }
    if (score != replay.score) {
        return "score: recorded " + std::to_string(replay.score) + ", played " +
               std::to_string(score);
    }
    if (lives != replay.lives) {
        return "lives: recorded " + std::to_string(replay.lives) + ", played " +
               std::to_string(lives);
    }
    return "";
}

std::string latestReplayName(int32_t course) {
    return std::string(COURSES[course].hiScoreKey) + "-latest.vrp";
}

std::string bestReplayName(int32_t course) {
    return std::string(COURSES[course].hiScoreKey) + "-best.vrp";
}

bool keepGameReplays(const std::string& folder, const Replay& replay, std::string& error) {
    if (replay.course < COURSE_DIALUP || replay.course > COURSE_HIKARI) {
        error = "no course " + std::to_string(replay.course);
        return false;
    }
    if (!makeDirectories(folder)) {
        error = "cannot create the folder " + folder;
        return false;
    }
    if (!writeReplayFile(folder + "/" + latestReplayName(replay.course), replay, error)) {
        return false;
    }
    if (replay.score > replay.hiScore &&
        !writeReplayFile(folder + "/" + bestReplayName(replay.course), replay, error)) {
        return false;
    }
    return true;
}
