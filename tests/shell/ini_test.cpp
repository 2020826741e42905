// The INI reader and writer on a table of awkward files.
#include <gtest/gtest.h>

#include <string>

#include "shell/sdl/ini.h"

namespace {

using velno::ini::parseProfileInt;
using velno::ini::readProfileInt;
using velno::ini::writeProfileString;

struct ReadCase {
    const char* name;
    const char* text;
    const char* key;
    uint32_t expected;
};

class IniRead : public ::testing::TestWithParam<ReadCase> {};

TEST_P(IniRead, GivesTheStoredValue) {
    const ReadCase& c = GetParam();
    EXPECT_EQ(readProfileInt(c.text, "HISCORE", c.key, 0), c.expected) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    TrickyFiles, IniRead,
    ::testing::Values(
        ReadCase{"empty", "", "DIALUP", 0},
        ReadCase{"plain", "[HISCORE]\nDIALUP=360\nISDN=120\n", "ISDN", 120},
        ReadCase{"crlf", "[HISCORE]\r\nDIALUP=360\r\nADSL=7\r\n", "ADSL", 7},
        ReadCase{"no final newline", "[HISCORE]\nHIKARI=130", "HIKARI", 130},
        ReadCase{"key missing", "[HISCORE]\nDIALUP=360\n", "ADSL", 0},
        ReadCase{"key in another section",
                 "[OTHER]\nDIALUP=99\n[HISCORE]\nISDN=1\n", "DIALUP", 0},
        ReadCase{"other sections around", "[A]\nX=1\n[HISCORE]\nDIALUP=5\n[B]\nDIALUP=6\n",
                 "DIALUP", 5},
        ReadCase{"names in other case", "[hiscore]\ndialup=42\n", "DIALUP", 42},
        ReadCase{"blanks around names and value", "  [HISCORE]  \n\t DIALUP \t=   77  \n",
                 "DIALUP", 77},
        ReadCase{"comment lines", "; saved by velno\n[HISCORE]\n;DIALUP=9\nDIALUP=3\n", "DIALUP",
                 3},
        ReadCase{"duplicate key: first wins", "[HISCORE]\nDIALUP=1\nDIALUP=2\n", "DIALUP", 1},
        ReadCase{"duplicate section: first wins",
                 "[HISCORE]\nISDN=1\n[HISCORE]\nDIALUP=2\n", "DIALUP", 0},
        ReadCase{"garbage value", "[HISCORE]\nDIALUP=abc\n", "DIALUP", 0},
        ReadCase{"digits then garbage", "[HISCORE]\nDIALUP=12abc34\n", "DIALUP", 12},
        ReadCase{"empty value", "[HISCORE]\nDIALUP=\n", "DIALUP", 0},
        ReadCase{"no equals sign", "[HISCORE]\nDIALUP\n", "DIALUP", 0},
        ReadCase{"quoted value", "[HISCORE]\nDIALUP=\"250\"\n", "DIALUP", 250},
        ReadCase{"largest value", "[HISCORE]\nDIALUP=4294967295\n", "DIALUP", 4294967295u},
        ReadCase{"huge value wraps", "[HISCORE]\nDIALUP=4294967296\n", "DIALUP", 0},
        ReadCase{"huge value wraps further", "[HISCORE]\nDIALUP=99999999999\n", "DIALUP",
                 static_cast<uint32_t>(99999999999ull % 4294967296ull)},
        ReadCase{"negative wraps", "[HISCORE]\nDIALUP=-1\n", "DIALUP", 4294967295u},
        ReadCase{"byte-order mark", "\xEF\xBB\xBF[HISCORE]\nDIALUP=8\n", "DIALUP", 8},
        ReadCase{"binary junk", "\x01\x02[\xFF]=\x7F\n[HISCORE]\n\x80\xFF\nDIALUP=4\n", "DIALUP", 4},
        ReadCase{"unterminated header is no section", "[HISCORE\nDIALUP=4\n", "DIALUP", 0}),
    [](const auto& info) {
        std::string name = info.param.name;
        for (char& c : name) {
            if (!isalnum(static_cast<unsigned char>(c))) c = '_';
        }
        return name;
    });

TEST(IniParseInt, FollowsTheWindowsIntegerReading) {
    EXPECT_EQ(parseProfileInt("  +15"), 15u);
    EXPECT_EQ(parseProfileInt("\t-0"), 0u);
    EXPECT_EQ(parseProfileInt("- 5"), 0u);  // the sign must touch the digits
    EXPECT_EQ(parseProfileInt("0x10"), 0u);  // decimal only
    EXPECT_EQ(parseProfileInt("007"), 7u);
    EXPECT_EQ(parseProfileInt(""), 0u);
}

struct WriteCase {
    const char* name;
    const char* before;
    const char* key;
    const char* value;
    const char* after;
};

class IniWrite : public ::testing::TestWithParam<WriteCase> {};

TEST_P(IniWrite, RewritesOnlyThatKey) {
    const WriteCase& c = GetParam();
    EXPECT_EQ(writeProfileString(c.before, "HISCORE", c.key, c.value), c.after) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    TrickyFiles, IniWrite,
    ::testing::Values(
        WriteCase{"new file", "", "DIALUP", "360", "[HISCORE]\nDIALUP=360\n"},
        WriteCase{"replace keeps the rest",
                  "; mine\n[HISCORE]\nDIALUP=1\nISDN=2\n\n[OTHER]\nK=v\n", "DIALUP", "360",
                  "; mine\n[HISCORE]\nDIALUP=360\nISDN=2\n\n[OTHER]\nK=v\n"},
        WriteCase{"crlf kept", "[HISCORE]\r\nDIALUP=1\r\nISDN=2\r\n", "ISDN", "9",
                  "[HISCORE]\r\nDIALUP=1\r\nISDN=9\r\n"},
        WriteCase{"spelling and indent kept", "[hiscore]\n  dialup = 1 ; old\n", "DIALUP", "5",
                  "[hiscore]\n  dialup=5\n"},
        WriteCase{"added after the section's last key",
                  "[HISCORE]\nDIALUP=1\n\n[OTHER]\nADSL=3\n", "ADSL", "4",
                  "[HISCORE]\nDIALUP=1\nADSL=4\n\n[OTHER]\nADSL=3\n"},
        WriteCase{"added to an empty section", "[HISCORE]\n[X]\n", "ISDN", "1",
                  "[HISCORE]\nISDN=1\n[X]\n"},
        WriteCase{"added after a last line without ending", "[HISCORE]\nDIALUP=1", "ISDN", "2",
                  "[HISCORE]\nDIALUP=1\nISDN=2\n"},
        WriteCase{"section appended with the file's line ending", "[A]\r\nX=1", "HIKARI", "7",
                  "[A]\r\nX=1\r\n[HISCORE]\r\nHIKARI=7\r\n"},
        WriteCase{"only the first duplicate changes", "[HISCORE]\nDIALUP=1\nDIALUP=2\n",
                  "DIALUP", "3", "[HISCORE]\nDIALUP=3\nDIALUP=2\n"},
        WriteCase{"first duplicate section gets the new key",
                  "[HISCORE]\nISDN=1\n[HISCORE]\nADSL=2\n", "ADSL", "5",
                  "[HISCORE]\nISDN=1\nADSL=5\n[HISCORE]\nADSL=2\n"},
        WriteCase{"byte-order mark kept", "\xEF\xBB\xBF[HISCORE]\nDIALUP=1\n", "DIALUP", "2",
                  "\xEF\xBB\xBF[HISCORE]\nDIALUP=2\n"}),
    [](const auto& info) {
        std::string name = info.param.name;
        for (char& c : name) {
            if (!isalnum(static_cast<unsigned char>(c))) c = '_';
        }
        return name;
    });

TEST(IniRoundTrip, EachCourseKeyIsWrittenAndReadAlone) {
    const char* keys[] = {"DIALUP", "ISDN", "ADSL", "HIKARI"};
    std::string text = "[HISCORE]\nDIALUP=360\nISDN=120\nADSL=0\nHIKARI=130\n";
    text = writeProfileString(text, "HISCORE", "ADSL", "4294967295");
    const uint32_t expected[] = {360, 120, 4294967295u, 130};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(readProfileInt(text, "HISCORE", keys[i], 0), expected[i]) << keys[i];
    }
}

}  // namespace
