// Word wrapping of Shift-JIS text, for the dialogs' story box and message
// boxes. The measuring is passed in, so the rules can be tested without fonts.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace velno {

// The pixel width of a run of Shift-JIS bytes.
using MeasureText = std::function<int(std::string_view)>;

// Breaks `text` into lines no wider than `width` where possible. CR LF and LF
// end a line. A line may break after a blank, and on either side of a
// full-width character, except before closing marks (。、」 and the like) and
// after opening ones (「 and the like). A word wider than the whole width is
// cut between characters. Blanks at a break are dropped.
std::vector<std::string> wrapText(std::string_view text, int width, const MeasureText& measure);

}  // namespace velno
