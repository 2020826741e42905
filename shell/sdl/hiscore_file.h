// The high-score file on disk: where it lives and how it is read and saved.
// The INI text itself is handled by ini.h; this layer only moves bytes.
#pragma once

#include <cstdint>
#include <string>

namespace velno {

// $XDG_DATA_HOME/velno/VELNO.INI, or ~/.local/share/velno/VELNO.INI when
// XDG_DATA_HOME is unset, empty or not absolute.
std::string hiScoreFilePath();

// The stored high score for `key` in section "HISCORE", 0 when the file, the
// section or the key is missing. A file that exists but cannot be read also
// gives 0, with one line on stderr.
uint32_t loadHiScore(const std::string& path, const char* key);

// Sets `key` in section "HISCORE" to `value` ("%u"), keeping every other line
// of the file. The folder is created if needed; the new text goes to a
// temporary file in the same folder, is flushed to disk and renamed over the
// old file, so the old file stays whole if anything fails. On failure nothing
// is changed, one line goes to stderr and false is returned.
bool saveHiScore(const std::string& path, const char* key, uint32_t value);

}  // namespace velno
