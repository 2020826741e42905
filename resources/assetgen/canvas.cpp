#include "canvas.h"

#include <SDL.h>
#include <SDL_image.h>
#include <SDL_ttf.h>
#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <tuple>

namespace assetgen {

namespace {

uint8_t toByte(double v) {
    if (!(v > 0.0)) return 0;
    if (v >= 255.0) return 255;
    return static_cast<uint8_t>(std::lround(v));
}

}  // namespace

Rgb mix(Rgb a, Rgb b, double t) {
    return Rgb{toByte(a.r + (b.r - a.r) * t), toByte(a.g + (b.g - a.g) * t),
               toByte(a.b + (b.b - a.b) * t)};
}

// ---------------------------------------------------------------- canvas

Canvas::Canvas(int width, int height, Rgb background)
    : w_(width), h_(height), px_(static_cast<size_t>(width) * height * 3) {
    fillRect(0, 0, width, height, background);
}

Rgb Canvas::get(int x, int y) const {
    if (x < 0 || y < 0 || x >= w_ || y >= h_) return WHITE;
    const double* p = &px_[(static_cast<size_t>(y) * w_ + x) * 3];
    return Rgb{toByte(p[0]), toByte(p[1]), toByte(p[2])};
}

void Canvas::set(int x, int y, Rgb c) { blend(x, y, c, 1.0); }

void Canvas::blend(int x, int y, Rgb c, double a) {
    if (x < 0 || y < 0 || x >= w_ || y >= h_ || a <= 0.0) return;
    if (a > 1.0) a = 1.0;
    double* p = &px_[(static_cast<size_t>(y) * w_ + x) * 3];
    p[0] += (c.r - p[0]) * a;
    p[1] += (c.g - p[1]) * a;
    p[2] += (c.b - p[2]) * a;
}

void Canvas::fillRect(int x0, int y0, int x1, int y1, Rgb c) {
    for (int y = std::max(0, y0); y < std::min(h_, y1); ++y)
        for (int x = std::max(0, x0); x < std::min(w_, x1); ++x) set(x, y, c);
}

void Canvas::fill(const Shape& inside, const Paint& paint, int x0, int y0, int x1, int y1,
                  int n) {
    x0 = std::max(0, x0);
    y0 = std::max(0, y0);
    x1 = std::min(w_, x1);
    y1 = std::min(h_, y1);
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            int hits = 0;
            for (int sy = 0; sy < n; ++sy)
                for (int sx = 0; sx < n; ++sx)
                    if (inside(x + (sx + 0.5) / n, y + (sy + 0.5) / n)) ++hits;
            if (hits > 0) blend(x, y, paint(x + 0.5, y + 0.5), double(hits) / (n * n));
        }
    }
}

void Canvas::fill(const Shape& inside, Rgb c, int x0, int y0, int x1, int y1, int n) {
    fill(inside, [c](double, double) { return c; }, x0, y0, x1, y1, n);
}

void Canvas::paste(const Canvas& src, int x, int y, int scale) {
    for (int sy = 0; sy < src.height(); ++sy)
        for (int sx = 0; sx < src.width(); ++sx)
            for (int dy = 0; dy < scale; ++dy)
                for (int dx = 0; dx < scale; ++dx)
                    set(x + sx * scale + dx, y + sy * scale + dy, src.get(sx, sy));
}

// ---------------------------------------------------------------- shapes

Shape circle(double cx, double cy, double r) {
    return [=](double x, double y) { return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r; };
}

Shape ellipse(double cx, double cy, double rx, double ry) {
    return [=](double x, double y) {
        double u = (x - cx) / rx, v = (y - cy) / ry;
        return u * u + v * v <= 1.0;
    };
}

Shape ring(double cx, double cy, double rOuter, double rInner) {
    return [=](double x, double y) {
        double d = (x - cx) * (x - cx) + (y - cy) * (y - cy);
        return d <= rOuter * rOuter && d > rInner * rInner;
    };
}

Shape rect(double x0, double y0, double x1, double y1) {
    return [=](double x, double y) { return x >= x0 && x < x1 && y >= y0 && y < y1; };
}

Shape polygon(std::vector<std::pair<double, double>> pts) {
    return [pts = std::move(pts)](double x, double y) {
        bool in = false;
        for (size_t i = 0, j = pts.size() - 1; i < pts.size(); j = i++) {
            auto [xi, yi] = pts[i];
            auto [xj, yj] = pts[j];
            if ((yi > y) != (yj > y) && x < (xj - xi) * (y - yi) / (yj - yi) + xi) in = !in;
        }
        return in;
    };
}

