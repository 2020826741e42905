#include "core/game_state.h"

GameState gameState;

const CourseInfo COURSES[COURSE_COUNT] = {
    // 模造MassPoster - ダイヤルアップ
    {"\x96\xCD\x91\xA2MassPoster - \x83_\x83" "C\x83\x84\x83\x8B\x83" "A\x83" "b\x83v", "DIALUP"},
    // 模造MassPoster - ＩＳＤＮ
    {"\x96\xCD\x91\xA2MassPoster - \x82h\x82r\x82" "c\x82m", "ISDN"},
    // 模造MassPoster - ＡＤＳＬ
    {"\x96\xCD\x91\xA2MassPoster - \x82`\x82" "c\x82r\x82k", "ADSL"},
    // 模造MassPoster - 光
    {"\x96\xCD\x91\xA2MassPoster - \x8C\xF5", "HIKARI"},
};
