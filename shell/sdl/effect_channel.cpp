#include "shell/sdl/effect_channel.h"

namespace velno {

bool playOnEffectChannel(EffectOutput& output, int number, bool noStop) {
    if (decideEffect(output.isPlaying(), noStop) == EffectDecision::Drop) return false;
    return output.start(number);
}

}  // namespace velno
