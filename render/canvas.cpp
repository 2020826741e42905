#include "render/canvas.h"

#include <SDL.h>
#include <SDL_image.h>

#include <algorithm>
#include <cstring>

#include "render/frame.h"
#include "render/pixel_surface.h"

namespace {

constexpr uint32_t WHITE = 0xFFFFFF;

bool contains(const Rect& outer, const Rect& inner) {
    return outer.left <= inner.left && outer.top <= inner.top && outer.right >= inner.right &&
           outer.bottom >= inner.bottom;
}

Rect unite(const Rect& a, const Rect& b) {
    return Rect{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                std::max(a.bottom, b.bottom)};
}

}  // namespace

SoftwareCanvas::SoftwareCanvas()
    : framebuffer_(static_cast<std::size_t>(WIDTH) * HEIGHT, WHITE),
      scratch_(static_cast<std::size_t>(WIDTH) * HEIGHT, WHITE) {}

bool SoftwareCanvas::init(std::string& error) {
    std::string missing;
    pictures_.loadCatalogue(missing);
    bool complete = missing.empty();
    if (!complete) {
        error += "pictures missing: " + missing + "; ";
    }
    return initFonts(error) && complete;
}

bool SoftwareCanvas::initFonts(std::string& error) {
    return fonts_.open(error);
}

void SoftwareCanvas::invalidate(int32_t left, int32_t top, int32_t right, int32_t bottom) {
    const Rect rect{std::max(left, 0), std::max(top, 0), std::min(right, WIDTH),
                    std::min(bottom, HEIGHT)};
    if (rect.left >= rect.right || rect.top >= rect.bottom) {
        return;
    }
    for (int i = 0; i < damageCount_; ++i) {
        if (contains(damage_[i], rect)) {
            return;
        }
    }
    if (damageCount_ == MAX_DAMAGE_RECTS) {
        // Full: the region becomes the union of everything, one rectangle.
        Rect all = rect;
        for (int i = 0; i < damageCount_; ++i) {
            all = unite(all, damage_[i]);
        }
        damage_[0] = all;
        damageCount_ = 1;
        return;
    }
    damage_[damageCount_++] = rect;
}

void SoftwareCanvas::invalidateAll() {
    damage_[0] = Rect{0, 0, WIDTH, HEIGHT};
    damageCount_ = 1;
}

void SoftwareCanvas::paint() {
    if (damageCount_ == 0) {
        return;
    }
    // Erasing the region to white and drawing the frame clipped to it equals
    // drawing the frame on white and copying the region: the scratch buffer
    // gets the frame within the bounds of the region, the framebuffer only
    // the damaged rectangles.
    Rect bounds = damage_[0];
    for (int i = 1; i < damageCount_; ++i) {
        bounds = unite(bounds, damage_[i]);
    }
    PixelSurface surface(scratch_.data(), WIDTH, HEIGHT, &pictures_, &fonts_);
    surface.setClip(bounds);
    surface.fill(bounds, WHITE);
    surface.resetState();
    paintFrame(surface);
    for (int i = 0; i < damageCount_; ++i) {
        const Rect& r = damage_[i];
        for (int32_t y = r.top; y < r.bottom; ++y) {
            const std::size_t at = static_cast<std::size_t>(y) * WIDTH + r.left;
            std::memcpy(framebuffer_.data() + at, scratch_.data() + at,
                        static_cast<std::size_t>(r.right - r.left) * sizeof(uint32_t));
        }
    }
    damageCount_ = 0;
}

bool SoftwareCanvas::savePng(const char* path) const {
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(
        const_cast<uint32_t*>(framebuffer_.data()), WIDTH, HEIGHT, 32, WIDTH * 4,
        SDL_PIXELFORMAT_RGB888);
    if (surface == nullptr) {
        return false;
    }
    const bool saved = IMG_SavePNG(surface, path) == 0;
    SDL_FreeSurface(surface);
    return saved;
}
