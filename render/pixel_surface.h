// A DrawingSurface over a 32-bit pixel buffer (0x00RRGGBB), with clipping.
#pragma once

#include <cstdint>

#include "core/game_state.h"
#include "render/fonts.h"
#include "render/pictures.h"
#include "render/surface.h"

class PixelSurface final : public DrawingSurface {
public:
    // `pixels` holds width x height pixels, row after row. Pictures and fonts
    // may be null (nothing is drawn for them).
    PixelSurface(uint32_t* pixels, int32_t width, int32_t height, const PictureSet* pictures,
                 FontSet* fonts);

    // Limits drawing to `clip`, itself limited to the buffer.
    void setClip(const Rect& clip);
    // Back to the state every paint starts in: opaque text background, white
    // background colour, black text, the score-line font.
    void resetState();
    // Fills a rectangle, clipped.
    void fill(const Rect& rect, uint32_t pixel);

    void copyPicture(int number, int32_t x, int32_t y) override;
    void line(int32_t x0, int32_t y0, int32_t x1, int32_t y1) override;
    void selectFont(FontId font) override;
    void setTextColor(ColorRef color) override;
    void setTransparentBackground() override;
    void drawText(int32_t x, int32_t y, const char* text, int length) override;

    // The width of a text in pixels (the sum of its advances) in the selected font.
    int32_t textWidth(const char* text, int length);

private:
    void plot(int64_t x, int64_t y);
    void drawMask(int64_t x, int64_t y, int32_t width, int32_t height, const uint8_t* mask,
                  uint32_t pixel);

    uint32_t* pixels_;
    int32_t width_;
    int32_t height_;
    const PictureSet* pictures_;
    FontSet* fonts_;
    Rect clip_;
    FontId font_ = FontId::Hud;
    uint32_t textPixel_ = 0x000000;
    uint32_t backgroundPixel_ = 0xFFFFFF;
    bool transparent_ = false;
};

// 0x00BBGGRR to 0x00RRGGBB.
constexpr uint32_t pixelFromColorRef(ColorRef color) {
    return ((color & 0xFFu) << 16) | (color & 0xFF00u) | ((color >> 16) & 0xFFu);
}
