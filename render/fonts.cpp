#include "render/fonts.h"

#include <SDL_ttf.h>
#include <fontconfig/fontconfig.h>
#include <iconv.h>

#include <cerrno>
#include <cstring>

#include "render/texts.h"

namespace {

// Pattern value: a string property of the best match, or null.
const char* matchString(FcPattern* match, const char* property, int index) {
    FcChar8* value = nullptr;
    if (FcPatternGetString(match, property, index, &value) != FcResultMatch) {
        return nullptr;
    }
    return reinterpret_cast<const char*>(value);
}

// The best match for `pattern` after the usual substitutions; null if none.
FcPattern* bestMatch(FcConfig* config, FcPattern* pattern) {
    FcConfigSubstitute(config, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    return FcFontMatch(config, pattern, &result);
}

bool familyMatches(FcPattern* match, const char* family) {
    for (int i = 0;; ++i) {
        const char* name = matchString(match, FC_FAMILY, i);
        if (name == nullptr) {
            return false;
        }
        if (FcStrCmpIgnoreCase(reinterpret_cast<const FcChar8*>(name),
                               reinterpret_cast<const FcChar8*>(family)) == 0) {
            return true;
        }
    }
}

bool coversLanguage(FcPattern* match, const char* lang) {
    FcLangSet* langs = nullptr;
    if (FcPatternGetLangSet(match, FC_LANG, 0, &langs) != FcResultMatch) {
        return false;
    }
    return FcLangSetHasLang(langs, reinterpret_cast<const FcChar8*>(lang)) == FcLangEqual;
}

bool takeFile(FcPattern* match, std::string& path) {
    const char* file = matchString(match, FC_FILE, 0);
    if (file == nullptr) {
        return false;
    }
    path = file;
    return true;
}

// The point size whose cell height (ascent plus descent) is `cellHeight`, or
// the largest one below it when no size fits exactly.
int sizeForCellHeight(TTF_Font* font, int cellHeight) {
    int best = 1;
    for (int size = 1; size <= 4 * cellHeight + 8; ++size) {
        if (TTF_SetFontSize(font, size) != 0) {
            continue;
        }
        const int height = TTF_FontHeight(font);
        if (height == cellHeight) {
            return size;
        }
        if (height < cellHeight) {
            best = size;
        }
    }
    return best;
}

std::size_t decodeUtf8(const char* text, std::size_t length, uint32_t* out, std::size_t capacity) {
    std::size_t count = 0;
    std::size_t i = 0;
    while (i < length && count < capacity) {
        const auto lead = static_cast<unsigned char>(text[i]);
        int extra = 0;
        uint32_t value = lead;
        if (lead >= 0xF0) {
            extra = 3;
            value = lead & 0x07u;
        } else if (lead >= 0xE0) {
            extra = 2;
            value = lead & 0x0Fu;
        } else if (lead >= 0xC0) {
            extra = 1;
            value = lead & 0x1Fu;
        }
        if (i + static_cast<std::size_t>(extra) >= length) {
            break;  // a cut-off sequence at the end
        }
        for (int k = 1; k <= extra; ++k) {
            value = (value << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3Fu);
        }
        out[count++] = value;
        i += static_cast<std::size_t>(extra) + 1;
    }
    return count;
}

// Writes the UTF-8 form of a code point and a terminator; returns its length.
std::size_t encodeUtf8(uint32_t c, char* out) {
    std::size_t n = 0;
    if (c < 0x80) {
        out[n++] = static_cast<char>(c);
    } else if (c < 0x800) {
        out[n++] = static_cast<char>(0xC0 | (c >> 6));
        out[n++] = static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out[n++] = static_cast<char>(0xE0 | (c >> 12));
        out[n++] = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out[n++] = static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out[n++] = static_cast<char>(0xF0 | (c >> 18));
        out[n++] = static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out[n++] = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out[n++] = static_cast<char>(0x80 | (c & 0x3F));
    }
    out[n] = '\0';
    return n;
}

// How far SDL_ttf moves the pen over a character: the growth of a text when
// the character is doubled. (The advance of the glyph metrics counts the
// synthetic bold's widening twice.)
int measuredAdvance(TTF_Font* font, uint32_t codePoint, int fallback) {
    char one[5];
    char two[9];
    const std::size_t n = encodeUtf8(codePoint, one);
    std::memcpy(two, one, n);
    std::memcpy(two + n, one, n + 1);
    int widthOne = 0;
    int widthTwo = 0;
    int height = 0;
    if (TTF_SizeUTF8(font, one, &widthOne, &height) != 0 ||
        TTF_SizeUTF8(font, two, &widthTwo, &height) != 0) {
        return fallback;
    }
    return widthTwo - widthOne;
}

struct FontSpec {
    const char* family;
    int cellHeight;
    int style;
    // A text the face must set within `fitWidth` pixels, else `narrowFamily`
    // is taken instead; null when any width will do.
    const char* fitText;
    int fitWidth;
    const char* narrowFamily;
};

// The widest score line of seven-digit numbers, and the width of the banner's
// field it is drawn into (x = 300 to the window's right edge at 617).
constexpr char WIDEST_SCORE_LINE[] =
    "HI-SCORE: 0000000  SCORE: 0000000  LIFE: "
    "\x81\x9C\x81\x9C\x81\x9C\x81\x9C\x81\x9C";
constexpr int SCORE_FIELD_WIDTH = 317;

// Stand-ins for the named faces: IPA Gothic for the fixed-pitch face, IPA P
// Gothic for the proportional one, at the cell heights of the game's fonts.
// The score line was laid out for a face with half-width digits; IPA P
// Gothic's digits are wider and would push the last life marker out of the
// window, so the score line falls back to IPA Gothic when it does not fit.
constexpr FontSpec FONT_SPECS[3] = {
    // FontId::Banner
    {"IPAGothic", 28, TTF_STYLE_BOLD | TTF_STYLE_ITALIC, nullptr, 0, nullptr},
    // FontId::Message
    {"IPAPGothic", 14, TTF_STYLE_BOLD | TTF_STYLE_ITALIC, nullptr, 0, nullptr},
    // FontId::Hud, weight 500: the regular face
    {"IPAPGothic", 12, TTF_STYLE_NORMAL, WIDEST_SCORE_LINE, SCORE_FIELD_WIDTH, "IPAGothic"},
};

int textAdvance(GlyphFont& font, SjisDecoder& decoder, const char* text) {
    uint32_t codePoints[128];
    const std::size_t count = decoder.toCodePoints(text, std::strlen(text), codePoints, 128);
    int width = 0;
    for (std::size_t i = 0; i < count; ++i) {
        if (const Glyph* glyph = font.glyph(codePoints[i])) {
            width += glyph->advance;
        }
    }
    return width;
}

// Small text at 1x on Windows of the time showed the faces' embedded
// bitmaps, without smoothing; one-bit glyphs keep that look.
constexpr GlyphFont::Smoothing FONT_SMOOTHING = GlyphFont::Smoothing::Mono;

}  // namespace

bool findFontFile(const char* family, const char* fallbackLang, std::string& path, bool* exact) {
    if (exact != nullptr) {
        *exact = false;
    }
    // A configuration of its own, destroyed afterwards: the library's shared
    // one would keep memory until the process ends (and some of it for good).
    FcConfig* config = FcInitLoadConfigAndFonts();
    if (config == nullptr) {
        return false;
    }
    bool found = false;
    if (family != nullptr && *family != '\0') {
        FcPattern* pattern = FcPatternCreate();
        FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family));
        FcPattern* match = bestMatch(config, pattern);
        FcPatternDestroy(pattern);
        if (match != nullptr) {
            // Fontconfig always offers some face; only the family itself counts here.
            found = familyMatches(match, family) && takeFile(match, path);
            FcPatternDestroy(match);
        }
        if (found && exact != nullptr) {
            *exact = true;
        }
    }
    if (!found && fallbackLang != nullptr) {
        FcPattern* pattern = FcPatternCreate();
        FcPatternAddString(pattern, FC_LANG, reinterpret_cast<const FcChar8*>(fallbackLang));
        FcPattern* match = bestMatch(config, pattern);
        FcPatternDestroy(pattern);
        if (match != nullptr) {
            found = coversLanguage(match, fallbackLang) && takeFile(match, path);
            FcPatternDestroy(match);
        }
    }
    FcConfigDestroy(config);
    return found;
}

