// Shift-JIS to UTF-8 for the window titles and the dialogs.
#include <gtest/gtest.h>

#include "core/game_state.h"
#include "shell/sdl/sjis.h"

namespace {

TEST(Sjis, CourseCaptionsBecomeTheirTitles) {
    const char* expected[COURSE_COUNT] = {
        "模造MassPoster - ダイヤルアップ",
        "模造MassPoster - ＩＳＤＮ",
        "模造MassPoster - ＡＤＳＬ",
        "模造MassPoster - 光",
    };
    for (int c = 0; c < COURSE_COUNT; ++c) {
        EXPECT_EQ(velno::sjisToUtf8(COURSES[c].caption), expected[c]) << c;
    }
}

TEST(Sjis, CodePage932ExtrasAndBadBytes) {
    // 0x815F is the backslash-like "＼" of code page 932; 0x8794 "∑" is an
    // NEC extension that plain Shift-JIS lacks.
    EXPECT_EQ(velno::sjisToUtf8("\x81\x5F\x87\x94"), "＼∑");
    // A lone lead byte and an unused byte are skipped, the rest kept.
    EXPECT_EQ(velno::sjisToUtf8("a\xA0" "b\x82"), "ab");
    EXPECT_EQ(velno::sjisToUtf8(""), "");
}

}  // namespace
