// Drawing helpers of the asset generator: a true-colour canvas with
// anti-aliased shapes and text, reduction to a 16- or 256-colour palette, and
// the file encoders (device-independent bitmap, PNG).
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct _TTF_Font;

namespace assetgen {

struct Rgb {
    uint8_t r = 0, g = 0, b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

constexpr Rgb WHITE{255, 255, 255};
constexpr Rgb BLACK{0, 0, 0};

// Linear mix: t = 0 gives a, t = 1 gives b.
Rgb mix(Rgb a, Rgb b, double t);

// Inside test of a shape in canvas coordinates (pixel centres at +0.5).
using Shape = std::function<bool(double x, double y)>;
// Colour of a shape at a point.
using Paint = std::function<Rgb(double x, double y)>;

class Canvas {
public:
    Canvas(int width, int height, Rgb background = WHITE);

    int width() const { return w_; }
    int height() const { return h_; }

    Rgb get(int x, int y) const;
    void set(int x, int y, Rgb c);
    // Mixes `c` into the pixel with opacity `a` (0..1); outside is ignored.
    void blend(int x, int y, Rgb c, double a);

    void fillRect(int x0, int y0, int x1, int y1, Rgb c);  // right/bottom exclusive
    // Fills a shape inside the box (x0, y0)-(x1, y1) with edge coverage found
    // by n x n supersampling.
    void fill(const Shape& inside, const Paint& paint, int x0, int y0, int x1, int y1,
              int n = 4);
    void fill(const Shape& inside, Rgb c, int x0, int y0, int x1, int y1, int n = 4);
    // Copies another canvas with its top-left corner at (x, y), scaled by an
    // integer factor.
    void paste(const Canvas& src, int x, int y, int scale = 1);

private:
    int w_, h_;
    std::vector<double> px_;
};

// Shapes.
Shape circle(double cx, double cy, double r);
Shape ellipse(double cx, double cy, double rx, double ry);
Shape ring(double cx, double cy, double rOuter, double rInner);
Shape rect(double x0, double y0, double x1, double y1);
Shape polygon(std::vector<std::pair<double, double>> points);
// A segment with round ends, `width` across.
Shape segment(double x0, double y0, double x1, double y1, double width);
Shape unite(Shape a, Shape b);
Shape subtract(Shape a, Shape b);
Shape intersect(Shape a, Shape b);

// Deterministic value noise in [0, 1) from integer coordinates and a seed.
double hashNoise(int x, int y, uint32_t seed);
// Smooth 1-D periodic noise, `period` lattice points around the circle.
double periodicNoise(double t, int period, uint32_t seed);

// Fonts, found through fontconfig by family name.
enum class Face { Gothic, PGothic, Mincho, PMincho };

struct TextStyle {
    Face face = Face::PGothic;
    int size = 12;        // pixel height of the em
    bool bold = false;    // synthetic emboldening
    bool italic = false;  // synthetic slant
    Rgb colour = BLACK;
};

bool initFonts();  // false if a face is missing
void closeFonts();
// Width in pixels of a UTF-8 line.
int textWidth(const TextStyle& style, const std::string& utf8);
// Draws a UTF-8 line with its top-left corner at (x, y), anti-aliased, clipped
// to `clip` when one is given. Returns the advance width.
int drawText(Canvas& canvas, const TextStyle& style, const std::string& utf8, int x, int y,
             const Shape& clip = nullptr);
// Draws a line centred on cx.
void drawTextCentred(Canvas& canvas, const TextStyle& style, const std::string& utf8, int cx,
                     int y);
// Draws a column of characters from the top down, one cell of `pitch` pixels
// each, with the column's centre at cx. Long-vowel marks and brackets are
// turned a quarter, small punctuation sits in the upper right of its cell.
void drawVertical(Canvas& canvas, const TextStyle& style, const std::string& utf8, int cx,
                  int y, int pitch);
// Splits UTF-8 text into code-point strings.
std::vector<std::string> splitChars(const std::string& utf8);
// Breaks text into lines no wider than `width`; a line break never leaves
// closing punctuation at the start of a line.
std::vector<std::string> wrapText(const TextStyle& style, const std::string& utf8, int width);

// An indexed-colour picture.
struct Indexed {
    int width = 0, height = 0, bitsPerPixel = 8;
    std::vector<Rgb> palette;  // 16 or 256 entries
    std::vector<uint8_t> pixels;  // row-major, top row first
};

// Reduces a canvas to 2^bits colours. Colours in `fixed` are always kept
// exactly; the rest of the palette is chosen from the picture's own colours.
Indexed quantise(const Canvas& canvas, int bitsPerPixel, const std::vector<Rgb>& fixed);
// The picture expanded back to true colour.
Canvas expand(const Indexed& picture);

// A Windows DIB file: file header, 40-byte info header, palette, bottom-up
// rows padded to four bytes.
std::vector<uint8_t> encodeDib(const Indexed& picture);
// Writes a canvas as a PNG file; false on failure.
bool savePng(const Canvas& canvas, const std::string& path);

// Little-endian byte writers.
void put16(std::vector<uint8_t>& out, uint32_t v);
void put32(std::vector<uint8_t>& out, uint32_t v);

bool writeFile(const std::string& path, const std::vector<uint8_t>& bytes);

}  // namespace assetgen
