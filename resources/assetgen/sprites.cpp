// The small pictures: envelopes, mailboxes, the wreck, the virus, its missile,
// the player's craft and shot, and the fireball.
#include <algorithm>
#include <cmath>

#include "assets.h"

namespace assetgen {

namespace {

constexpr double PI = 3.14159265358979323846;

// A crisp one-pixel line, both ends included.
void line(Canvas& c, int x0, int y0, int x1, int y1, Rgb colour) {
    int dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
    int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    for (;;) {
        c.set(x0, y0, colour);
        if (x0 == x1 && y0 == y1) break;
        int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x0 += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y0 += sy;
        }
    }
}

// A polygon filled by pixel centres, no edge blending.
void solid(Canvas& c, int ox, int oy, std::vector<std::pair<double, double>> pts, Rgb colour) {
    for (auto& p : pts) {
        p.first += ox;
        p.second += oy;
    }
    c.fill(polygon(pts), colour, ox - 1, oy - 1, ox + 64, oy + 64, 1);
}

struct EnvelopeInk {
    Rgb body, light, shade, border;
};

EnvelopeInk inkFor(Envelope kind) {
    switch (kind) {
    case Envelope::Yellow:
        return {{255, 222, 24}, {255, 243, 128}, {222, 170, 0}, BLACK};
    case Envelope::Red:
        return {{226, 28, 28}, {255, 104, 88}, {160, 8, 8}, BLACK};
    case Envelope::Purple:
        return {{128, 0, 128}, {178, 52, 178}, {86, 0, 86}, {255, 232, 0}};
    case Envelope::Cyan:
        return {{0, 220, 238}, {150, 248, 255}, {0, 156, 186}, BLACK};
    }
    return {};
}

struct LaneInk {
    Rgb body, light, shade, dark;
};

LaneInk inkFor(Lane lane) {
    auto make = [](Rgb base) {
        return LaneInk{base, mix(base, WHITE, 0.45), mix(base, BLACK, 0.22),
                       mix(base, BLACK, 0.45)};
    };
    switch (lane) {
    case Lane::Red: return make({228, 30, 30});
    case Lane::Blue: return make({40, 80, 236});
    case Lane::Green: return make({22, 178, 58});
    case Lane::Cyan: return make({0, 206, 224});
    case Lane::Yellow: return make({250, 214, 0});
    }
    return {};
}

}  // namespace

std::vector<Rgb> envelopeColours(Envelope kind) {
    EnvelopeInk ink = inkFor(kind);
    return {ink.border, ink.body, ink.light, ink.shade};
}

std::vector<Rgb> mailboxColours(Lane lane) {
    LaneInk ink = inkFor(lane);
    return {WHITE, BLACK, ink.body, ink.light, ink.shade, ink.dark};
}

void drawEnvelope(Canvas& c, int x, int y, Envelope kind) {
    const EnvelopeInk ink = inkFor(kind);
    // Body: lit at the top, a little darker towards the bottom.
    for (int row = 0; row < 16; ++row)
        for (int col = 0; col < 24; ++col)
            c.set(x + col, y + row, row < 11 ? ink.body : mix(ink.body, ink.shade, 0.55));
    // The lower folds meet under the flap.
    c.fill(polygon({{x + 1.0, y + 15.0}, {x + 12.0, y + 8.0}, {x + 23.0, y + 15.0}}), ink.shade,
           x + 1, y + 8, x + 23, y + 15, 4);
    c.fill(polygon({{x + 1.0, y + 15.0}, {x + 12.0, y + 8.5}, {x + 23.0, y + 15.0}}),
           mix(ink.body, ink.shade, 0.35), x + 1, y + 9, x + 23, y + 15, 4);
    // The flap, lighter, with its two edges.
    c.fill(polygon({{x + 1.0, y + 1.0}, {x + 23.0, y + 1.0}, {x + 12.0, y + 10.0}}), ink.light,
           x + 1, y + 1, x + 23, y + 11, 4);
    c.fill(segment(x + 1.0, y + 1.0, x + 12.0, y + 10.0, 1.15), ink.border, x, y, x + 24,
           y + 16, 4);
    c.fill(segment(x + 23.0, y + 1.0, x + 12.0, y + 10.0, 1.15), ink.border, x, y, x + 24,
           y + 16, 4);
    // A gleam on the flap.
    c.set(x + 5, y + 2, mix(ink.light, WHITE, 0.5));
    c.set(x + 6, y + 2, mix(ink.light, WHITE, 0.3));
    // Border.
    line(c, x, y, x + 23, y, ink.border);
    line(c, x, y + 15, x + 23, y + 15, ink.border);
    line(c, x, y, x, y + 15, ink.border);
    line(c, x + 23, y, x + 23, y + 15, ink.border);
}