Shape segment(double x0, double y0, double x1, double y1, double width) {
    return [=](double x, double y) {
        double dx = x1 - x0, dy = y1 - y0;
        double len2 = dx * dx + dy * dy;
        double t = len2 > 0 ? ((x - x0) * dx + (y - y0) * dy) / len2 : 0.0;
        t = std::clamp(t, 0.0, 1.0);
        double px = x0 + t * dx - x, py = y0 + t * dy - y;
        return px * px + py * py <= width * width / 4;
    };
}

Shape unite(Shape a, Shape b) {
    return [=](double x, double y) { return a(x, y) || b(x, y); };
}
Shape subtract(Shape a, Shape b) {
    return [=](double x, double y) { return a(x, y) && !b(x, y); };
}
Shape intersect(Shape a, Shape b) {
    return [=](double x, double y) { return a(x, y) && b(x, y); };
}

double hashNoise(int x, int y, uint32_t seed) {
    uint32_t h = seed * 0x9E3779B1u ^ static_cast<uint32_t>(x) * 0x85EBCA77u ^
                 static_cast<uint32_t>(y) * 0xC2B2AE3Du;
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    h *= 0x297A2D39u;
    h ^= h >> 15;
    return (h & 0xFFFFFF) / double(0x1000000);
}

double periodicNoise(double t, int period, uint32_t seed) {
    double f = t - std::floor(t);
    double p = f * period;
    int i = static_cast<int>(p) % period;
    double u = p - std::floor(p);
    u = u * u * (3 - 2 * u);
    double a = hashNoise(i, 0, seed), b = hashNoise((i + 1) % period, 0, seed);
    return a + (b - a) * u;
}

// ---------------------------------------------------------------- text

namespace {

std::map<Face, std::string> fontFiles;
std::map<std::tuple<Face, int>, TTF_Font*> openFonts;

TTF_Font* fontFor(const TextStyle& style) {
    auto key = std::make_tuple(style.face, style.size);
    auto it = openFonts.find(key);
    TTF_Font* font = nullptr;
    if (it != openFonts.end()) {
        font = it->second;
    } else {
        font = TTF_OpenFont(fontFiles[style.face].c_str(), style.size);
        if (!font) {
            std::fprintf(stderr, "velno-assetgen: cannot open font: %s\n", TTF_GetError());
            std::exit(1);
        }
        TTF_SetFontHinting(font, TTF_HINTING_NORMAL);
        TTF_SetFontKerning(font, 1);
        openFonts[key] = font;
    }
    int want = style.bold ? TTF_STYLE_BOLD : TTF_STYLE_NORMAL;
    if (TTF_GetFontStyle(font) != want) TTF_SetFontStyle(font, want);
    return font;
}

std::string findFontFile(const char* family) {
    std::string path;
    FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>(family));
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    if (match) {
        FcChar8* file = nullptr;
        FcChar8* got = nullptr;
        if (FcPatternGetString(match, FC_FAMILY, 0, &got) == FcResultMatch &&
            std::string(reinterpret_cast<char*>(got)) == family &&
            FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch)
            path = reinterpret_cast<char*>(file);
        FcPatternDestroy(match);
    }
    FcPatternDestroy(pattern);
    return path;
}

// Renders a line to an alpha mask.
struct Mask {
    int w = 0, h = 0;
    std::vector<uint8_t> a;
    uint8_t at(int x, int y) const {
        return (x < 0 || y < 0 || x >= w || y >= h) ? 0 : a[static_cast<size_t>(y) * w + x];
    }
};

Mask renderMask(const TextStyle& style, const std::string& utf8) {
    Mask m;
    if (utf8.empty()) return m;
    TTF_Font* font = fontFor(style);
    SDL_Surface* s = TTF_RenderUTF8_Blended(font, utf8.c_str(), SDL_Color{255, 255, 255, 255});
    if (!s) return m;
    SDL_Surface* c = SDL_ConvertSurfaceFormat(s, SDL_PIXELFORMAT_ARGB8888, 0);
    SDL_FreeSurface(s);
    if (!c) return m;
    m.w = c->w;
    m.h = c->h;
    m.a.resize(static_cast<size_t>(m.w) * m.h);
    for (int y = 0; y < m.h; ++y) {
        auto* row = reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(c->pixels) +
                                                      static_cast<size_t>(y) * c->pitch);
        for (int x = 0; x < m.w; ++x) m.a[static_cast<size_t>(y) * m.w + x] = row[x] >> 24;
    }
    SDL_FreeSurface(c);
    return m;
}

