// The software canvas: the client area of the game window as a 620 x 440
// framebuffer of 0x00RRGGBB pixels (SDL_PIXELFORMAT_RGB888), repainted like a
// window: invalidated rectangles collect into a damaged region, and a paint
// erases that region to white and draws the whole frame clipped to it.
// Pixels outside the region keep what they showed before.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/game_state.h"
#include "render/fonts.h"
#include "render/pictures.h"

class SoftwareCanvas {
public:
    static constexpr int32_t WIDTH = CLIENT_WIDTH;
    static constexpr int32_t HEIGHT = CLIENT_HEIGHT;
    // Rectangles kept apart before the region falls back to their union.
    static constexpr int MAX_DAMAGE_RECTS = 64;

    SoftwareCanvas();
    SoftwareCanvas(const SoftwareCanvas&) = delete;
    SoftwareCanvas& operator=(const SoftwareCanvas&) = delete;

    // Decodes the catalogue's pictures and opens the fonts. Missing parts are
    // described in `error` and leave the rest working (a missing picture or
    // font draws nothing); returns true when everything loaded.
    bool init(std::string& error);
    // Only the fonts (for hosts and tests that supply their own pictures).
    bool initFonts(std::string& error);
    PictureSet& pictures() { return pictures_; }
    FontSet& fonts() { return fonts_; }

    // Adds a rectangle (right and bottom exclusive, clipped to the client
    // area) or the whole client area to the damaged region.
    void invalidate(int32_t left, int32_t top, int32_t right, int32_t bottom);
    void invalidateAll();
    bool hasDamage() const { return damageCount_ > 0; }
    int damageCount() const { return damageCount_; }
    const Rect& damage(int index) const { return damage_[index]; }

    // Repaints the damaged region with the frame of `gameState` and empties
    // the region. Does nothing when nothing is damaged. Allocates nothing.
    void paint();

    const uint32_t* pixels() const { return framebuffer_.data(); }
    uint32_t pixel(int32_t x, int32_t y) const { return framebuffer_[y * WIDTH + x]; }
    bool savePng(const char* path) const;

private:
    PictureSet pictures_;
    FontSet fonts_;
    std::vector<uint32_t> framebuffer_;
    std::vector<uint32_t> scratch_;  // the whole frame is drawn here first
    Rect damage_[MAX_DAMAGE_RECTS];
    int damageCount_ = 0;
};