void drawMailbox(Canvas& c, int x, int y, Lane lane) {
    const LaneInk ink = inkFor(lane);
    // Corners of the box: A-B-C-D the top, E-F-G the bottom.
    // The back edge of the lid is the top row, so the lane line above runs
    // straight into the box.
    const int ax = 3, ay = 0, bx = 8, by = 3, cx = 21, cy = 3, dx = 16, dy = 0;
    const int ex = 3, ey = 13, fx = 8, fy = 16, gx = 21, gy = 16;
    // Faces: the top is lit, the left face in shadow, the front in full colour.
    solid(c, x, y, {{ax + .5, ay + .5}, {bx + .5, by + .5}, {cx + .5, cy + .5}, {dx + .5, dy + .5}},
          ink.light);
    solid(c, x, y, {{ax + .5, ay + .5}, {bx + .5, by + .5}, {fx + .5, fy + .5}, {ex + .5, ey + .5}},
          ink.shade);
    solid(c, x, y, {{bx + .5, by + .5}, {cx + 1.0, cy + .5}, {gx + 1.0, gy + 1.0}, {fx + .5, fy + 1.0}},
          ink.body);
    // Shadow under the lid and a darker foot of the front face.
    line(c, x + bx + 1, y + by + 1, x + cx - 1, y + cy + 1, ink.shade);
    line(c, x + fx + 1, y + fy - 1, x + gx - 1, y + gy - 1, ink.shade);
    line(c, x + cx - 1, y + cy + 2, x + gx - 1, y + gy - 2, ink.shade);
    // Highlights along the lit edges.
    line(c, x + bx + 1, y + by + 2, x + bx + 1, y + fy - 2, mix(ink.body, WHITE, 0.3));
    line(c, x + ax + 2, y + ay, x + dx - 1, y + dy, mix(ink.light, WHITE, 0.45));
    // The mail slot on the front.
    line(c, x + 12, y + 7, x + 18, y + 7, BLACK);
    line(c, x + 12, y + 8, x + 18, y + 8, ink.light);
    // The small white oval on the left face.
    c.set(x + 5, y + 6, WHITE);
    c.set(x + 6, y + 6, WHITE);
    c.set(x + 5, y + 7, WHITE);
    c.set(x + 6, y + 7, WHITE);
    c.set(x + 5, y + 8, WHITE);
    c.set(x + 6, y + 8, mix(WHITE, ink.shade, 0.5));
    c.set(x + 6, y + 5, mix(WHITE, ink.shade, 0.5));
    c.set(x + 5, y + 9, mix(WHITE, ink.shade, 0.5));
    // Outline.
    line(c, x + ax, y + ay, x + bx, y + by, BLACK);
    line(c, x + bx, y + by, x + cx, y + cy, BLACK);
    line(c, x + cx, y + cy, x + dx, y + dy, BLACK);
    line(c, x + dx, y + dy, x + ax, y + ay, BLACK);
    line(c, x + ax, y + ay, x + ex, y + ey, BLACK);
    line(c, x + ex, y + ey, x + fx, y + fy, BLACK);
    line(c, x + fx, y + fy, x + gx, y + gy, BLACK);
    line(c, x + gx, y + gy, x + cx, y + cy, BLACK);
    line(c, x + bx, y + by, x + fx, y + fy, BLACK);
    // The post, columns 9 to 12, down to the bottom row.
    for (int row = fy + 1; row < 24; ++row) {
        c.set(x + 9, y + row, BLACK);
        c.set(x + 10, y + row, ink.light);
        c.set(x + 11, y + row, ink.body);
        c.set(x + 12, y + row, BLACK);
    }
    c.set(x + 10, y + fy + 1, ink.dark);
    c.set(x + 11, y + fy + 1, ink.dark);
    c.set(x + 10, y + 23, ink.shade);
    c.set(x + 11, y + 23, ink.shade);
}