Mask rotateClockwise(const Mask& in) {
    Mask out;
    out.w = in.h;
    out.h = in.w;
    out.a.resize(in.a.size());
    for (int y = 0; y < in.h; ++y)
        for (int x = 0; x < in.w; ++x)
            out.a[static_cast<size_t>(x) * out.w + (in.h - 1 - y)] = in.at(x, y);
    return out;
}

void blendMask(Canvas& canvas, const Mask& m, const TextStyle& style, int x, int y,
               const Shape& clip) {
    double slant = style.italic ? 0.2 : 0.0;
    int baseline = style.italic ? TTF_FontAscent(fontFor(style)) : 0;
    for (int my = 0; my < m.h; ++my) {
        double shift = (baseline - my) * slant;
        int whole = static_cast<int>(std::floor(shift));
        double frac = shift - whole;
        for (int mx = -1; mx < m.w; ++mx) {
            double a = (m.at(mx, my) * (1 - frac) + m.at(mx - 1, my) * frac) / 255.0;
            if (slant == 0.0) a = m.at(mx, my) / 255.0;
            if (a <= 0.0) continue;
            int px = x + mx + (slant == 0.0 ? 0 : whole + 1), py = y + my;
            if (clip && !clip(px + 0.5, py + 0.5)) continue;
            canvas.blend(px, py, style.colour, a);
        }
    }
}

}  // namespace

bool initFonts() {
    if (TTF_Init() != 0) return false;
    if (!FcInit()) return false;
    const std::pair<Face, const char*> families[] = {{Face::Gothic, "IPAGothic"},
                                                     {Face::PGothic, "IPAPGothic"},
                                                     {Face::Mincho, "IPAMincho"},
                                                     {Face::PMincho, "IPAPMincho"}};
    for (auto [face, family] : families) {
        std::string path = findFontFile(family);
        if (path.empty()) {
            std::fprintf(stderr, "velno-assetgen: font %s not found\n", family);
            return false;
        }
        fontFiles[face] = path;
    }
    return true;
}

void closeFonts() {
    for (auto& [key, font] : openFonts) TTF_CloseFont(font);
    openFonts.clear();
    TTF_Quit();
    FcFini();
}

int textWidth(const TextStyle& style, const std::string& utf8) {
    int w = 0, h = 0;
    if (utf8.empty()) return 0;
    TTF_SizeUTF8(fontFor(style), utf8.c_str(), &w, &h);
    return w;
}

int drawText(Canvas& canvas, const TextStyle& style, const std::string& utf8, int x, int y,
             const Shape& clip) {
    Mask m = renderMask(style, utf8);
    blendMask(canvas, m, style, x, y, clip);
    return textWidth(style, utf8);
}

void drawTextCentred(Canvas& canvas, const TextStyle& style, const std::string& utf8, int cx,
                     int y) {
    drawText(canvas, style, utf8, cx - textWidth(style, utf8) / 2, y);
}

std::vector<std::string> splitChars(const std::string& utf8) {
    std::vector<std::string> out;
    for (size_t i = 0; i < utf8.size();) {
        unsigned char c = static_cast<unsigned char>(utf8[i]);
        size_t n = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
        out.push_back(utf8.substr(i, n));
        i += n;
    }
    return out;
}

void drawVertical(Canvas& canvas, const TextStyle& style, const std::string& utf8, int cx, int y,
                  int pitch) {
    static const std::string turned[] = {"ー", "「", "」", "（", "）", "…", "〜", "―", "－"};
    static const std::string corner[] = {"、", "。"};
    static const std::string small[] = {"ゃ", "ゅ", "ょ", "っ", "ャ", "ュ", "ョ", "ッ",
                                        "ァ", "ィ", "ゥ", "ェ", "ォ", "ぁ", "ぃ", "ぅ", "ぇ", "ぉ"};
    // Where the em box starts within a rendered line.
    const int lineTop = std::max(0, (TTF_FontHeight(fontFor(style)) - style.size) / 2);
    for (const std::string& ch : splitChars(utf8)) {
        Mask m = renderMask(style, ch);
        int dx = cx - m.w / 2, dy = y - lineTop;
        if (std::find(std::begin(turned), std::end(turned), ch) != std::end(turned)) {
            m = rotateClockwise(m);
            dx = cx - m.w / 2;
            dy = y + (pitch - m.h) / 2;
        } else if (std::find(std::begin(corner), std::end(corner), ch) != std::end(corner)) {
            dx += style.size * 6 / 10;
            dy -= style.size * 6 / 10;
        } else if (std::find(std::begin(small), std::end(small), ch) != std::end(small)) {
            dx += style.size / 8;
            dy -= style.size / 8;
        }
        blendMask(canvas, m, style, dx, dy, nullptr);
        y += pitch;
    }
}

