#include <gtest/gtest.h>
#include <iconv.h>

#include <cstring>
#include <string>

#include "shell/win32/dialog_texts.h"
#include "shell/win32/shell_logic.h"

namespace {

struct Keys {
    uint8_t table[256] = {};
    Keys& hold(int key) {
        table[key] = 0x80;
        return *this;
    }
    // The toggle bit alone (a lock key that is on but not held).
    Keys& toggle(int key) {
        table[key] = 0x01;
        return *this;
    }
};

constexpr JoyReading NONE{false, 0, 0};  // a failed read: the values are garbage
JoyReading stick(uint32_t x, uint32_t buttons = 0) {
    return JoyReading{true, x, buttons};
}

struct InputCase {
    const char* name;
    Keys keys;
    JoyReading joy0;
    JoyReading joy1;
    bool left;
    bool right;
    bool fire;
};

TEST(Win32Input, FoldsKeysAndSticks) {
    const InputCase cases[] = {
        {"nothing", Keys{}, NONE, NONE, false, false, false},
        {"left arrow", Keys{}.hold(KEY_LEFT), NONE, NONE, true, false, false},
        {"right arrow", Keys{}.hold(KEY_RIGHT), NONE, NONE, false, true, false},
        {"both arrows", Keys{}.hold(KEY_LEFT).hold(KEY_RIGHT), NONE, NONE, true, true, false},
        {"space", Keys{}.hold(KEY_SPACE), NONE, NONE, false, false, true},
        {"X", Keys{}.hold(KEY_X), NONE, NONE, false, false, true},
        {"Z", Keys{}.hold(KEY_Z), NONE, NONE, false, false, true},
        {"shift", Keys{}.hold(KEY_SHIFT), NONE, NONE, false, false, true},
        {"ctrl", Keys{}.hold(KEY_CONTROL), NONE, NONE, false, false, true},
        {"other key", Keys{}.hold('A').hold(0x26), NONE, NONE, false, false, false},
        {"toggle bit only", Keys{}.toggle(KEY_LEFT).toggle(KEY_SPACE), NONE, NONE, false, false,
         false},
        {"stick 29999", Keys{}, stick(29999), NONE, true, false, false},
        {"stick 30000", Keys{}, stick(30000), NONE, false, false, false},
        {"stick 34000", Keys{}, stick(34000), NONE, false, false, false},
        {"stick 34001", Keys{}, stick(34001), NONE, false, true, false},
        {"second stick left", Keys{}, NONE, stick(0), true, false, false},
        {"second stick right", Keys{}, stick(32767), stick(65535), false, true, false},
        {"sticks disagree, left wins", Keys{}, stick(65535), stick(0), true, false, false},
        {"sticks disagree, arrow still sets right", Keys{}.hold(KEY_RIGHT), stick(65535),
         stick(0), true, true, false},
        {"button on stick 0", Keys{}, stick(32767, 1), NONE, false, false, true},
        {"any button on stick 1", Keys{}, NONE, stick(32767, 0x8), false, false, true},
        {"failed read ignores its values", Keys{}, JoyReading{false, 0, 0xFF},
         JoyReading{false, 65535, 1}, false, false, false},
    };
    for (const InputCase& c : cases) {
        const InputState input = foldInput(c.keys.table, c.joy0, c.joy1);
        EXPECT_EQ(input.left, c.left) << c.name;
        EXPECT_EQ(input.right, c.right) << c.name;
        EXPECT_EQ(input.fire, c.fire) << c.name;
    }
}

std::string hiScorePathOf(const char* modulePath) {
    char buffer[SHELL_PATH_SIZE];
    std::memset(buffer, 'z', sizeof buffer);  // what lies behind the terminator is not read
    std::memcpy(buffer, modulePath, std::strlen(modulePath) + 1);
    toHiScorePath(buffer);
    return buffer;
}

TEST(Win32HiScorePath, ReplacesTheLastThreeCharacters) {
    EXPECT_EQ(hiScorePathOf("C:\\GAMES\\VELNO.EXE"), "C:\\GAMES\\VELNO.INI");
    EXPECT_EQ(hiScorePathOf("C:\\games\\velno.exe"), "C:\\games\\velno.INI");
    EXPECT_EQ(hiScorePathOf("C:\\A\\PLAY"), "C:\\A\\PINI");  // no extension: still the last three
    EXPECT_EQ(hiScorePathOf("ABCD"), "AINI");
}

TEST(Win32HiScorePath, ShortPathFallsBackToTheCurrentFolder) {
    EXPECT_EQ(hiScorePathOf(""), ".\\VELNO.INI");
    EXPECT_EQ(hiScorePathOf("EXE"), ".\\VELNO.INI");
}

TEST(Win32HiScorePath, PathFillingTheBufferIsTerminated) {
    // The system truncates a too-long path to the buffer without a terminator.
    char buffer[SHELL_PATH_SIZE];
    std::memset(buffer, 'A', sizeof buffer);
    toHiScorePath(buffer);
    const std::string path = buffer;
    ASSERT_EQ(path.size(), static_cast<std::size_t>(SHELL_PATH_SIZE - 1));
    EXPECT_EQ(path.substr(path.size() - 3), "INI");
}

std::string fromShiftJis(const char* text) {
    iconv_t converter = iconv_open("UTF-8", "CP932");
    if (converter == reinterpret_cast<iconv_t>(-1)) {
        return "<no CP932 converter>";
    }
    std::string in = text;
    std::string out(in.size() * 3 + 1, '\0');
    char* inPtr = in.data();
    char* outPtr = out.data();
    std::size_t inLeft = in.size();
    std::size_t outLeft = out.size();
    const std::size_t result = iconv(converter, &inPtr, &inLeft, &outPtr, &outLeft);
    iconv_close(converter);
    if (result == static_cast<std::size_t>(-1)) {
        return "<invalid Shift-JIS>";
    }
    out.resize(out.size() - outLeft);
    return out;
}

TEST(Win32DialogTexts, AreTheStoryAndQuestionsInShiftJis) {
    EXPECT_EQ(fromShiftJis(STORY_TEXT),
              "　時は２０ｘｘ年。\r\n\r\n"
              "　世界的な悪徳企業zuzerid社は、悪徳ダイレクトメールを簡単に大量に送信するための"
              "ソフトウェア「MassPoster API」を開発した。\r\n"
              "　このMassPoster APIによって大量に送信された悪徳ダイレクトメールにより、"
              "インターネットの世界は混乱した。\r\n\r\n"
              "　そこで、悪徳ダイレクトメールを除去し、正しいメールを保護するワクチンソフトウェア"
              "「zavi」が開発された。\r\n"
              "　あなたはワクチンソフトウェア「zavi」となり、インターネットの世界に蔓延する"
              "悪徳ダイレクトメールを除去してください。\r\n\r\n"
              "　同意されますか？");
    EXPECT_EQ(fromShiftJis(QUESTION_CAPTION), "質問");
    EXPECT_EQ(fromShiftJis(QUESTIONS[0]), "えー？　それは本当？");
    EXPECT_EQ(fromShiftJis(QUESTIONS[1]), "本当に本当？");
    EXPECT_EQ(fromShiftJis(QUESTIONS[2]), "本当に本当に本当？");
    EXPECT_EQ(fromShiftJis(REFUSAL_TEXT), "ケチ!!");
    EXPECT_EQ(fromShiftJis(REFUSAL_CAPTION), "回答");
}

}  // namespace
