// Helpers shared by the renderer tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/game_state.h"
#include "render/canvas.h"
#include "render/pictures.h"
#include "render/surface.h"

// Records the calls of a frame as readable lines:
//   "copy 147 0 0", "line 100 78 100 340", "font Banner", "color 00AA3300",
//   "transparent", "text 300 39 <bytes>".
class RecordingSurface final : public DrawingSurface {
public:
    std::vector<std::string> calls;

    void copyPicture(int number, int32_t x, int32_t y) override;
    void line(int32_t x0, int32_t y0, int32_t x1, int32_t y1) override;
    void selectFont(FontId font) override;
    void setTextColor(ColorRef color) override;
    void setTransparentBackground() override;
    void drawText(int32_t x, int32_t y, const char* text, int length) override;

    // The calls that start with `prefix`.
    std::vector<std::string> only(const std::string& prefix) const;
};

// The size of each catalogue picture.
struct PictureSize {
    int number;
    int32_t width;
    int32_t height;
};
extern const PictureSize PICTURE_SIZES[23];

// A distinct solid colour for each picture number, never white or black.
uint32_t standInColour(int number);
// Fills `pictures` with solid stand-ins of the catalogue's sizes.
void loadStandIns(PictureSet& pictures);
void setSolidPicture(PictureSet& pictures, int number, int32_t width, int32_t height,
                     uint32_t colour);

// A game in play with everything at rest: five lives, no mails, no rungs.
void resetToPlay();
