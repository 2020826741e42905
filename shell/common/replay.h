// Replays: a whole game as its course, seed, stored high score and the input
// of every processed tick, with the final figures as a check.
//
// File layout, little-endian:
//   header  "VELNOREP", u16 version, u8 course, u8 0, u32 seed, u32 high score
//   input   u32 number of runs, then per run: u32 ticks (1 or more), u8 flags
//           (1 left, 2 right, 4 fire)
//   footer  "VEND", u64 ticks, u32 score, i32 lives, u32 CRC-32 of all bytes before it
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/game_state.h"

constexpr uint16_t REPLAY_VERSION = 1;

// The next `count` ticks get `input`.
struct InputRun {
    long long count;
    InputState input;
};

struct Replay {
    int32_t course = 0;
    uint32_t seed = 0;
    uint32_t hiScore = 0;  // stored high score when the game started
    std::vector<InputRun> runs;
    uint64_t ticks = 0;  // processed ticks, the sum of the runs
    uint32_t score = 0;
    int32_t lives = 0;
};

// Adds one tick's input, extending the last run when it is the same.
void appendInput(std::vector<InputRun>& runs, const InputState& input);

std::string encodeReplay(const Replay& replay);

// Decodes a replay; on failure returns false with `reason` saying what is wrong.
bool decodeReplay(const std::string& bytes, Replay& replay, std::string& reason);

// File forms of the above; `error` names the file and the reason.
bool readReplayFile(const std::string& path, Replay& replay, std::string& error);
bool writeReplayFile(const std::string& path, const Replay& replay, std::string& error);

// Compares a playback's end with the recorded footer. Returns an empty string
// when they agree, else the first differing figure, e.g.
// "score: recorded 1200, played 1080".
std::string compareWithFooter(const Replay& replay, uint64_t ticks, uint32_t score,
                              int32_t lives);

// Keeps a finished game in `folder` (created if needed): always as the latest
// game of its course, "<KEY>-latest.vrp", and also as "<KEY>-best.vrp" when it
// beat the high score stored when it started. Returns false with `error` when
// a file could not be written; a file that was written stays.
bool keepGameReplays(const std::string& folder, const Replay& replay, std::string& error);

// The file names `keepGameReplays` uses for a course.
std::string latestReplayName(int32_t course);
std::string bestReplayName(int32_t course);
