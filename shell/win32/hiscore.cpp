// The high score of each course, kept in an INI file beside the executable.
#include <windows.h>

#include "core/game_state.h"
#include "shell/win32/shell.h"

namespace {

char hiScorePath[SHELL_PATH_SIZE] = {};
const char* const HISCORE_SECTION = "HISCORE";

}  // namespace

void setUpHiScorePath() {
    GetModuleFileNameA(nullptr, hiScorePath, SHELL_PATH_SIZE);
    toHiScorePath(hiScorePath);
}

uint32_t readHiScore(int32_t course) {
    return GetPrivateProfileIntA(HISCORE_SECTION, COURSES[course].hiScoreKey, 0, hiScorePath);
}

void saveHiScore(int32_t course) {
    if (gameState.hiScore < gameState.score) {
        gameState.hiScore = gameState.score;
    }
    char text[16];
    wsprintfA(text, "%u", gameState.hiScore);
    WritePrivateProfileStringA(HISCORE_SECTION, COURSES[course].hiScoreKey, text, hiScorePath);
}
