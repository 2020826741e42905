// The small drawing interface that a frame needs. The software canvas and the
// Windows GDI shell each implement it.
#pragma once

#include <cstdint>

enum class FontId { Banner, Message, Hud };

// A colour as the platform's 0x00BBGGRR value.
using ColorRef = uint32_t;

class DrawingSurface {
public:
    virtual ~DrawingSurface() = default;
    // Copies a whole picture, by resource number, opaquely with its top-left
    // corner at (x, y). A missing picture draws nothing. Selecting the picture
    // is part of the copy: a surface that has to select pictures into a
    // memory context does so here, before each copy.
    virtual void copyPicture(int number, int32_t x, int32_t y) = 0;
    // A one-pixel black line from (x0, y0) up to but not including (x1, y1).
    virtual void line(int32_t x0, int32_t y0, int32_t x1, int32_t y1) = 0;
    virtual void selectFont(FontId font) = 0;
    virtual void setTextColor(ColorRef color) = 0;
    // Text is drawn without filling its character cells from now on.
    virtual void setTransparentBackground() = 0;
    // Draws `length` bytes of Shift-JIS text with the top-left corner of its
    // first character cell at (x, y).
    virtual void drawText(int32_t x, int32_t y, const char* text, int length) = 0;
};