void drawWreck(Canvas& c, int x, int y) {
    const Rgb dark{50, 50, 54}, mid{92, 92, 98}, smoke{190, 190, 196}, smokeEdge{150, 150, 158};
    auto at = [&](std::vector<std::pair<double, double>> pts) {
        for (auto& p : pts) {
            p.first += x;
            p.second += y;
        }
        return polygon(pts);
    };
    // A puff of smoke rising from the wreck.
    c.fill(unite(circle(x + 9.5, y + 5.5, 3.2), unite(circle(x + 13.5, y + 4.0, 3.6), circle(x + 16.5, y + 7.0, 2.6))),
           smokeEdge, x, y, x + 24, y + 24, 4);
    c.fill(unite(circle(x + 9.8, y + 5.8, 2.2), unite(circle(x + 13.5, y + 4.3, 2.6), circle(x + 16.2, y + 7.2, 1.6))),
           smoke, x, y, x + 24, y + 24, 4);
    // The crushed box: a low heap with a torn, jagged top and bent-up sheets.
    // The crushed box, tipped over, its top torn open in a jagged edge, and
    // its lid bent back.
    Shape heap = at({{3.0, 21.5}, {2.5, 15.0}, {5.0, 13.5}, {6.5, 15.5}, {8.0, 12.0}, {10.0, 14.0},
                     {12.0, 10.5}, {13.5, 13.0}, {16.0, 10.0}, {17.0, 12.5}, {19.5, 11.0},
                     {21.5, 19.0}, {20.0, 21.5}});
    c.fill(heap, BLACK, x, y, x + 24, y + 24, 4);
    c.fill(at({{3.5, 14.5}, {0.5, 8.5}, {2.5, 7.5}, {5.5, 13.5}}), BLACK, x, y, x + 24, y + 24, 4);
    // The snapped post under it, where the mailbox stood.
    c.fillRect(x + 9, y + 20, x + 13, y + 24, BLACK);
    // Shards flung to the sides.
    c.fill(at({{0.0, 13.0}, {3.0, 11.5}, {1.5, 15.0}}), BLACK, x, y, x + 24, y + 24, 4);
    c.fill(at({{21.0, 9.0}, {24.0, 10.5}, {22.0, 12.0}}), BLACK, x, y, x + 24, y + 24, 4);
    // Dull glints along the crumpled edges.
    line(c, x + 4, y + 16, x + 7, y + 17, mid);
    line(c, x + 8, y + 14, x + 11, y + 16, dark);
    line(c, x + 12, y + 13, x + 16, y + 13, mid);
    line(c, x + 17, y + 14, x + 19, y + 19, dark);
    line(c, x + 5, y + 20, x + 18, y + 20, dark);
    line(c, x + 2, y + 10, x + 3, y + 12, mid);
    c.set(x + 10, y + 22, dark);
}

void drawVirus(Canvas& c, int x, int y) {
    const double cx = x + 12, cy = y + 12;
    const Rgb red{222, 16, 16}, deepRed{150, 0, 0}, teal{0, 128, 128}, tealLight{40, 184, 176};
    c.fill(circle(cx, cy, 11.6), red, x, y, x + 24, y + 24, 6);
    c.fill(ring(cx, cy, 11.6, 10.2), [&](double px, double py) {
        return (px - cx) + (py - cy) > 4 ? deepRed : red;
    }, x, y, x + 24, y + 24, 6);
    c.fill(circle(cx, cy, 9.4), BLACK, x, y, x + 24, y + 24, 6);
    // The spindle: where two circles overlap, pointed at top and bottom.
    Shape spindle = intersect(circle(cx - 8.0, cy, 11.2), circle(cx + 8.0, cy, 11.2));
    spindle = intersect(spindle, circle(cx, cy, 9.4));
    c.fill(spindle, [&](double px, double) { return px < cx - 1.6 ? tealLight : teal; }, x, y,
           x + 24, y + 24, 6);
    // A glint on the black shell.
    c.fill(circle(cx - 5.2, cy - 5.0, 1.3), Rgb{110, 110, 120}, x, y, x + 24, y + 24, 6);
}

