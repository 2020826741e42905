// velno on Linux: the process entry, the game window and its message loop,
// and the host operations that the game core calls.
//
// Start-up runs in the order the game relies on: the high-score path, the
// intro and course dialogs, the window with its first paint (banner only),
// the course caption, the new-game settings with the random source seeded
// just before the rungs are laid, the stored high score, the READY phase, the
// 36 ms timer and the music. Shutdown stops the timer, the music and the
// effects and then saves the high score, whichever way the window closed.
#include <SDL.h>
#include <SDL_image.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>

#include "core/game_state.h"
#include "core/host.h"
#include "render/canvas.h"
#include "render/catalogue.h"
#include "shell/common/bot.h"
#include "shell/common/replay.h"
#include "shell/sdl/audio.h"
#include "shell/sdl/dialogs.h"
#include "shell/sdl/hiscore_file.h"
#include "shell/sdl/input_fold.h"
#include "shell/sdl/options.h"
#include "shell/sdl/sdl_input.h"
#include "shell/sdl/quiet_stderr.h"
#include "shell/sdl/sjis.h"

namespace {

// The window's first title, before the course caption replaces it.
const char* const INITIAL_TITLE = "\x96\xCD\x91\xA2MassPoster";  // 模造MassPoster

SDL_Window* gameWindow = nullptr;
SDL_Renderer* renderer = nullptr;
SDL_Texture* frameTexture = nullptr;
SoftwareCanvas* canvas = nullptr;
bool windowClosed = false;
bool demoMode = false;
// Playing a recorded game back: its input replaces the player's.
bool replayMode = false;
Replay replay;
std::size_t replayRun = 0;
long long replayRunUsed = 0;
// The input of every processed tick of a played game, kept as a replay.
std::vector<InputRun> recordedRuns;
uint64_t sampledTicks = 0;
velno::Joysticks joysticks;
bool reportTiming = false;
// Processed ticks, for the timing report.
uint32_t processedTicks = 0;
uint32_t firstTickMs = 0;
uint32_t lastTickMs = 0;

// The largest whole factor whose window fits in 3/4 of the desktop.
int defaultScale() {
    SDL_DisplayMode mode;
    if (SDL_GetDesktopDisplayMode(0, &mode) != 0) return 1;
    int byWidth = mode.w * 3 / 4 / CLIENT_WIDTH;
    int byHeight = mode.h * 3 / 4 / CLIENT_HEIGHT;
    int scale = byWidth < byHeight ? byWidth : byHeight;
    return scale < 1 ? 1 : scale;
}

bool isSet(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && value[0] != '\0';
}

// Starts SDL's video on a real display. SDL would otherwise settle for its
// invisible "offscreen" driver and wait for input that can never come.
bool openDisplay() {
    const bool driverChosen = isSet("SDL_VIDEODRIVER");
    if (!driverChosen && !isSet("DISPLAY") && !isSet("WAYLAND_DISPLAY")) {
        std::fputs("velno: cannot open a display: neither DISPLAY nor WAYLAND_DISPLAY is set\n",
                   stderr);
        return false;
    }
    // Closing a window is the window's own business (the intro's close box
    // asks the questions); only a signal or the session ending means quit.
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    if (velno::quietly([] { return SDL_Init(SDL_INIT_VIDEO | SDL_INIT_TIMER); }) != 0) {
        std::fprintf(stderr, "velno: cannot open a display: %s\n", SDL_GetError());
        return false;
    }
    const std::string driver = SDL_GetCurrentVideoDriver();
    if (driver == "x11") {
        // Software-drawn windows (the dialogs, and the game where GL runs on
        // the processor) go to X directly; SDL would otherwise pass them
        // through GL, which costs a great deal where GL is itself software.
        SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    }
    if (!driverChosen && (driver == "offscreen" || driver == "dummy")) {
        if (isSet("DISPLAY")) {
            std::fprintf(stderr, "velno: cannot open a display: cannot connect to X display %s\n",
                         std::getenv("DISPLAY"));
        } else {
            std::fprintf(stderr, "velno: cannot open a display: cannot connect to Wayland display %s\n",
                         std::getenv("WAYLAND_DISPLAY"));
        }
        SDL_Quit();
        return false;
    }
    return true;
}

uint64_t wallClockMs() {
    timespec ts;
    clock_gettime(CLOCK_REALTIME, &ts);
    return static_cast<uint64_t>(ts.tv_sec) * 1000u + static_cast<uint64_t>(ts.tv_nsec) / 1000000u;
}

// Shows the canvas: the frame scaled by a whole factor, letterboxed in black.
void present() {
    if (windowClosed || renderer == nullptr) return;
    SDL_UpdateTexture(frameTexture, nullptr, canvas->pixels(), CLIENT_WIDTH * 4);
    SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
    SDL_RenderClear(renderer);
    SDL_RenderCopy(renderer, frameTexture, nullptr, nullptr);
    SDL_RenderPresent(renderer);
}

void paintIfDamaged() {
    if (windowClosed || !canvas->hasDamage()) return;
    canvas->paint();
    present();
}

// The window icon: the embedded icon file, or else the bad-mail envelope on
// a transparent square.
void setWindowIcon() {
    ResourceData data{};
    if (findResource(ResourceType::Icon, ICON_MAIN, data)) {
        SDL_RWops* rw = SDL_RWFromConstMem(data.data, static_cast<int>(data.size));
        SDL_Surface* icon = rw != nullptr ? IMG_LoadICO_RW(rw) : nullptr;
        if (rw != nullptr) SDL_RWclose(rw);
        if (icon != nullptr) {
            SDL_SetWindowIcon(gameWindow, icon);
            SDL_FreeSurface(icon);
            return;
        }
    }
    const Picture* envelope = canvas->pictures().find(BMP_MAIL_PURPLE);
    if (envelope == nullptr || envelope->width > 32 || envelope->height > 32) return;
    SDL_Surface* icon = SDL_CreateRGBSurfaceWithFormat(0, 32, 32, 32, SDL_PIXELFORMAT_ARGB8888);
    if (icon == nullptr) return;
    SDL_FillRect(icon, nullptr, 0);
    const int left = (32 - envelope->width) / 2, top = 32 - envelope->height - 4;
    for (int y = 0; y < envelope->height; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(icon->pixels) +
                                                (top + y) * icon->pitch);
        for (int x = 0; x < envelope->width; ++x) {
            row[left + x] = 0xFF000000u | envelope->pixels[static_cast<std::size_t>(y * envelope->width + x)];
        }
    }
    SDL_SetWindowIcon(gameWindow, icon);
    SDL_FreeSurface(icon);
}

