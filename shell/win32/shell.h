// The Windows shell of velno: the handles it owns and the steps that
// WinMain strings together. Everything runs on the one thread of the
// message loop.
#pragma once

#include <windows.h>

#include <cstdint>

#include "shell/win32/shell_logic.h"

// Resource numbers of the dialogs and of the intro dialog's story box.
constexpr int DIALOG_INTRO = 129;
constexpr int DIALOG_COURSE = 146;
constexpr int CONTROL_STORY = 1000;
constexpr int CONTROL_COURSE_DIALUP = 1001;
constexpr int CONTROL_COURSE_ISDN = 1002;
constexpr int CONTROL_COURSE_ADSL = 1003;
constexpr int CONTROL_COURSE_HIKARI = 1004;

// The main window's class name, outer size and first title.
constexpr const char* MAIN_CLASS_NAME = "VELNO";
constexpr int MAIN_WINDOW_WIDTH = 620;
constexpr int MAIN_WINDOW_HEIGHT = 440;

// The module instance, stored when the main window is created.
extern HINSTANCE appInstance;
// The main window while it exists, else null.
extern HWND mainWindow;

// Drawing resources. The window owns the memory context and the fonts, from
// its creation to its destruction; WinMain takes the pen and the pictures.
extern HDC memoryDC;
extern HPEN blackPen;
extern HFONT bannerFont;
extern HFONT messageFont;
extern HFONT hudFont;

// Main window (window.cpp).
void registerMainClass(HINSTANCE instance);
HWND createMainWindow(HINSTANCE instance, int showState);
LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Pictures (pictures.cpp): loaded shared, never freed.
void loadPicture(HINSTANCE instance, int number);
void loadGamePictures(HINSTANCE instance);
void paintMainWindow(HDC paintContext);

// Dialogs (dialogs.cpp).
INT_PTR CALLBACK introDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK courseDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Music and effects (audio.cpp).
void startMusic(HWND window);
void loopMusic(HWND window, WPARAM notifyCode);
void stopMusic();
void stopEffects();

// High-score file (hiscore.cpp).
void setUpHiScorePath();
uint32_t readHiScore(int32_t course);
void saveHiScore(int32_t course);
