// The main window: its class, its creation, its messages, and the host
// operations through which the game core invalidates, closes the window and
// reads the clock.
#include <windows.h>
#include <mmsystem.h>

#include "core/game_state.h"
#include "core/host.h"
#include "shell/win32/shell.h"

HINSTANCE appInstance = nullptr;
HWND mainWindow = nullptr;
HDC memoryDC = nullptr;
HPEN blackPen = nullptr;
HFONT bannerFont = nullptr;
HFONT messageFont = nullptr;
HFONT hudFont = nullptr;

namespace {

// The first title, before the course caption replaces it: 模造MassPoster.
const char* const INITIAL_TITLE = "\x96\xCD\x91\xA2MassPoster";

// Face names: ＭＳ ゴシック and ＭＳ Ｐゴシック.
const char* const FACE_GOTHIC = "\x82l\x82r \x83S\x83V\x83" "b\x83N";
const char* const FACE_P_GOTHIC = "\x82l\x82r \x82o\x83S\x83V\x83" "b\x83N";

// Italic, Shift-JIS, TrueType outlines preferred, pitch-and-family 1.
HFONT createGameFont(int height, int weight, bool italic, const char* face) {
    return CreateFontA(height, 0, 0, 0, weight, italic ? TRUE : FALSE, FALSE, FALSE,
                       SHIFTJIS_CHARSET, OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       FIXED_PITCH, face);
}

void onCreate(HWND window) {
    bannerFont = createGameFont(28, FW_BOLD, true, FACE_GOTHIC);
    messageFont = createGameFont(14, FW_BOLD, true, FACE_P_GOTHIC);
    hudFont = createGameFont(12, FW_MEDIUM, false, FACE_P_GOTHIC);
    HDC windowContext = GetDC(window);
    memoryDC = CreateCompatibleDC(windowContext);
    ReleaseDC(window, windowContext);
}

void onDestroy() {
    DeleteDC(memoryDC);
    DeleteObject(bannerFont);
    DeleteObject(messageFont);
    DeleteObject(hudFont);
    memoryDC = nullptr;
    bannerFont = messageFont = hudFont = nullptr;
    mainWindow = nullptr;
    PostQuitMessage(0);
}

}  // namespace

void registerMainClass(HINSTANCE instance) {
    WNDCLASSA windowClass{};
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = mainWindowProc;
    windowClass.cbClsExtra = 0;
    windowClass.cbWndExtra = 0;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(107));
    windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszMenuName = nullptr;
    windowClass.lpszClassName = MAIN_CLASS_NAME;
    RegisterClassA(&windowClass);
}

HWND createMainWindow(HINSTANCE instance, int showState) {
    appInstance = instance;
    HWND window = CreateWindowExA(0, MAIN_CLASS_NAME, INITIAL_TITLE, WS_CAPTION | WS_SYSMENU,
                                  CW_USEDEFAULT, CW_USEDEFAULT, MAIN_WINDOW_WIDTH,
                                  MAIN_WINDOW_HEIGHT, nullptr, nullptr, instance, nullptr);
    if (window == nullptr) {
        return nullptr;
    }
    mainWindow = window;
    ShowWindow(window, showState);
    UpdateWindow(window);
    return window;
}

LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        // The host operations may run from the first paint on, which comes
        // before CreateWindowExA returns.
        mainWindow = window;
        onCreate(window);
        return 0;
    case WM_DESTROY:
        onDestroy();
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC paintContext = BeginPaint(window, &paint);
        paintMainWindow(paintContext);
        EndPaint(window, &paint);
        return 0;
    }
    case WM_TIMER:
        tickGame(static_cast<unsigned>(wParam));
        return 0;
    case MM_MCINOTIFY:
        loopMusic(window, wParam);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

void invalidateArea(int32_t left, int32_t top, int32_t right, int32_t bottom) {
    if (mainWindow == nullptr) {
        return;  // after the window's destruction nothing is left to repaint
    }
    const RECT area{left, top, right, bottom};
    InvalidateRect(mainWindow, &area, TRUE);
}

void invalidateAll() {
    if (mainWindow == nullptr) {
        return;
    }
    InvalidateRect(mainWindow, nullptr, TRUE);
}

void closeMainWindow() {
    if (mainWindow != nullptr) {
        DestroyWindow(mainWindow);
    }
}

bool isMainWindowForeground() {
    return mainWindow != nullptr && GetForegroundWindow() == mainWindow;
}

uint32_t currentTimeMs() {
    return timeGetTime();
}
