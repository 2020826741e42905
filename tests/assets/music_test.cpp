// VELNO.MID: a well-formed standard MIDI file that loops cleanly (every track
// ends on the same bar line and no note sounds past it), of a sensible length,
// with General MIDI drums on channel 10, and that SDL_mixer can load.
#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "byte_reader.h"

namespace {

using assets_test::Bytes;

struct Song {
    uint32_t format = 0, division = 0;
    std::vector<uint32_t> trackEnds;       // tick of each track's end-of-track event
    std::map<uint32_t, uint32_t> tempos;   // tick -> microseconds per quarter
    std::set<int> noteChannels;
    uint32_t lastNoteOff = 0;
    int unmatched = 0;                     // note-ons never switched off
    int bars4 = 0;                         // time signatures of 4/4 seen
};

// Reads a variable-length quantity.
uint32_t vlq(const Bytes& b, std::size_t& at) {
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i) {
        uint8_t c = b.data[at++];
        v = v << 7 | (c & 0x7F);
        if (!(c & 0x80)) break;
    }
    return v;
}

Song parse(const Bytes& b) {
    Song song;
    EXPECT_EQ(b.tag(0), "MThd");
    EXPECT_EQ(b.be32(4), 6u);
    song.format = b.be16(8);
    const uint32_t tracks = b.be16(10);
    song.division = b.be16(12);
    EXPECT_EQ(song.division & 0x8000, 0u) << "ticks per quarter, not SMPTE";
    std::size_t at = 14;
    for (uint32_t t = 0; t < tracks; ++t) {
        EXPECT_EQ(b.tag(at), "MTrk") << "track " << t;
        const std::size_t end = at + 8 + b.be32(at + 4);
        EXPECT_LE(end, b.size);
        at += 8;
        uint32_t tick = 0;
        uint8_t status = 0;
        bool ended = false;
        std::map<std::pair<int, int>, int> sounding;
        while (at < end && !ended) {
            tick += vlq(b, at);
            if (b.data[at] & 0x80) status = b.data[at++];
            if (status == 0xFF) {
                uint8_t type = b.data[at++];
                uint32_t len = vlq(b, at);
                if (type == 0x2F) {
                    ended = true;
                    song.trackEnds.push_back(tick);
                }
                if (type == 0x51) song.tempos[tick] = b.data[at] << 16 | b.data[at + 1] << 8 | b.data[at + 2];
                if (type == 0x58 && b.data[at] == 4 && b.data[at + 1] == 2) ++song.bars4;
                at += len;
            } else if (status == 0xF0 || status == 0xF7) {
                at += vlq(b, at);
            } else {
                const int kind = status >> 4, channel = status & 0x0F;
                const int key = b.data[at], velocity = (kind == 0xC || kind == 0xD) ? 0 : b.data[at + 1];
                at += (kind == 0xC || kind == 0xD) ? 1 : 2;
                if (kind == 0x9 && velocity > 0) {
                    ++sounding[{channel, key}];
                    song.noteChannels.insert(channel);
                } else if (kind == 0x8 || kind == 0x9) {
                    if (sounding[{channel, key}] > 0) --sounding[{channel, key}];
                    song.lastNoteOff = std::max(song.lastNoteOff, tick);
                }
            }
        }
        EXPECT_TRUE(ended) << "track " << t << " has no end-of-track event";
        EXPECT_EQ(at, end) << "track " << t << " has bytes after its end";
        for (auto& [note, count] : sounding) song.unmatched += count;
        at = end;
    }
    EXPECT_EQ(at, b.size);
    EXPECT_EQ(song.trackEnds.size(), tracks);
    return song;
}

double seconds(const Song& song, uint32_t tick) {
    double s = 0;
    uint32_t from = 0, tempo = 500000;
    for (auto [at, t] : song.tempos) {
        if (at >= tick) break;
        s += double(at - from) * tempo / song.division / 1e6;
        from = at;
        tempo = t;
    }
    return s + double(tick - from) * tempo / song.division / 1e6;
}

std::vector<unsigned char> midiFile() { return assets_test::readFile(VELNO_RESOURCES_DIR "/VELNO.MID"); }

TEST(Music, IsAStandardMidiFileThatLoopsOnABarLine) {
    const std::vector<unsigned char> file = midiFile();
    ASSERT_GT(file.size(), 14u);
    const Song song = parse(Bytes{file.data(), file.size()});
    EXPECT_TRUE(song.format == 0 || song.format == 1);
    ASSERT_FALSE(song.trackEnds.empty());
    const uint32_t end = song.trackEnds[0];
    for (uint32_t e : song.trackEnds) EXPECT_EQ(e, end) << "tracks end at different ticks";
    EXPECT_GT(song.bars4, 0) << "no 4/4 time signature";
    EXPECT_EQ(end % (song.division * 4), 0u) << "the loop point is not on a bar line";
    EXPECT_EQ(song.unmatched, 0) << "notes still sound at the loop point";
    EXPECT_GE(song.lastNoteOff + song.division, end) << "silence before the loop point";
    const double length = seconds(song, end);
    EXPECT_GE(length, 30.0);
    EXPECT_LE(length, 90.0);
    EXPECT_TRUE(song.noteChannels.count(9)) << "no drums on channel 10";
    EXPECT_GE(song.noteChannels.size(), 3u);
}

TEST(Music, SdlMixerLoadsIt) {
    SDL_setenv("SDL_AUDIODRIVER", "dummy", 1);
    ASSERT_EQ(SDL_Init(SDL_INIT_AUDIO), 0) << SDL_GetError();
    ASSERT_EQ(Mix_OpenAudio(22050, AUDIO_S16SYS, 2, 1024), 0) << Mix_GetError();
    std::vector<unsigned char> file = midiFile();
    Mix_Music* music = Mix_LoadMUS_RW(SDL_RWFromConstMem(file.data(), int(file.size())), 1);
    EXPECT_NE(music, nullptr) << Mix_GetError();
    if (music) {
        EXPECT_EQ(Mix_GetMusicType(music), MUS_MID);
        Mix_FreeMusic(music);
    }
    Mix_CloseAudio();
    Mix_Quit();
    SDL_Quit();
}

}  // namespace
