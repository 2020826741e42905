// Shift-JIS (code page 932) to UTF-8, for the window titles and the dialogs'
// text, through iconv.
#pragma once

#include <string>
#include <string_view>

namespace velno {

// Invalid bytes are skipped; an unavailable converter gives the ASCII bytes only.
std::string sjisToUtf8(std::string_view sjis);

}  // namespace velno