// True when the renderer is OpenGL drawn by the processor (Mesa's llvmpipe
// and the like, as on a virtual X server).
bool isSoftwareOpenGl(SDL_Renderer* r) {
    SDL_RendererInfo info;
    if (SDL_GetRendererInfo(r, &info) != 0 || std::strncmp(info.name, "opengl", 6) != 0) return false;
    using GetString = const unsigned char* (*)(unsigned int);
    auto getString = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
    if (getString == nullptr) return false;
    const unsigned char* name = getString(0x1F01);  // GL_RENDERER
    if (name == nullptr) return false;
    const std::string renderer = reinterpret_cast<const char*>(name);
    return renderer.find("llvmpipe") != std::string::npos ||
           renderer.find("softpipe") != std::string::npos ||
           renderer.find("Software Rasterizer") != std::string::npos;
}

bool createGameWindow(int scale) {
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");
    gameWindow = SDL_CreateWindow(velno::sjisToUtf8(INITIAL_TITLE).c_str(), SDL_WINDOWPOS_CENTERED,
                                  SDL_WINDOWPOS_CENTERED, CLIENT_WIDTH * scale,
                                  CLIENT_HEIGHT * scale, SDL_WINDOW_HIDDEN);
    if (gameWindow == nullptr) return false;
    renderer = SDL_CreateRenderer(gameWindow, -1, 0);
    if (renderer != nullptr && isSoftwareOpenGl(renderer)) {
        // A GL renderer that draws on the processor costs far more than SDL's
        // own software renderer for one scaled picture per frame.
        SDL_DestroyRenderer(renderer);
        renderer = nullptr;
    }
    if (renderer == nullptr) renderer = SDL_CreateRenderer(gameWindow, -1, SDL_RENDERER_SOFTWARE);
    if (renderer == nullptr) return false;
    SDL_RenderSetLogicalSize(renderer, CLIENT_WIDTH, CLIENT_HEIGHT);
    SDL_RenderSetIntegerScale(renderer, SDL_TRUE);
    frameTexture = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING,
                                     CLIENT_WIDTH, CLIENT_HEIGHT);
    if (frameTexture == nullptr) return false;
    setWindowIcon();
    SDL_ShowWindow(gameWindow);
    SDL_RaiseWindow(gameWindow);
    // Without a window manager nothing else gives the new window the keyboard.
    SDL_SetWindowInputFocus(gameWindow);
    return true;
}

