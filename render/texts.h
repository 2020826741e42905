// The texts a frame draws, as Shift-JIS (code page 932) byte strings.
#pragma once

// "ＲＥＡＤＹ"
inline constexpr char TEXT_READY[] = "\x82q\x82" "d\x82`\x82" "c\x82x";
// "ＧＯ！"
inline constexpr char TEXT_GO[] = "\x82" "f\x82n\x81I";
// "誤爆!!"
inline constexpr char TEXT_MISFIRE[] = "\x8C\xEB\x94\x9A!!";
// "ＧＡＭＥＯＶＥＲ！！"
inline constexpr char TEXT_GAMEOVER[] =
    "\x82" "f\x82`\x82l\x82" "d\x82n\x82u\x82" "d\x82q\x81I\x81I";
inline constexpr char TEXT_DELIVERED[] = "You've Got Mail!";
// Life markers "●" and "○".
inline constexpr char TEXT_LIFE_ON[] = "\x81\x9C";
inline constexpr char TEXT_LIFE_OFF[] = "\x81\x9B";
inline constexpr char SCORE_LINE_FORMAT[] = "HI-SCORE: %07u  SCORE: %07u  LIFE: %s%s%s%s%s";

// Byte length of a text literal, without its terminator.
template <unsigned N>
constexpr int textLength(const char (&)[N]) {
    return static_cast<int>(N - 1);
}
