// The process entry: the dialogs, the window, the new game, the timer and
// the music, the message loop, then the shutdown that saves the high score.
#include <windows.h>
#include <mmsystem.h>

#include "core/game_state.h"
#include "shell/win32/shell.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    registerMainClass(instance);
    setUpHiScorePath();

    // Refusing the story or cancelling the course ends the process before
    // any window, timer, music or file of the game exists.
    if (DialogBoxParamA(instance, MAKEINTRESOURCEA(DIALOG_INTRO), nullptr, introDialogProc, 0) ==
        IDCANCEL) {
        return 0;
    }
    const INT_PTR course =
        DialogBoxParamA(instance, MAKEINTRESOURCEA(DIALOG_COURSE), nullptr, courseDialogProc, 0);
    if (course == -1) {
        return 0;
    }
    setCourse(static_cast<int32_t>(course));

    loadPicture(instance, 147);  // the banner, which the first paint draws
    blackPen = static_cast<HPEN>(GetStockObject(BLACK_PEN));
    setStartingLives();

    HWND window = createMainWindow(instance, SW_SHOWNORMAL);
    if (window == nullptr) {
        return 0;
    }
    SetWindowTextA(window, COURSES[gameState.course].caption);
    setSpawnTimers();
    loadGamePictures(instance);
    randomSeed(GetTickCount());
    layOutRungs();
    gameState.hiScore = readHiScore(gameState.course);
    enterReadyPhase();
    SetTimer(window, GAME_TIMER_ID, TICK_PERIOD_MS, nullptr);
    startMusic(window);
    timeBeginPeriod(1);

    MSG message{};
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }

    // The window is gone by now; its handle is only a key for the timer.
    timeEndPeriod(1);
    KillTimer(window, GAME_TIMER_ID);
    stopMusic();
    stopEffects();
    saveHiScore(gameState.course);
    return static_cast<int>(message.wParam);
}
