// The one-channel rule for sound effects, against a fake channel that plays
// each sound for its real length.
#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "core/game_state.h"
#include "shell/sdl/effect_channel.h"

namespace {

class FakeChannel : public velno::EffectOutput {
public:
    int now = 0;  // ms
    int playing = 0;
    int endsAt = 0;
    std::vector<int> started;
    std::vector<int> cutOff;

    bool isPlaying() override { return playing != 0 && now < endsAt; }
    bool start(int number) override {
        auto it = lengths.find(number);
        if (it == lengths.end()) return false;
        if (isPlaying()) cutOff.push_back(playing);
        playing = number;
        endsAt = now + it->second;
        started.push_back(number);
        return true;
    }
    void stop() override { playing = 0; }

    std::map<int, int> lengths{{SFX_MISFIRE, 2100}, {SFX_BLAST, 364}, {SFX_SHOT, 63},
                               {SFX_VIRUS_FIRE, 129}, {SFX_DELIVERED, 1097}};
};

TEST(EffectChannel, ShotsAreDroppedWhileALongEffectPlays) {
    FakeChannel ch;
    ASSERT_TRUE(velno::playOnEffectChannel(ch, SFX_MISFIRE, false));
    // Rapid fire every tick during the misfire sound: all dropped, nothing cut.
    for (ch.now = 36; ch.now < 2100; ch.now += 36) {
        EXPECT_FALSE(velno::playOnEffectChannel(ch, SFX_SHOT, true)) << ch.now;
    }
    EXPECT_TRUE(ch.cutOff.empty());
    // Once it has ended the shot plays.
    ch.now = 2100;
    EXPECT_TRUE(velno::playOnEffectChannel(ch, SFX_SHOT, true));
}

TEST(EffectChannel, ShotDoesNotRestartItself) {
    FakeChannel ch;
    EXPECT_TRUE(velno::playOnEffectChannel(ch, SFX_SHOT, true));
    ch.now = 36;
    EXPECT_FALSE(velno::playOnEffectChannel(ch, SFX_SHOT, true));
    ch.now = 72;
    EXPECT_TRUE(velno::playOnEffectChannel(ch, SFX_SHOT, true));
    EXPECT_EQ(ch.started.size(), 2u);
}

TEST(EffectChannel, OtherEffectsCutOffWhatPlays) {
    FakeChannel ch;
    velno::playOnEffectChannel(ch, SFX_DELIVERED, false);
    ch.now = 100;
    EXPECT_TRUE(velno::playOnEffectChannel(ch, SFX_BLAST, false));
    ch.now = 136;
    EXPECT_TRUE(velno::playOnEffectChannel(ch, SFX_VIRUS_FIRE, false));
    EXPECT_EQ(ch.cutOff, (std::vector<int>{SFX_DELIVERED, SFX_BLAST}));
    EXPECT_EQ(ch.playing, SFX_VIRUS_FIRE);
}

TEST(EffectChannel, MissingSoundIsNotStarted) {
    FakeChannel ch;
    EXPECT_FALSE(velno::playOnEffectChannel(ch, 9999, false));
    EXPECT_TRUE(ch.started.empty());
}

}  // namespace
