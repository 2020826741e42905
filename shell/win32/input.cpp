// Polling the keyboard and the two joysticks once per processed tick.
#include <windows.h>
#include <mmsystem.h>

#include "core/host.h"
#include "shell/win32/shell.h"

namespace {

JoyReading readJoystick(UINT id) {
    JOYINFO info{};
    if (joyGetPos(id, &info) != JOYERR_NOERROR) {
        return JoyReading{false, 0, 0};
    }
    return JoyReading{true, info.wXpos, info.wButtons};
}

}  // namespace

InputState sampleInput() {
    // A failed keyboard read leaves the table as it is: no key held.
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    const JoyReading joy0 = readJoystick(JOYSTICKID1);
    const JoyReading joy1 = readJoystick(JOYSTICKID2);
    return foldInput(keys, joy0, joy1);
}