SjisDecoder::SjisDecoder() {
    iconv_t cd = iconv_open("UTF-8", "CP932");
    handle_ = cd == reinterpret_cast<iconv_t>(-1) ? nullptr : cd;
}

SjisDecoder::~SjisDecoder() {
    if (handle_ != nullptr) {
        iconv_close(static_cast<iconv_t>(handle_));
    }
}

bool SjisDecoder::valid() const {
    return handle_ != nullptr;
}

std::size_t SjisDecoder::toUtf8(const char* text, std::size_t length, char* out,
                                std::size_t capacity) {
    if (capacity == 0) {
        return 0;
    }
    if (handle_ == nullptr) {
        out[0] = '\0';
        return 0;
    }
    auto cd = static_cast<iconv_t>(handle_);
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    char* in = const_cast<char*>(text);
    std::size_t inLeft = length;
    char* cursor = out;
    std::size_t outLeft = capacity - 1;
    while (inLeft > 0) {
        if (iconv(cd, &in, &inLeft, &cursor, &outLeft) != static_cast<std::size_t>(-1)) {
            break;
        }
        if (errno == E2BIG) {
            break;
        }
        // An invalid or cut-off sequence: drop one byte and go on.
        ++in;
        --inLeft;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    *cursor = '\0';
    return static_cast<std::size_t>(cursor - out);
}

std::size_t SjisDecoder::toCodePoints(const char* text, std::size_t length, uint32_t* out,
                                      std::size_t capacity) {
    char utf8[1024];
    const std::size_t bytes = toUtf8(text, length, utf8, sizeof utf8);
    return decodeUtf8(utf8, bytes, out, capacity);
}

GlyphFont::~GlyphFont() {
    close();
}

bool GlyphFont::open(const std::string& path, int cellHeight, int style, Smoothing smoothing,
                     std::string& error) {
    close();
    font_ = TTF_OpenFont(path.c_str(), cellHeight);
    if (font_ == nullptr) {
        error = TTF_GetError();
        return false;
    }
    pointSize_ = sizeForCellHeight(font_, cellHeight);
    TTF_SetFontSize(font_, pointSize_);
    TTF_SetFontStyle(font_, style);
    // Text output of the time placed characters by their advances alone.
    TTF_SetFontKerning(font_, 0);
    if (smoothing == Smoothing::Mono) {
        TTF_SetFontHinting(font_, TTF_HINTING_MONO);
    }
    cellHeight_ = TTF_FontHeight(font_);
    smoothing_ = smoothing;
    table_.assign(TABLE_SIZE, -1);
    glyphs_.reserve(MAX_GLYPHS);  // glyph pointers stay valid
    pool_.reserve(64 * 1024);
    return true;
}

void GlyphFont::close() {
    if (font_ != nullptr) {
        TTF_CloseFont(font_);
        font_ = nullptr;
    }
    glyphs_.clear();
    table_.clear();
    pool_.clear();
    cellHeight_ = 0;
    pointSize_ = 0;
}

void GlyphFont::preload(const uint32_t* codePoints, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        glyph(codePoints[i]);
    }
}

