#include "render/pixel_surface.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr int MAX_TEXT_CHARS = 512;

Rect intersect(const Rect& a, const Rect& b) {
    Rect r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
           std::min(a.bottom, b.bottom)};
    if (r.right < r.left) {
        r.right = r.left;
    }
    if (r.bottom < r.top) {
        r.bottom = r.top;
    }
    return r;
}

// a / b rounded to the nearest integer, halves away from zero; b > 0. Wide
// enough for the product of two 33-bit coordinate differences.
int64_t roundedDiv(__int128 a, __int128 b) {
    return static_cast<int64_t>(a >= 0 ? (2 * a + b) / (2 * b) : -((-2 * a + b) / (2 * b)));
}

uint32_t blend(uint32_t under, uint32_t over, uint32_t coverage) {
    const uint32_t rest = 255 - coverage;
    uint32_t out = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const uint32_t a = (under >> shift) & 0xFFu;
        const uint32_t b = (over >> shift) & 0xFFu;
        out |= (((b * coverage + a * rest) + 127) / 255) << shift;
    }
    return out;
}

}  // namespace

PixelSurface::PixelSurface(uint32_t* pixels, int32_t width, int32_t height,
                           const PictureSet* pictures, FontSet* fonts)
    : pixels_(pixels),
      width_(width),
      height_(height),
      pictures_(pictures),
      fonts_(fonts),
      clip_{0, 0, width, height} {}

void PixelSurface::setClip(const Rect& clip) {
    clip_ = intersect(clip, Rect{0, 0, width_, height_});
}

void PixelSurface::resetState() {
    font_ = FontId::Hud;
    textPixel_ = 0x000000;
    backgroundPixel_ = 0xFFFFFF;
    transparent_ = false;
}

void PixelSurface::fill(const Rect& rect, uint32_t pixel) {
    const Rect r = intersect(rect, clip_);
    for (int32_t y = r.top; y < r.bottom; ++y) {
        std::fill_n(pixels_ + static_cast<int64_t>(y) * width_ + r.left, r.right - r.left, pixel);
    }
}

void PixelSurface::copyPicture(int number, int32_t x, int32_t y) {
    const Picture* picture = pictures_ != nullptr ? pictures_->find(number) : nullptr;
    if (picture == nullptr) {
        return;
    }
    // In 64 bits: a far-off position must not wrap around into view.
    const int64_t left = std::max<int64_t>(x, clip_.left);
    const int64_t top = std::max<int64_t>(y, clip_.top);
    const int64_t right = std::min<int64_t>(int64_t{x} + picture->width, clip_.right);
    const int64_t bottom = std::min<int64_t>(int64_t{y} + picture->height, clip_.bottom);
    if (left >= right || top >= bottom) {
        return;
    }
    for (int64_t row = top; row < bottom; ++row) {
        const uint32_t* src =
            picture->pixels.data() + (row - y) * picture->width + (left - x);
        std::memcpy(pixels_ + row * width_ + left, src,
                    static_cast<std::size_t>(right - left) * sizeof(uint32_t));
    }
}

void PixelSurface::plot(int64_t x, int64_t y) {
    if (x >= clip_.left && x < clip_.right && y >= clip_.top && y < clip_.bottom) {
        pixels_[y * width_ + x] = 0x000000;
    }
}

void PixelSurface::line(int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
    const int64_t dx = int64_t{x1} - x0;
    const int64_t dy = int64_t{y1} - y0;
    if (dx == 0 && dy == 0) {
        return;  // the end point alone, which is left out
    }
    // Step along the longer axis; the pixel on the other axis is the nearest
    // to the ideal line. Only the steps inside the clip are visited.
    const bool alongX = (dx < 0 ? -dx : dx) >= (dy < 0 ? -dy : dy);
    const int64_t major = alongX ? dx : dy;
    const int64_t minor = alongX ? dy : dx;
    const int64_t steps = major < 0 ? -major : major;
    const int64_t direction = major < 0 ? -1 : 1;
    const int64_t start = alongX ? x0 : y0;
    const int64_t low = alongX ? clip_.left : clip_.top;
    const int64_t high = alongX ? clip_.right : clip_.bottom;
    // Steps i in [0, steps) whose major coordinate start + direction * i lies in [low, high).
    int64_t first = 0;
    int64_t last = steps;  // exclusive
    if (direction > 0) {
        first = std::max<int64_t>(first, low - start);
        last = std::min<int64_t>(last, high - start);
    } else {
        first = std::max<int64_t>(first, start - high + 1);
        last = std::min<int64_t>(last, start - low + 1);
    }
    for (int64_t i = first; i < last; ++i) {
        const int64_t a = start + direction * i;
        const int64_t b = (alongX ? y0 : x0) + roundedDiv(static_cast<__int128>(i) * minor, steps);
        if (alongX) {
            plot(a, b);
        } else {
            plot(b, a);
        }
    }
}