void drawMissile(Canvas& c, int x, int y) {
    const double cx = x + 4, cy = y + 4;
    c.fill(circle(cx, cy, 3.9), Rgb{230, 20, 20}, x, y, x + 8, y + 8, 6);
    c.fill(circle(cx, cy, 2.55), BLACK, x, y, x + 8, y + 8, 6);
    c.set(x + 3, y + 3, Rgb{90, 90, 96});
}

void drawShot(Canvas& c, int x, int y) {
    const Rgb blue{16, 64, 232}, cyan{0, 236, 255}, hot{200, 255, 255};
    for (int row = 0; row < 16; ++row) {
        bool tip = row == 0 || row == 15;
        bool shoulder = row == 1 || row == 14;
        Rgb side = tip ? WHITE : shoulder ? mix(blue, WHITE, 0.45) : blue;
        Rgb core = tip ? blue : row < 6 ? hot : cyan;
        c.set(x, y + row, side);
        c.set(x + 1, y + row, core);
        c.set(x + 2, y + row, side);
    }
}

void drawPlayer(Canvas& c, int x, int y) {
    const int x1 = x + 32, y1 = y + 32;
    auto P = [&](double px, double py) { return std::make_pair(x + px, y + py); };
    const Rgb rod{44, 44, 60}, pale{150, 206, 255}, paleEdge{96, 160, 236}, blue{28, 72, 220},
        deepBlue{16, 40, 150};
    // Two thin rods spread to both sides. Everything stays inside columns
    // 2 to 29: a move of 6 pixels repaints only 4 columns of the craft's old
    // place, so the two outer columns on each side must be background.
    c.fill(segment(x + 12.5, y + 19.0, x + 3.4, y + 9.8, 1.3), rod, x, y, x1, y1, 6);
    c.fill(segment(x + 19.5, y + 19.0, x + 28.6, y + 9.8, 1.3), rod, x, y, x1, y1, 6);
    c.fill(circle(x + 3.3, y + 9.7, 1.0), rod, x, y, x1, y1, 6);
    c.fill(circle(x + 28.7, y + 9.7, 1.0), rod, x, y, x1, y1, 6);
    // Wings: the pale outer sweep, the blue inner feather.
    for (int side = -1; side <= 1; side += 2) {
        auto m = [&](double px, double py) { return P(16 + side * (16 - px), py); };
        Shape outer = polygon({m(12, 16), m(6, 13), m(2, 16), m(3, 20), m(6, 24), m(12, 26)});
        Shape inner = polygon({m(12, 19), m(7, 18), m(5, 21), m(8, 24), m(12, 25)});
        c.fill(outer, [&](double, double py) { return py < y + 17.5 ? pale : mix(pale, paleEdge, 0.4); },
               x, y, x1, y1, 6);
        c.fill(subtract(outer, polygon({m(12, 17.2), m(6, 14.2), m(3.2, 16.4), m(4, 20),
                                          m(6.6, 23), m(12, 25)})),
               paleEdge, x, y, x1, y1, 6);
        c.fill(inner, [&](double, double py) { return py < y + 21 ? blue : deepBlue; }, x, y, x1,
               y1, 6);
    }
    // Body, lit from the upper left.
    c.fill(ellipse(x + 16, y + 21, 5.6, 7.2), [&](double px, double py) {
        double t = std::clamp(((px - x - 12) + (py - y - 16)) / 16.0, 0.0, 1.0);
        return mix(Rgb{112, 112, 122}, Rgb{40, 40, 46}, t);
    }, x, y, x1, y1, 6);
    // Feet.
    c.fill(ellipse(x + 12.4, y + 29.4, 3.0, 1.9), [&](double, double py) {
        return py < y + 29 ? Rgb{70, 110, 246} : blue;
    }, x, y, x1, y1, 6);
    c.fill(ellipse(x + 19.6, y + 29.4, 3.0, 1.9), [&](double, double py) {
        return py < y + 29 ? Rgb{70, 110, 246} : blue;
    }, x, y, x1, y1, 6);
    // Head: a grey ball with a soft highlight.
    c.fill(circle(x + 16, y + 10, 6.6), [&](double px, double py) {
        double d = std::hypot(px - (x + 14), py - (y + 7.5)) / 10.5;
        return mix(Rgb{222, 222, 228}, Rgb{104, 104, 112}, std::clamp(d, 0.0, 1.0));
    }, x, y, x1, y1, 6);
    // The yellow spot at the neck.
    c.fill(ellipse(x + 16, y + 16.6, 1.9, 1.4), Rgb{255, 218, 0}, x, y, x1, y1, 6);
    // A curl of hair on top.
    const double hx = x + 17.2, hy = y + 2.9;
    c.fill(intersect(ring(hx, hy, 2.5, 1.3),
                     [&](double px, double py) { return !(px > hx && py > hy); }),
           Rgb{56, 56, 64}, x, y, x1, y1, 6);
    c.fill(segment(hx, hy + 1.8, x + 16.2, y + 4.6, 1.2), Rgb{56, 56, 64}, x, y, x1, y1, 6);
}