std::vector<std::string> wrapText(const TextStyle& style, const std::string& utf8, int width) {
    static const std::string noStart[] = {"、", "。", "」", "）", "！", "？", "ー", "っ",
                                          "ッ", "ゃ", "ゅ", "ょ", "ャ", "ュ", "ョ", "…",
                                          "・", "，", "．", ",", ".", "!", "?", ")"};
    std::vector<std::string> lines;
    std::string line;
    for (const std::string& ch : splitChars(utf8)) {
        if (ch == "\n") {
            lines.push_back(line);
            line.clear();
            continue;
        }
        if (!line.empty() && textWidth(style, line + ch) > width &&
            std::find(std::begin(noStart), std::end(noStart), ch) == std::end(noStart)) {
            lines.push_back(line);
            line.clear();
        }
        line += ch;
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}

// ---------------------------------------------------------------- palette

namespace {

uint32_t key(Rgb c) { return (uint32_t(c.r) << 16) | (uint32_t(c.g) << 8) | c.b; }
Rgb fromKey(uint32_t k) { return Rgb{uint8_t(k >> 16), uint8_t(k >> 8), uint8_t(k)}; }

double distance(double r0, double g0, double b0, double r1, double g1, double b1) {
    double dr = r0 - r1, dg = g0 - g1, db = b0 - b1;
    return 2 * dr * dr + 4 * dg * dg + 3 * db * db;
}

int nearest(const std::vector<Rgb>& palette, Rgb c) {
    int best = 0;
    double bestD = -1;
    for (size_t i = 0; i < palette.size(); ++i) {
        double d = distance(c.r, c.g, c.b, palette[i].r, palette[i].g, palette[i].b);
        if (bestD < 0 || d < bestD) {
            bestD = d;
            best = static_cast<int>(i);
        }
    }
    return best;
}

}  // namespace

Indexed quantise(const Canvas& canvas, int bitsPerPixel, const std::vector<Rgb>& fixed) {
    const size_t size = size_t(1) << bitsPerPixel;
    std::map<uint32_t, double> histogram;
    for (int y = 0; y < canvas.height(); ++y)
        for (int x = 0; x < canvas.width(); ++x) histogram[key(canvas.get(x, y))] += 1;

    std::vector<Rgb> palette = fixed;
    std::vector<std::pair<Rgb, double>> colours;  // the picture's colours not in `fixed`
    for (auto [k, n] : histogram)
        if (std::find(fixed.begin(), fixed.end(), fromKey(k)) == fixed.end())
            colours.push_back({fromKey(k), n});

    if (palette.size() + colours.size() <= size) {
        for (auto& [c, n] : colours) palette.push_back(c);
    } else {
        // k-means over the histogram with the fixed colours as pinned centres.
        struct Centre {
            double r, g, b;
        };
        std::vector<Centre> centres;
        for (Rgb c : fixed) centres.push_back({double(c.r), double(c.g), double(c.b)});
        const size_t pinned = centres.size();
        std::vector<double> nearestD(colours.size());
        auto refresh = [&](const Centre& c) {
            for (size_t i = 0; i < colours.size(); ++i) {
                Rgb p = colours[i].first;
                nearestD[i] = std::min(nearestD[i], distance(p.r, p.g, p.b, c.r, c.g, c.b));
            }
        };
        std::fill(nearestD.begin(), nearestD.end(), 1e18);
        for (const Centre& c : centres) refresh(c);
        while (centres.size() < size) {
            size_t best = 0;
            double bestScore = -1;
            for (size_t i = 0; i < colours.size(); ++i) {
                double s = std::sqrt(colours[i].second) * nearestD[i];
                if (s > bestScore) {
                    bestScore = s;
                    best = i;
                }
            }
            Rgb p = colours[best].first;
            centres.push_back({double(p.r), double(p.g), double(p.b)});
            refresh(centres.back());
        }
        for (int iteration = 0; iteration < 16; ++iteration) {
            std::vector<Centre> sum(centres.size(), Centre{0, 0, 0});
            std::vector<double> weight(centres.size(), 0);
            for (auto& [p, n] : colours) {
                size_t best = 0;
                double bestD = 1e18;
                for (size_t c = 0; c < centres.size(); ++c) {
                    double d = distance(p.r, p.g, p.b, centres[c].r, centres[c].g, centres[c].b);
                    if (d < bestD) {
                        bestD = d;
                        best = c;
                    }
                }
                sum[best].r += p.r * n;
                sum[best].g += p.g * n;
                sum[best].b += p.b * n;
                weight[best] += n;
            }
            for (size_t c = pinned; c < centres.size(); ++c)
                if (weight[c] > 0)
                    centres[c] = {sum[c].r / weight[c], sum[c].g / weight[c], sum[c].b / weight[c]};
        }
        for (size_t c = pinned; c < centres.size(); ++c) {
            Rgb p{toByte(centres[c].r), toByte(centres[c].g), toByte(centres[c].b)};
            if (std::find(palette.begin(), palette.end(), p) == palette.end()) palette.push_back(p);
        }
    }
    // The entries after the fixed ones in order of brightness.
    std::sort(palette.begin() + static_cast<long>(fixed.size()), palette.end(),
              [](Rgb a, Rgb b) {
                  int la = a.r * 3 + a.g * 6 + a.b, lb = b.r * 3 + b.g * 6 + b.b;
                  return la != lb ? la < lb : key(a) < key(b);
              });

    Indexed out;
    out.width = canvas.width();
    out.height = canvas.height();
    out.bitsPerPixel = bitsPerPixel;
    std::map<uint32_t, uint8_t> lookup;
    out.pixels.resize(static_cast<size_t>(out.width) * out.height);
    for (int y = 0; y < out.height; ++y) {
        for (int x = 0; x < out.width; ++x) {
            Rgb c = canvas.get(x, y);
            auto it = lookup.find(key(c));
            if (it == lookup.end())
                it = lookup.emplace(key(c), static_cast<uint8_t>(nearest(palette, c))).first;
            out.pixels[static_cast<size_t>(y) * out.width + x] = it->second;
        }
    }
    palette.resize(size, BLACK);
    out.palette = palette;
    return out;
}

Canvas expand(const Indexed& picture) {
    Canvas c(picture.width, picture.height);
    for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < picture.width; ++x)
            c.set(x, y, picture.palette[picture.pixels[static_cast<size_t>(y) * picture.width + x]]);
    return c;
}