const Glyph* GlyphFont::glyph(uint32_t codePoint) {
    if (font_ == nullptr) {
        return nullptr;
    }
    std::size_t slot = (codePoint * 2654435761u) & (TABLE_SIZE - 1);
    while (table_[slot] >= 0) {
        const Glyph& cached = glyphs_[static_cast<std::size_t>(table_[slot])];
        if (cached.codePoint == codePoint) {
            return &cached;
        }
        slot = (slot + 1) & (TABLE_SIZE - 1);
    }
    if (glyphs_.size() >= MAX_GLYPHS) {
        return nullptr;
    }
    const Glyph* made = render(codePoint);
    table_[slot] = static_cast<int32_t>(glyphs_.size() - 1);
    return made;
}

const Glyph* GlyphFont::render(uint32_t codePoint) {
    Glyph glyph;
    glyph.codePoint = codePoint;
    glyph.offset = pool_.size();
    int minX = 0;
    int maxX = 0;
    int minY = 0;
    int maxY = 0;
    int advance = 0;
    if (TTF_GlyphMetrics32(font_, codePoint, &minX, &maxX, &minY, &maxY, &advance) == 0) {
        glyph.advance = measuredAdvance(font_, codePoint, advance);
    }
    const SDL_Color white{255, 255, 255, 255};
    SDL_Surface* surface = smoothing_ == Smoothing::Mono
                               ? TTF_RenderGlyph32_Solid(font_, codePoint, white)
                               : TTF_RenderGlyph32_Blended(font_, codePoint, white);
    if (surface != nullptr) {
        // SDL_ttf widens the surface to the left for a glyph that reaches left
        // of its pen position, and downwards for one below the descent.
        glyph.left = minX < 0 ? minX : 0;
        const int rise = maxY - TTF_FontAscent(font_);
        glyph.top = rise > 0 ? -rise : 0;
        glyph.width = surface->w;
        glyph.height = surface->h;
        pool_.resize(pool_.size() + static_cast<std::size_t>(surface->w) * surface->h);
        uint8_t* out = pool_.data() + glyph.offset;
        SDL_LockSurface(surface);
        for (int row = 0; row < surface->h; ++row) {
            const auto* src = static_cast<const uint8_t*>(surface->pixels) +
                              static_cast<std::size_t>(row) * surface->pitch;
            for (int col = 0; col < surface->w; ++col) {
                uint8_t coverage = 0;
                if (smoothing_ == Smoothing::Mono) {
                    coverage = src[col] != 0 ? 255 : 0;
                } else {
                    uint32_t pixel = 0;
                    std::memcpy(&pixel, src + 4 * col, 4);
                    coverage = static_cast<uint8_t>(pixel >> 24);  // ARGB8888
                }
                out[row * surface->w + col] = coverage;
            }
        }
        SDL_UnlockSurface(surface);
        SDL_FreeSurface(surface);
    }
    glyphs_.push_back(glyph);
    return &glyphs_.back();
}

