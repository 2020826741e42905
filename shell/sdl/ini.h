// Reading and writing the high-score file's INI text, with no file access:
// text in, value or new text out, so every case can be tried in memory.
//
// Reading follows the Windows private-profile rules that the game's files
// were written for: section and key names compare without regard to case,
// blanks around names and values do not count, the first section of a name
// and the first key of a name in it win, and the integer reading takes
// optional leading blanks, an optional sign and decimal digits.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace velno::ini {

// The value text of `key` in `section` (blanks trimmed, one pair of matching
// quotes removed), or nothing when the section or the key is missing.
std::optional<std::string> findValue(std::string_view text, std::string_view section,
                                     std::string_view key);

// The integer reading of a profile value: leading blanks, then an optional
// '+' or '-', then decimal digits up to the first other character. No digits
// give 0. The digits accumulate modulo 2^32 and a '-' negates modulo 2^32, as
// the Windows reading does, so "4294967296" gives 0 and "-1" gives 4294967295.
uint32_t parseProfileInt(std::string_view value);

// The integer value of `key` in `section`, or `fallback` when it is missing.
uint32_t readProfileInt(std::string_view text, std::string_view section, std::string_view key,
                        uint32_t fallback);

// `text` with `key` in `section` set to `value`. Only the key's own line is
// rewritten (its spelling, indentation and line ending kept); a missing key
// is added after the last key of the section's first occurrence, and a missing
// section is added at the end. Every other byte of `text` stays as it was.
// New lines take the file's own line ending (CR LF if its first line has one).
std::string writeProfileString(std::string_view text, std::string_view section,
                               std::string_view key, std::string_view value);

}  // namespace velno::ini