void drawFireball(Canvas& c, int x, int y, int size, int age) {
    const double centre = size / 2.0;
    const double radius = size / 2.0 - 0.3;
    struct Stop {
        double t;
        Rgb colour;
    };
    // Older frames burn a little cooler: the pale core shrinks.
    const double cool = age * 0.035;
    const Stop stops[] = {{0.0, {255, 255, 208}},
                          {0.24 - cool, {255, 255, 208}},
                          {0.40 - cool, {255, 234, 60}},
                          {0.58 - cool, {255, 150, 24}},
                          {0.76 - cool * 0.5, {222, 44, 12}},
                          {0.92, {120, 28, 10}},
                          {1.0, {84, 22, 10}}};
    auto ramp = [&](double t) {
        if (t <= 0) return stops[0].colour;
        for (size_t i = 1; i < std::size(stops); ++i)
            if (t <= stops[i].t)
                return mix(stops[i - 1].colour, stops[i].colour,
                           (t - stops[i - 1].t) / (stops[i].t - stops[i - 1].t));
        return stops[std::size(stops) - 1].colour;
    };
    const uint32_t seed = 7u + uint32_t(size);
    // Flame tongues: pointed bumps at jittered angles around the rim.
    auto tongues = [&](double angle) {
        double best = 0;
        const int count = 10;
        for (int k = 0; k < count; ++k) {
            double centre = (k + 0.8 * hashNoise(k, 1, seed)) / count;
            double width = 0.05 + 0.05 * hashNoise(k, 2, seed);
            double height = 0.55 + 0.45 * hashNoise(k, 3, seed);
            double d = std::abs(angle - centre);
            d = std::min(d, 1 - d);
            best = std::max(best, height * std::max(0.0, 1 - d / width));
        }
        return best;
    };
    const int n = 6;
    for (int py = 0; py < size; ++py) {
        for (int px = 0; px < size; ++px) {
            double r = 0, g = 0, b = 0;
            int hits = 0;
            for (int sy = 0; sy < n; ++sy) {
                for (int sx = 0; sx < n; ++sx) {
                    double u = px + (sx + 0.5) / n - centre, v = py + (sy + 0.5) / n - centre;
                    double angle = std::atan2(v, u) / (2 * PI) + 0.5;
                    // Flame tongues: two layers of noise around the rim.
                    double edge = radius * (0.66 + 0.3 * tongues(angle) +
                                            0.05 * periodicNoise(angle, 29, seed + 1));
                    double d = std::hypot(u, v);
                    if (d > edge) continue;
                    // Turbulence: a swirl of hotter and cooler patches.
                    double swirl = periodicNoise(angle + d / size * 0.9, 13, seed + 2) - 0.5;
                    double t = d / edge + 0.16 * swirl * (d / edge);
                    Rgb col = ramp(t);
                    r += col.r;
                    g += col.g;
                    b += col.b;
                    ++hits;
                }
            }
            if (hits == 0) continue;
            Rgb avg{uint8_t(std::lround(r / hits)), uint8_t(std::lround(g / hits)),
                    uint8_t(std::lround(b / hits))};
            c.blend(x + px, y + py, avg, double(hits) / (n * n));
        }
    }
}

}  // namespace assetgen