// True for the keys the game reads; in the demo every other key ends it.
bool isControlKey(SDL_Keycode key) {
    switch (key) {
        case SDLK_LEFT: case SDLK_RIGHT: case SDLK_SPACE: case SDLK_x: case SDLK_z:
        case SDLK_LSHIFT: case SDLK_RSHIFT: case SDLK_LCTRL: case SDLK_RCTRL:
        case SDLK_LALT: case SDLK_RALT:
            return true;
        default:
            return false;
    }
}

void toggleFullscreen() {
    const bool full = (SDL_GetWindowFlags(gameWindow) & SDL_WINDOW_FULLSCREEN_DESKTOP) != 0;
    SDL_SetWindowFullscreen(gameWindow, full ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP);
    present();
}

// The game timer. Each timer message comes 36 ms after the last tick the
// game processed, which is the soonest its time gate takes one, so no tick is
// lost to the jitter of waking up; while a message is ignored (the window is
// not in front) the next comes 36 ms later, as from a periodic timer. The
// loop sleeps in SDL_WaitEventTimeout until the next message is due.
void timerMessage(uint32_t& nextTick) {
    const uint32_t before = gameState.lastTickTime;
    tickGame(GAME_TIMER_ID);
    if (replayMode && sampledTicks >= replay.ticks) {
        // The recording ends here: with the game over or the window closed.
        closeMainWindow();
    }
    if (gameState.lastTickTime != before) {
        if (processedTicks++ == 0) firstTickMs = gameState.lastTickTime;
        lastTickMs = gameState.lastTickTime;
        nextTick = gameState.lastTickTime + TICK_PERIOD_MS;
    } else {
        nextTick = currentTimeMs() + TICK_PERIOD_MS;
    }
    paintIfDamaged();
}

void runMessageLoop() {
    uint32_t nextTick = currentTimeMs() + TICK_PERIOD_MS;
    SDL_Event e;
    while (!windowClosed) {
        const auto wait = static_cast<int32_t>(nextTick - currentTimeMs());
        const bool got = wait > 0 ? SDL_WaitEventTimeout(&e, wait) != 0 : SDL_PollEvent(&e) != 0;
        if (!got) {
            if (static_cast<int32_t>(currentTimeMs() - nextTick) >= 0) timerMessage(nextTick);
            continue;
        }
        switch (e.type) {
            case SDL_QUIT:
                closeMainWindow();
                break;
            case SDL_WINDOWEVENT:
                if (e.window.event == SDL_WINDOWEVENT_CLOSE) {
                    closeMainWindow();
                } else if (e.window.event == SDL_WINDOWEVENT_EXPOSED ||
                           e.window.event == SDL_WINDOWEVENT_SIZE_CHANGED) {
                    present();
                }
                break;
            case SDL_KEYDOWN: {
                const SDL_Keycode key = e.key.keysym.sym;
                const bool alt = (e.key.keysym.mod & KMOD_ALT) != 0;
                if (alt && (key == SDLK_RETURN || key == SDLK_KP_ENTER)) {
                    if (!e.key.repeat) toggleFullscreen();
                } else if (alt && key == SDLK_F4) {
                    closeMainWindow();
                } else if (demoMode && !isControlKey(key)) {
                    closeMainWindow();
                } else if (replayMode && key == SDLK_ESCAPE) {
                    closeMainWindow();
                }
                break;
            }
            case SDL_JOYDEVICEADDED:
            case SDL_JOYDEVICEREMOVED:
                joysticks.reopen();
                break;
            default:
                break;
        }
        // A stream of other events must not hold the timer back.
        if (!windowClosed && static_cast<int32_t>(currentTimeMs() - nextTick) >= 0) {
            timerMessage(nextTick);
        }
    }
}

