// Background music through the media control interface, and the sound
// effects from the executable's "WAVE" resources. No result is examined: the
// game runs silent without a MIDI file or a sound device.
#include <windows.h>
#include <mmsystem.h>

#include "core/host.h"
#include "shell/win32/shell.h"

void startMusic(HWND window) {
    mciSendStringA("open VELNO.MID", nullptr, 0, nullptr);
    mciSendStringA("play VELNO.MID notify", nullptr, 0, window);
}

void loopMusic(HWND window, WPARAM notifyCode) {
    // Only a play that ran to its end restarts; aborted, superseded or failed
    // plays leave the music stopped.
    if (notifyCode != MCI_NOTIFY_SUCCESSFUL) {
        return;
    }
    mciSendStringA("seek VELNO.MID to start", nullptr, 0, nullptr);
    mciSendStringA("play VELNO.MID notify", nullptr, 0, window);
}

void stopMusic() {
    mciSendStringA("stop VELNO.MID", nullptr, 0, nullptr);
    mciSendStringA("close VELNO.MID", nullptr, 0, nullptr);
}

void stopEffects() {
    PlaySoundA(nullptr, nullptr, 0);
}

void playEffect(int number, bool noStop) {
    DWORD flags = SND_RESOURCE | SND_ASYNC | SND_NOWAIT;
    if (noStop) {
        flags |= SND_NOSTOP;
    }
    PlaySoundA(MAKEINTRESOURCEA(number), appInstance, flags);
}
