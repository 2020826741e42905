// The three fonts of a frame: finding their files, opening them at the cell
// heights the game asks for, Shift-JIS conversion and a glyph cache.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "render/surface.h"

typedef struct _TTF_Font TTF_Font;

// Finds the file of an installed font family through fontconfig. When the
// family is not installed and `fallbackLang` is given (e.g. "ja"), takes the
// best face that covers that language. Returns false when neither is found.
// `exact` (optional) tells whether the family itself was found.
bool findFontFile(const char* family, const char* fallbackLang, std::string& path,
                  bool* exact = nullptr);

// Converts Shift-JIS (code page 932) bytes to UTF-8. Invalid bytes are
// skipped. Writes at most `capacity` - 1 bytes and a terminator; returns the
// length written. Does not allocate once constructed.
class SjisDecoder {
public:
    SjisDecoder();
    ~SjisDecoder();
    SjisDecoder(const SjisDecoder&) = delete;
    SjisDecoder& operator=(const SjisDecoder&) = delete;

    bool valid() const;
    std::size_t toUtf8(const char* text, std::size_t length, char* out, std::size_t capacity);
    // The same, decoded further into code points.
    std::size_t toCodePoints(const char* text, std::size_t length, uint32_t* out,
                             std::size_t capacity);

private:
    void* handle_;
};

// One rendered glyph: a coverage mask (0 = paper, 255 = ink) placed relative
// to the pen position on the top edge of the character cell.
struct Glyph {
    uint32_t codePoint = 0;
    int32_t left = 0;     // mask column 0 relative to the pen x
    int32_t top = 0;      // mask row 0 relative to the cell top
    int32_t width = 0;
    int32_t height = 0;
    int32_t advance = 0;  // pen movement to the next character
    std::size_t offset = 0;  // of the mask in the font's coverage pool
};

// A font opened at a given cell height with its cache of rendered glyphs.
class GlyphFont {
public:
    enum class Smoothing { Mono, Antialiased };

    GlyphFont() = default;
    ~GlyphFont();
    GlyphFont(const GlyphFont&) = delete;
    GlyphFont& operator=(const GlyphFont&) = delete;

    // Opens `path` at the point size whose cell height is `cellHeight`, with
    // the TTF_STYLE_ flags `style`. Needs TTF_Init.
    bool open(const std::string& path, int cellHeight, int style, Smoothing smoothing,
              std::string& error);
    void close();
    bool isOpen() const { return font_ != nullptr; }
    int cellHeight() const { return cellHeight_; }
    int pointSize() const { return pointSize_; }
    TTF_Font* handle() const { return font_; }

    // Renders and caches the glyphs of these code points ahead of use.
    void preload(const uint32_t* codePoints, std::size_t count);
    // The glyph of a code point, rendered on first use; null when the font is
    // closed or the cache is full.
    const Glyph* glyph(uint32_t codePoint);
    const uint8_t* mask(const Glyph& glyph) const { return pool_.data() + glyph.offset; }
    std::size_t cachedCount() const { return glyphs_.size(); }

private:
    static constexpr std::size_t TABLE_SIZE = 2048;  // power of two
    static constexpr std::size_t MAX_GLYPHS = TABLE_SIZE / 2;

    const Glyph* render(uint32_t codePoint);

    TTF_Font* font_ = nullptr;
    int cellHeight_ = 0;
    int pointSize_ = 0;
    Smoothing smoothing_ = Smoothing::Mono;
    std::vector<Glyph> glyphs_;
    std::vector<int32_t> table_;  // open addressing, index into glyphs_ or -1
    std::vector<uint8_t> pool_;
};

// The fonts of a frame by FontId and the decoder for their texts.
class FontSet {
public:
    FontSet();
    ~FontSet();
    FontSet(const FontSet&) = delete;
    FontSet& operator=(const FontSet&) = delete;

    // Finds and opens the three fonts and renders the glyphs of the game's
    // texts. A font that cannot be opened is left closed (its text is not
    // drawn) and named in `error`; returns true when all three opened.
    bool open(std::string& error);
    GlyphFont& font(FontId id) { return fonts_[static_cast<int>(id)]; }
    SjisDecoder& decoder() { return decoder_; }

private:
    GlyphFont fonts_[3];
    SjisDecoder decoder_;
    bool ttfStarted_ = false;
};