FontSet::FontSet() = default;

FontSet::~FontSet() {
    for (GlyphFont& font : fonts_) {
        font.close();
    }
    if (ttfStarted_) {
        TTF_Quit();
    }
}

bool FontSet::open(std::string& error) {
    if (!ttfStarted_) {
        if (TTF_Init() != 0) {
            error += "fonts: ";
            error += TTF_GetError();
            return false;
        }
        ttfStarted_ = true;
    }
    if (!decoder_.valid()) {
        error += "fonts: no CP932 converter; ";
    }
    // Every character the game's texts use, so that no paint renders a glyph.
    uint32_t common[128];
    std::size_t commonCount = 0;
    for (uint32_t c = 0x20; c < 0x7F; ++c) {
        common[commonCount++] = c;
    }
    uint32_t own[64];
    std::size_t ownCount = 0;
    for (const char* text : {TEXT_READY, TEXT_GO, TEXT_MISFIRE, TEXT_GAMEOVER, TEXT_LIFE_ON,
                             TEXT_LIFE_OFF}) {
        ownCount += decoder_.toCodePoints(text, std::strlen(text), own + ownCount,
                                          sizeof own / sizeof own[0] - ownCount);
    }
    bool all = true;
    for (int i = 0; i < 3; ++i) {
        const FontSpec& wanted = FONT_SPECS[i];
        std::string path;
        std::string why;
        if (!findFontFile(wanted.family, "ja", path) ||
            !fonts_[i].open(path, wanted.cellHeight, wanted.style, FONT_SMOOTHING, why)) {
            error += "fonts: cannot open ";
            error += wanted.family;
            if (!why.empty()) {
                error += " (" + why + ")";
            }
            error += "; ";
            all = false;
            continue;
        }
        if (wanted.fitText != nullptr &&
            textAdvance(fonts_[i], decoder_, wanted.fitText) > wanted.fitWidth) {
            std::string narrow;
            std::string ignored;
            GlyphFont& font = fonts_[i];
            if (findFontFile(wanted.narrowFamily, nullptr, narrow)) {
                font.open(narrow, wanted.cellHeight, wanted.style, FONT_SMOOTHING, ignored);
            }
            if (!font.isOpen()) {
                font.open(path, wanted.cellHeight, wanted.style, FONT_SMOOTHING, ignored);
            }
        }
        fonts_[i].preload(common, commonCount);
        fonts_[i].preload(own, ownCount);
    }
    return all;
}