// Keeps the game just played as the latest of its course, and as the best
// when it set the high score, in the replays folder beside the high scores.
void keepReplays(const std::string& iniPath, int course, uint32_t seed, uint32_t storedHiScore) {
    Replay played;
    played.course = course;
    played.seed = seed;
    played.hiScore = storedHiScore;
    played.runs = std::move(recordedRuns);
    played.ticks = sampledTicks;
    played.score = gameState.score;
    played.lives = gameState.lives;
    const std::size_t slash = iniPath.rfind('/');
    const std::string folder =
        (slash == std::string::npos ? std::string(".") : iniPath.substr(0, slash)) + "/replays";
    std::string error;
    if (!keepGameReplays(folder, played, error)) {
        std::fprintf(stderr, "velno: the replay of this game was not kept: %s\n", error.c_str());
    }
}

}  // namespace

// ---- Host operations of the game core ------------------------------------

void invalidateArea(int32_t left, int32_t top, int32_t right, int32_t bottom) {
    if (!windowClosed && canvas != nullptr) canvas->invalidate(left, top, right, bottom);
}

void invalidateAll() {
    if (!windowClosed && canvas != nullptr) canvas->invalidateAll();
}

void closeMainWindow() {
    if (windowClosed) return;
    windowClosed = true;
    if (frameTexture != nullptr) SDL_DestroyTexture(frameTexture);
    if (renderer != nullptr) SDL_DestroyRenderer(renderer);
    if (gameWindow != nullptr) SDL_DestroyWindow(gameWindow);
    frameTexture = nullptr;
    renderer = nullptr;
    gameWindow = nullptr;
}

bool isMainWindowForeground() {
    return !windowClosed && gameWindow != nullptr &&
           (SDL_GetWindowFlags(gameWindow) & SDL_WINDOW_INPUT_FOCUS) != 0;
}

uint32_t currentTimeMs() {
    return SDL_GetTicks();
}

InputState sampleInput() {
    ++sampledTicks;
    if (demoMode) return botInput(gameState);
    if (replayMode) {
        while (replayRun < replay.runs.size() && replayRunUsed >= replay.runs[replayRun].count) {
            ++replayRun;
            replayRunUsed = 0;
        }
        if (replayRun == replay.runs.size()) return InputState{};
        ++replayRunUsed;
        return replay.runs[replayRun].input;
    }
    int count = 0;
    const Uint8* state = SDL_GetKeyboardState(&count);
    const velno::HeldKeys keys = velno::heldKeysFrom(state, count);
    const InputState input = velno::foldInput(keys, joysticks.read(0), joysticks.read(1));
    appendInput(recordedRuns, input);
    return input;
}

// ---- Entry ---------------------------------------------------------------

