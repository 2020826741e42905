// The one channel that all sound effects share: a new effect cuts off the
// one that is playing, except that an effect started with noStop (the shot)
// is dropped while anything still plays.
#pragma once

namespace velno {

// What plays the sounds; the SDL mixer in the game, a fake in the tests.
class EffectOutput {
public:
    virtual ~EffectOutput() = default;
    // True while the effect channel still sounds.
    virtual bool isPlaying() = 0;
    // Starts the sound `number` on the effect channel, cutting off what plays
    // there. Returns false when there is no such sound.
    virtual bool start(int number) = 0;
    // Silences the effect channel.
    virtual void stop() = 0;
};

enum class EffectDecision { Play, Drop };

// The rule itself.
constexpr EffectDecision decideEffect(bool channelPlaying, bool noStop) {
    return noStop && channelPlaying ? EffectDecision::Drop : EffectDecision::Play;
}

// Applies the rule to an output. Returns true if the sound was started.
bool playOnEffectChannel(EffectOutput& output, int number, bool noStop);

}  // namespace velno