void PixelSurface::selectFont(FontId font) {
    font_ = font;
}

void PixelSurface::setTextColor(ColorRef color) {
    textPixel_ = pixelFromColorRef(color);
}

void PixelSurface::setTransparentBackground() {
    transparent_ = true;
}

int32_t PixelSurface::textWidth(const char* text, int length) {
    if (fonts_ == nullptr || length <= 0) {
        return 0;
    }
    GlyphFont& font = fonts_->font(font_);
    uint32_t codePoints[MAX_TEXT_CHARS];
    const std::size_t count = fonts_->decoder().toCodePoints(
        text, static_cast<std::size_t>(length), codePoints, MAX_TEXT_CHARS);
    int32_t width = 0;
    for (std::size_t i = 0; i < count; ++i) {
        if (const Glyph* glyph = font.glyph(codePoints[i])) {
            width += glyph->advance;
        }
    }
    return width;
}

void PixelSurface::drawText(int32_t x, int32_t y, const char* text, int length) {
    if (fonts_ == nullptr || length <= 0) {
        return;
    }
    GlyphFont& font = fonts_->font(font_);
    if (!font.isOpen()) {
        return;
    }
    uint32_t codePoints[MAX_TEXT_CHARS];
    const std::size_t count = fonts_->decoder().toCodePoints(
        text, static_cast<std::size_t>(length), codePoints, MAX_TEXT_CHARS);
    if (!transparent_) {
        // Opaque mode fills the character cells with the background colour.
        int64_t width = 0;
        for (std::size_t i = 0; i < count; ++i) {
            if (const Glyph* glyph = font.glyph(codePoints[i])) {
                width += glyph->advance;
            }
        }
        const int64_t right = std::min<int64_t>(int64_t{x} + width, INT32_MAX);
        const int64_t bottom = std::min<int64_t>(int64_t{y} + font.cellHeight(), INT32_MAX);
        fill(Rect{x, y, static_cast<int32_t>(right), static_cast<int32_t>(bottom)},
             backgroundPixel_);
    }
    int64_t pen = x;
    for (std::size_t i = 0; i < count; ++i) {
        const Glyph* glyph = font.glyph(codePoints[i]);
        if (glyph == nullptr) {
            continue;
        }
        drawMask(pen + glyph->left, int64_t{y} + glyph->top, glyph->width, glyph->height,
                 font.mask(*glyph), textPixel_);
        pen += glyph->advance;
    }
}

void PixelSurface::drawMask(int64_t x, int64_t y, int32_t width, int32_t height,
                            const uint8_t* mask, uint32_t pixel) {
    const int64_t left = std::max<int64_t>(x, clip_.left);
    const int64_t top = std::max<int64_t>(y, clip_.top);
    const int64_t right = std::min<int64_t>(x + width, clip_.right);
    const int64_t bottom = std::min<int64_t>(y + height, clip_.bottom);
    for (int64_t row = top; row < bottom; ++row) {
        const uint8_t* coverage = mask + (row - y) * width;
        uint32_t* out = pixels_ + row * width_;
        for (int64_t col = left; col < right; ++col) {
            const uint32_t c = coverage[col - x];
            if (c == 255) {
                out[col] = pixel;
            } else if (c != 0) {
                out[col] = blend(out[col], pixel, c);
            }
        }
    }
}