// ---------------------------------------------------------------- files

void put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
}

void put32(std::vector<uint8_t>& out, uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

std::vector<uint8_t> encodeDib(const Indexed& p) {
    const uint32_t colours = 1u << p.bitsPerPixel;
    const uint32_t rowBytes = ((uint32_t(p.width) * p.bitsPerPixel + 31) / 32) * 4;
    const uint32_t imageBytes = rowBytes * uint32_t(p.height);
    const uint32_t offset = 14 + 40 + colours * 4;
    std::vector<uint8_t> out;
    out.push_back('B');
    out.push_back('M');
    put32(out, offset + imageBytes);
    put32(out, 0);
    put32(out, offset);
    put32(out, 40);
    put32(out, uint32_t(p.width));
    put32(out, uint32_t(p.height));
    put16(out, 1);
    put16(out, uint32_t(p.bitsPerPixel));
    put32(out, 0);  // uncompressed
    put32(out, imageBytes);
    put32(out, 2835);  // 72 dots per inch
    put32(out, 2835);
    put32(out, colours);
    put32(out, 0);
    for (uint32_t i = 0; i < colours; ++i) {
        Rgb c = i < p.palette.size() ? p.palette[i] : BLACK;
        out.push_back(c.b);
        out.push_back(c.g);
        out.push_back(c.r);
        out.push_back(0);
    }
    for (int y = p.height - 1; y >= 0; --y) {
        std::vector<uint8_t> row(rowBytes, 0);
        for (int x = 0; x < p.width; ++x) {
            uint8_t v = p.pixels[static_cast<size_t>(y) * p.width + x];
            if (p.bitsPerPixel == 8)
                row[x] = v;
            else
                row[x / 2] |= (x % 2 == 0) ? uint8_t(v << 4) : v;
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

bool savePng(const Canvas& canvas, const std::string& path) {
    SDL_Surface* s =
        SDL_CreateRGBSurfaceWithFormat(0, canvas.width(), canvas.height(), 24, SDL_PIXELFORMAT_RGB24);
    if (!s) return false;
    for (int y = 0; y < canvas.height(); ++y) {
        uint8_t* row = static_cast<uint8_t*>(s->pixels) + static_cast<size_t>(y) * s->pitch;
        for (int x = 0; x < canvas.width(); ++x) {
            Rgb c = canvas.get(x, y);
            row[x * 3] = c.r;
            row[x * 3 + 1] = c.g;
            row[x * 3 + 2] = c.b;
        }
    }
    bool ok = IMG_SavePNG(s, path.c_str()) == 0;
    SDL_FreeSurface(s);
    return ok;
}

bool writeFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    ok = (std::fclose(f) == 0) && ok;
    return ok;
}

}  // namespace assetgen
