// Word wrapping of Shift-JIS text with a fixed-width measure: single-byte
// characters 1 unit, full-width characters 2 units.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "shell/sdl/text_layout.h"

namespace {

int measure(std::string_view s) {
    int w = 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        if (((c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC)) && i + 1 < s.size()) {
            ++i;
            w += 2;
        } else {
            w += 1;
        }
    }
    return w;
}

using Lines = std::vector<std::string>;

struct WrapCase {
    const char* name;
    const char* text;
    int width;
    Lines expected;
};

class Wrap : public ::testing::TestWithParam<WrapCase> {};

TEST_P(Wrap, BreaksWhereAllowed) {
    const WrapCase& c = GetParam();
    EXPECT_EQ(velno::wrapText(c.text, c.width, measure), c.expected) << c.name;
}

// あ = 82A0, い = 82A2, 。= 8142, 「 = 8175, 」 = 8176
INSTANTIATE_TEST_SUITE_P(
    Cases, Wrap,
    ::testing::Values(
        WrapCase{"fits", "abc def", 10, {"abc def"}},
        WrapCase{"breaks at the blank and drops it", "abc def", 5, {"abc", "def"}},
        WrapCase{"hard breaks and empty lines", "a\r\n\r\nb", 10, {"a", "", "b"}},
        WrapCase{"wide characters break anywhere", "\x82\xA0\x82\xA2\x82\xA0\x82\xA2", 4,
                 {"\x82\xA0\x82\xA2", "\x82\xA0\x82\xA2"}},
        WrapCase{"a closing mark stays with its character", "\x82\xA0\x82\xA2\x81\x42", 4,
                 {"\x82\xA0", "\x82\xA2\x81\x42"}},
        WrapCase{"an opening mark goes with the next character",
                 "\x82\xA0\x81\x75\x82\xA2\x81\x76", 6, {"\x82\xA0", "\x81\x75\x82\xA2\x81\x76"}},
        WrapCase{"a latin word is not split", "\x82\xA0MassPoster", 11,
                 {"\x82\xA0", "MassPoster"}},
        WrapCase{"a word wider than the line is cut", "abcdefgh", 3, {"abc", "def", "gh"}},
        WrapCase{"empty", "", 5, {""}}),
    [](const auto& info) {
        std::string name = info.param.name;
        for (char& c : name) {
            if (!isalnum(static_cast<unsigned char>(c))) c = '_';
        }
        return name;
    });

}  // namespace