int main(int argc, char** argv) {
    const uint64_t startMs = wallClockMs();
    velno::Options options;
    int exitCode = 0;
    if (!velno::parseOptions(argc, argv, options, exitCode)) return exitCode;
    demoMode = options.demo;
    replayMode = !options.replay.empty();
    if (replayMode) {
        std::string error;
        if (!readReplayFile(options.replay, replay, error)) {
            std::fprintf(stderr, "velno: %s\n", error.c_str());
            return 2;
        }
    }
    const char* timing = std::getenv("VELNO_TIMING");
    reportTiming = timing != nullptr && timing[0] == '1';

    if (!openDisplay()) return 1;
    if (SDL_InitSubSystem(SDL_INIT_JOYSTICK) != 0) {
        std::fprintf(stderr, "velno: no joysticks (%s); keyboard only\n", SDL_GetError());
    }
    const int scale = options.scale > 0 ? options.scale : defaultScale();

    // The high-score file's place.
    const std::string iniPath = velno::hiScoreFilePath();

    int course = replayMode ? replay.course : options.course;
    if (!demoMode && !replayMode) {
        velno::DialogUi ui;
        std::string error;
        if (!ui.init(scale, error)) {
            std::fprintf(stderr, "velno: %s; the dialogs show no text\n", error.c_str());
        }
        const int agreed = velno::runIntroDialog(ui);
        if (agreed == 1) {
            course = velno::runCourseDialog(ui);
        } else {
            course = agreed == velno::DIALOG_FAILED ? velno::DIALOG_FAILED : -1;
        }
        if (agreed == velno::DIALOG_FAILED || course == velno::DIALOG_FAILED) {
            std::fprintf(stderr, "velno: cannot show the dialog window: %s\n", SDL_GetError());
            SDL_Quit();
            return 1;
        }
        if (course < 0) {
            // Refused, cancelled or asked to quit: no game, no file.
            SDL_Quit();
            return 0;
        }
    }

    const uint64_t sdlReadyMs = wallClockMs();
    // Pictures and fonts of the frame.
    static SoftwareCanvas frameCanvas;
    canvas = &frameCanvas;
    {
        std::string error;
        if (!frameCanvas.init(error)) {
            while (!error.empty() && (error.back() == ' ' || error.back() == ';')) error.pop_back();
            std::fprintf(stderr, "velno: %s\n", error.c_str());
        }
    }

    const uint64_t canvasReadyMs = wallClockMs();
    setCourse(course);
    setStartingLives();
    if (!createGameWindow(scale)) {
        std::fprintf(stderr, "velno: cannot create the game window: %s\n", SDL_GetError());
        SDL_Quit();
        return 1;
    }
    // The first paint: the game is not set up yet, so only the banner shows.
    frameCanvas.invalidateAll();
    paintIfDamaged();
    if (reportTiming) {
        const uint64_t now = wallClockMs();
        std::fprintf(stderr,
                     "velno: first frame at %llu, %llu ms after main (SDL and dialogs %llu ms, "
                     "pictures and fonts %llu ms, window and first paint %llu ms)\n",
                     static_cast<unsigned long long>(now),
                     static_cast<unsigned long long>(now - startMs),
                     static_cast<unsigned long long>(sdlReadyMs - startMs),
                     static_cast<unsigned long long>(canvasReadyMs - sdlReadyMs),
                     static_cast<unsigned long long>(now - canvasReadyMs));
    }
    SDL_SetWindowTitle(gameWindow, velno::sjisToUtf8(COURSES[course].caption).c_str());
    setSpawnTimers();
    const uint32_t seed = replayMode ? replay.seed : SDL_GetTicks();
    randomSeed(seed);
    layOutRungs();
    if (replayMode) {
        gameState.hiScore = replay.hiScore;
    } else {
        gameState.hiScore = demoMode ? 0 : velno::loadHiScore(iniPath, COURSES[course].hiScoreKey);
    }
    const uint32_t storedHiScore = gameState.hiScore;
    recordedRuns.reserve(4096);
    enterReadyPhase();

    joysticks.reopen();
    velno::openAudio();
    velno::startMusic();

    runMessageLoop();
    if (reportTiming && processedTicks > 1) {
        std::fprintf(stderr, "velno: %u ticks processed, mean period %.2f ms\n", processedTicks,
                     static_cast<double>(lastTickMs - firstTickMs) / (processedTicks - 1));
    }

    velno::stopMusic();
    velno::stopEffects();
    if (!demoMode && !replayMode) {
        if (gameState.hiScore < gameState.score) gameState.hiScore = gameState.score;
        velno::saveHiScore(iniPath, COURSES[course].hiScoreKey, gameState.hiScore);
        keepReplays(iniPath, course, seed, storedHiScore);
    }
    if (replayMode && sampledTicks >= replay.ticks) {
        const std::string difference =
            compareWithFooter(replay, sampledTicks, gameState.score, gameState.lives);
        if (!difference.empty()) {
            std::fprintf(stderr, "velno: %s: the playback differs from the recording: %s\n",
                         options.replay.c_str(), difference.c_str());
        }
    }
    velno::closeAudio();
    joysticks.close();
    SDL_Quit();
    return 0;
}
