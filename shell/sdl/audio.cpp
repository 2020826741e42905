#include "shell/sdl/audio.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "core/game_state.h"
#include "core/host.h"
#include "render/catalogue.h"
#include "shell/sdl/effect_channel.h"
#include "shell/sdl/quiet_stderr.h"

namespace velno {
namespace {

constexpr const char* MUSIC_FILE = "VELNO.MID";
constexpr int EFFECT_CHANNEL = 0;
constexpr int EFFECT_NUMBERS[] = {SFX_MISFIRE, SFX_BLAST, SFX_SHOT, SFX_VIRUS_FIRE, SFX_DELIVERED};

bool audioOpen = false;
Mix_Chunk* effects[sizeof EFFECT_NUMBERS / sizeof EFFECT_NUMBERS[0]] = {};
Mix_Music* music = nullptr;

Mix_Chunk* effectChunk(int number) {
    for (std::size_t i = 0; i < sizeof EFFECT_NUMBERS / sizeof EFFECT_NUMBERS[0]; ++i) {
        if (EFFECT_NUMBERS[i] == number) return effects[i];
    }
    return nullptr;
}

// The mixer's channel 0 is the one effect channel.
class MixerChannel : public EffectOutput {
public:
    bool isPlaying() override { return Mix_Playing(EFFECT_CHANNEL) != 0; }
    bool start(int number) override {
        Mix_Chunk* chunk = effectChunk(number);
        return chunk != nullptr && Mix_PlayChannel(EFFECT_CHANNEL, chunk, 0) == EFFECT_CHANNEL;
    }
    void stop() override { Mix_HaltChannel(EFFECT_CHANNEL); }
};

MixerChannel mixerChannel;

// Called by the mixer when the music stops by itself. The music is played
// with an endless loop count, so it only ever stops like this when the
// synthesizer fails; it then stays silent, as after a failed play.
void musicFinished() {}

// Opens the mixer on the audio driver SDL picks (or SDL_AUDIODRIVER names).
// SDL keeps to that one driver even when its device cannot be opened, so the
// other real drivers are tried after it; never the silent ones.
bool openMixer(std::string& error) {
    auto attempt = [&error] {
        return quietly([&error] {
            if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
                error = SDL_GetError();
                return false;
            }
            if (Mix_OpenAudio(44100, AUDIO_S16SYS, 2, 1024) != 0) {
                error = Mix_GetError();
                SDL_QuitSubSystem(SDL_INIT_AUDIO);
                return false;
            }
            return true;
        });
    };
    if (attempt()) return true;
    const std::string first = error;
    for (int i = 0; i < SDL_GetNumAudioDrivers(); ++i) {
        const std::string name = SDL_GetAudioDriver(i);
        if (name == "dummy" || name == "disk") continue;
        SDL_SetHintWithPriority(SDL_HINT_AUDIODRIVER, name.c_str(), SDL_HINT_OVERRIDE);
        if (attempt()) return true;
    }
    SDL_ResetHint(SDL_HINT_AUDIODRIVER);
    error = first;
    return false;
}

}  // namespace

void openAudio() {
    std::string error;
    if (!openMixer(error)) {
        std::fprintf(stderr, "velno: no sound (%s); playing silently\n", error.c_str());
        return;
    }
    audioOpen = true;
    Mix_AllocateChannels(1);
    for (std::size_t i = 0; i < sizeof EFFECT_NUMBERS / sizeof EFFECT_NUMBERS[0]; ++i) {
        ResourceData data{};
        if (!findResource(ResourceType::Wave, EFFECT_NUMBERS[i], data)) continue;
        SDL_RWops* rw = SDL_RWFromConstMem(data.data, static_cast<int>(data.size));
        effects[i] = rw != nullptr ? Mix_LoadWAV_RW(rw, 1) : nullptr;
    }
    // A missing tune means no music and no complaint; a tune that cannot be
    // played is worth a line.
    if (::access(MUSIC_FILE, F_OK) != 0) return;
    if ((Mix_Init(MIX_INIT_MID) & MIX_INIT_MID) == 0) {
        std::fprintf(stderr, "velno: no MIDI synthesis (%s); playing without music\n",
                     Mix_GetError());
        return;
    }
    music = Mix_LoadMUS(MUSIC_FILE);
    if (music == nullptr) {
        std::fprintf(stderr, "velno: cannot play %s (%s); playing without music\n", MUSIC_FILE,
                     Mix_GetError());
    }
}

void startMusic() {
    if (music == nullptr) return;
    Mix_HookMusicFinished(musicFinished);
    // The mixer's own loop restarts the tune at its end with no gap.
    Mix_PlayMusic(music, -1);
}

void stopMusic() {
    if (!audioOpen) return;
    Mix_HookMusicFinished(nullptr);
    Mix_HaltMusic();
    if (music != nullptr) Mix_FreeMusic(music);
    music = nullptr;
}

void stopEffects() {
    if (audioOpen) mixerChannel.stop();
}

void closeAudio() {
    if (!audioOpen) return;
    for (Mix_Chunk*& chunk : effects) {
        if (chunk != nullptr) Mix_FreeChunk(chunk);
        chunk = nullptr;
    }
    Mix_CloseAudio();
    Mix_Quit();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    audioOpen = false;
}

}  // namespace velno

void playEffect(int number, bool noStop) {
    if (velno::audioOpen) velno::playOnEffectChannel(velno::mixerChannel, number, noStop);
}
