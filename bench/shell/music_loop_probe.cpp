// Measures the silence at the loop point of the background music, through
// the same SDL2_mixer set-up as the game. Plays VELNO.MID (current folder)
// for the given number of seconds and prints every stretch of silence of
// 20 ms or more, with its time, so that a gap at the tune's end shows up.
//
// With the tune's length given, it also finds where the tune starts again:
// the offset, between the length - 0.5 s and the length + 5 s, whose 2 s of
// level envelope best match the first 2 s. The start again minus the length
// is the gap at the loop point.
//
// Usage: music_loop_probe SECONDS [mixer|callback] [TUNE_SECONDS]
//   mixer     the game's way: the mixer's own endless loop (default)
//   callback  restart from the finished-music callback, for comparison
// Run it with SDL_AUDIODRIVER=dummy where there is no sound card: the dummy
// device consumes the mix in real time, and the mix is what is measured.
#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <vector>

namespace {

constexpr int RATE = 44100;
constexpr int WINDOW = RATE / 100;  // 10 ms
constexpr double SILENCE_DB = -60.0;

std::mutex lock;
std::vector<double> levels;  // dBFS per 10 ms window
double sumSquares = 0;
int inWindow = 0;
std::atomic<bool> finished{false};

void postMix(void*, Uint8* stream, int len) {
    const auto* samples = reinterpret_cast<const int16_t*>(stream);
    const int count = len / 2;
    std::lock_guard<std::mutex> guard(lock);
    for (int i = 0; i + 1 < count; i += 2) {
        double l = samples[i] / 32768.0, r = samples[i + 1] / 32768.0;
        sumSquares += (l * l + r * r) / 2;
        if (++inWindow == WINDOW) {
            double rms = std::sqrt(sumSquares / WINDOW);
            levels.push_back(rms > 0 ? 20 * std::log10(rms) : -200.0);
            sumSquares = 0;
            inWindow = 0;
        }
    }
}

void musicDone() { finished = true; }

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: music_loop_probe SECONDS [mixer|callback]\n");
        return 2;
    }
    const int seconds = std::atoi(argv[1]);
    const bool callback = argc > 2 && std::strcmp(argv[2], "callback") == 0;
    if (SDL_Init(SDL_INIT_AUDIO | SDL_INIT_TIMER) != 0 ||
        Mix_OpenAudio(RATE, AUDIO_S16SYS, 2, 1024) != 0) {
        std::fprintf(stderr, "no audio: %s\n", SDL_GetError());
        return 1;
    }
    Mix_Init(MIX_INIT_MID);
    Mix_Music* music = Mix_LoadMUS("VELNO.MID");
    if (music == nullptr) {
        std::fprintf(stderr, "cannot load VELNO.MID: %s\n", Mix_GetError());
        return 1;
    }
    Mix_SetPostMix(postMix, nullptr);
    Mix_HookMusicFinished(musicDone);
    Mix_PlayMusic(music, callback ? 1 : -1);
    const Uint32 start = SDL_GetTicks();
    while (SDL_GetTicks() - start < static_cast<Uint32>(seconds) * 1000u) {
        if (callback && finished.exchange(false)) {
            std::printf("finished callback at %.2f s; restarting\n", (SDL_GetTicks() - start) / 1000.0);
            Mix_PlayMusic(music, 1);
        }
        SDL_Delay(5);
    }
    Mix_HaltMusic();
    std::lock_guard<std::mutex> guard(lock);
    std::printf("%s loop, %zu windows of 10 ms\n", callback ? "callback" : "mixer", levels.size());
    // Silent stretches after the first sound.
    std::size_t i = 0;
    while (i < levels.size() && levels[i] < SILENCE_DB) ++i;
    std::printf("first sound at %.2f s\n", i / 100.0);
    int reported = 0;
    while (i < levels.size()) {
        if (levels[i] >= SILENCE_DB) {
            ++i;
            continue;
        }
        std::size_t j = i;
        while (j < levels.size() && levels[j] < SILENCE_DB) ++j;
        if (j - i >= 2) {
            std::printf("silence %.2f s to %.2f s (%zu ms)%s\n", i / 100.0, j / 100.0, (j - i) * 10,
                        j == levels.size() ? " until the end of the run" : "");
            ++reported;
        }
        i = j;
    }
    if (reported == 0) std::puts("no silence of 20 ms or more after the first sound");
    if (argc > 3) {
        const double tune = std::atof(argv[3]);
        const int span = 200;  // windows: 2 s
        const int from = static_cast<int>((tune - 0.5) * 100), to = static_cast<int>((tune + 5) * 100);
        double best = 1e300;
        int bestAt = -1;
        for (int o = from; o <= to && o + span <= static_cast<int>(levels.size()); ++o) {
            double d = 0;
            for (int k = 0; k < span; ++k) {
                double a = std::max(levels[static_cast<std::size_t>(k)], -90.0);
                double b = std::max(levels[static_cast<std::size_t>(o + k)], -90.0);
                d += (a - b) * (a - b);
            }
            if (d < best) {
                best = d;
                bestAt = o;
            }
        }
        if (bestAt >= 0) {
            std::printf("tune starts again at %.2f s: %+d ms against its length of %.2f s "
                        "(mean level difference %.2f dB)\n",
                        bestAt / 100.0, static_cast<int>(std::lround(bestAt * 10 - tune * 1000)), tune,
                        std::sqrt(best / span));
        } else {
            std::puts("run too short to see the tune start again");
        }
    }
    Mix_FreeMusic(music);
    Mix_CloseAudio();
    SDL_Quit();
    return 0;
}
