// The contact sheet: every picture at twice its size, framed, with its number,
// name, size and colour depth; then each sound's waveform and the tune as a
// piano roll.
#include <algorithm>
#include <cmath>
#include <string>

#include "assets.h"

namespace assetgen {

namespace {

constexpr int SCALE = 2;
constexpr int MARGIN = 20;
constexpr int WIDTH = 1320;
const Rgb PAPER{226, 230, 238};
const Rgb FRAME{150, 156, 170};
const Rgb INK{30, 34, 48};
const Rgb SUBTLE{84, 90, 110};

struct Item {
    std::string title, detail;
    Canvas picture;
};

void frame(Canvas& sheet, int x, int y, int w, int h) {
    sheet.fillRect(x - 1, y - 1, x + w + 1, y, FRAME);
    sheet.fillRect(x - 1, y + h, x + w + 1, y + h + 1, FRAME);
    sheet.fillRect(x - 1, y, x, y + h, FRAME);
    sheet.fillRect(x + w, y, x + w + 1, y + h, FRAME);
}

// The samples of a wave file written by makeSounds, first channel, -1..1.
std::vector<double> samples(const Sound& s, int& channels, int& rate, int& bits) {
    const std::vector<uint8_t>& w = s.wave;
    auto le16 = [&](size_t at) { return w[at] | w[at + 1] << 8; };
    auto le32 = [&](size_t at) { return uint32_t(le16(at)) | uint32_t(le16(at + 2)) << 16; };
    channels = le16(22);
    rate = int(le32(24));
    bits = le16(34);
    const size_t data = 44, bytes = le32(40);
    const size_t frameBytes = size_t(channels * bits / 8);
    std::vector<double> out;
    for (size_t at = data; at + frameBytes <= data + bytes; at += frameBytes)
        out.push_back(bits == 8 ? (w[at] - 128) / 128.0 : int16_t(le16(at)) / 32768.0);
    return out;
}

}  // namespace

Canvas makeContactSheet(const std::vector<Picture>& pictures, const Canvas& icon,
                        const std::vector<Sound>& sounds, const std::vector<TuneNote>& tune,
                        int ticksPerBar) {
    const TextStyle title{Face::PGothic, 22, true, false, INK};
    const TextStyle section{Face::PGothic, 16, true, false, INK};
    const TextStyle label{Face::PGothic, 12, true, false, INK};
    const TextStyle detail{Face::PGothic, 11, false, false, SUBTLE};

    std::vector<Item> small, large;
    for (const Picture& p : pictures) {
        std::string info = std::to_string(p.image.width) + " × " + std::to_string(p.image.height) +
                           ", " + std::to_string(1 << p.image.bitsPerPixel) + " colours";
        Item item{std::to_string(p.number) + "  " + p.name, info, expand(p.image)};
        (p.image.width > 200 ? large : small).push_back(item);
    }
    small.push_back({"107  ICON_MAIN", "32 × 32, 16 colours + mask", icon});
    // The banner first, then the full-window pages.
    std::stable_partition(large.begin(), large.end(),
                          [](const Item& i) { return i.picture.height() < 100; });

    struct Place {
        const Item* item;
        int x, y;
    };
    struct Heading {
        std::string text;
        int y;
    };
    std::vector<Place> places;
    std::vector<Heading> headings;
    int x = MARGIN, y = 56, rowHeight = 0;
    headings.push_back({"Sprites and icon", y});
    y += 28;
    for (const Item& item : small) {
        int w = std::max({item.picture.width() * SCALE, textWidth(label, item.title),
                          textWidth(detail, item.detail)});
        int h = item.picture.height() * SCALE + 36;
        if (x + w > WIDTH - MARGIN) {
            x = MARGIN;
            y += rowHeight + 18;
            rowHeight = 0;
        }
        places.push_back({&item, x, y});
        x += w + 28;
        rowHeight = std::max(rowHeight, h);
    }
    y += rowHeight + 24;
    headings.push_back({"Banner and misfire pages", y});
    y += 28;
    for (const Item& item : large) {
        places.push_back({&item, MARGIN, y});
        y += item.picture.height() * SCALE + 36 + 24;
    }
    const int soundsTop = y;
    const int waveHeight = 56, waveWidth = (WIDTH - 2 * MARGIN - 28) / 2;
    y += 28 + int((sounds.size() + 1) / 2) * (waveHeight + 40) + 8;
    const int tuneTop = y;
    const int rollHeight = 260;
    y += 28 + 20 + rollHeight + 40;

    Canvas sheet(WIDTH, y, PAPER);
    drawText(sheet, title, "velno — pictures, icon, sounds and tune (pictures at 2×)", MARGIN, 14);
    for (const Heading& h : headings) drawText(sheet, section, h.text, MARGIN, h.y);
    for (const Place& p : places) {
        drawText(sheet, label, p.item->title, p.x, p.y);
        drawText(sheet, detail, p.item->detail, p.x, p.y + 15);
        int py = p.y + 34;
        frame(sheet, p.x, py, p.item->picture.width() * SCALE, p.item->picture.height() * SCALE);
        sheet.paste(p.item->picture, p.x, py, SCALE);
    }

    // Sounds: the first channel's waveform, min and max per column.
    drawText(sheet, section, "Sounds", MARGIN, soundsTop);
    for (size_t i = 0; i < sounds.size(); ++i) {
        int channels = 0, rate = 0, bits = 0;
        std::vector<double> s = samples(sounds[i], channels, rate, bits);
        const int wx = MARGIN + int(i % 2) * (waveWidth + 28);
        const int wy = soundsTop + 28 + int(i / 2) * (waveHeight + 40);
        char info[128];
        std::snprintf(info, sizeof info, "%d ch, %d Hz, %d bit, %zu frames, %.0f ms", channels,
                      rate, bits, s.size(), 1000.0 * double(s.size()) / rate);
        drawText(sheet, label, std::to_string(sounds[i].number) + "  " + sounds[i].name, wx, wy);
        drawText(sheet, detail, info, wx, wy + 15);
        const int top = wy + 34;
        sheet.fillRect(wx, top, wx + waveWidth, top + waveHeight, WHITE);
        frame(sheet, wx, top, waveWidth, waveHeight);
        sheet.fillRect(wx, top + waveHeight / 2, wx + waveWidth, top + waveHeight / 2 + 1, FRAME);
        for (int col = 0; col < waveWidth; ++col) {
            size_t from = s.size() * size_t(col) / size_t(waveWidth);
            size_t to = std::max(from + 1, s.size() * size_t(col + 1) / size_t(waveWidth));
            double lo = 0, hi = 0;
            for (size_t k = from; k < to && k < s.size(); ++k) {
                lo = std::min(lo, s[k]);
                hi = std::max(hi, s[k]);
            }
            int y0 = top + waveHeight / 2 - int(std::lround(hi * (waveHeight / 2 - 2)));
            int y1 = top + waveHeight / 2 - int(std::lround(lo * (waveHeight / 2 - 2)));
            sheet.fillRect(wx + col, y0, wx + col + 1, y1 + 1, Rgb{40, 90, 200});
        }
    }

    // The tune: one row per key, a colour per part, the drums along the bottom.
    drawText(sheet, section, "VELNO.MID", MARGIN, tuneTop);
    int end = 0, lowKey = 127, highKey = 0;
    for (const TuneNote& n : tune) {
        end = std::max(end, n.start + n.length);
        if (n.channel != 9) {
            lowKey = std::min(lowKey, n.key);
            highKey = std::max(highKey, n.key);
        }
    }
    const int bars = ticksPerBar > 0 ? (end + ticksPerBar - 1) / ticksPerBar : 0;
    drawText(sheet, detail,
             std::to_string(bars) + " bars of 4/4 at 150 beats a minute; lead, bass, electric "
             "piano, vibraphone, brass, drums. Form A A' B B', looping from the last bar line.",
             MARGIN, tuneTop + 22);
    const int rx = MARGIN, ry = tuneTop + 44, rw = WIDTH - 2 * MARGIN, drumRows = 28;
    const int keyRows = highKey - lowKey + 1;
    const double rowH = double(rollHeight - drumRows - 6) / std::max(1, keyRows);
    sheet.fillRect(rx, ry, rx + rw, ry + rollHeight, WHITE);
    frame(sheet, rx, ry, rw, rollHeight);
    auto tx = [&](int tick) { return rx + int(std::lround(double(tick) * rw / std::max(1, end))); };
    for (int bar = 0; bar <= bars; ++bar) {
        Rgb c = bar % 8 == 0 ? FRAME : Rgb{222, 226, 234};
        sheet.fillRect(tx(bar * ticksPerBar), ry, tx(bar * ticksPerBar) + 1, ry + rollHeight, c);
    }
    const char* parts[] = {"A", "A'", "B", "B'"};
    for (int k = 0; k < 4 && bars >= 32; ++k)
        drawText(sheet, label, parts[k], tx(k * 8 * ticksPerBar) + 4, ry + 2);
    const Rgb colours[] = {{220, 40, 40}, {40, 70, 200}, {60, 160, 80}, {200, 130, 20}, {150, 60, 170}};
    for (const TuneNote& n : tune) {
        if (n.channel == 9) {
            int row = n.key == 36 ? 0 : n.key == 38 ? 1 : (n.key == 42 || n.key == 46) ? 2 : 3;
            int yy = ry + rollHeight - drumRows + row * 7;
            sheet.fillRect(tx(n.start), yy, tx(n.start) + 2, yy + 5, INK);
            continue;
        }
        int yy = ry + 4 + int((highKey - n.key) * rowH);
        Rgb c = colours[std::clamp(n.channel, 0, 4)];
        sheet.fillRect(tx(n.start), yy, std::max(tx(n.start) + 1, tx(n.start + n.length) - 1),
                       yy + std::max(2, int(rowH)), c);
    }
    return sheet;
}

}  // namespace assetgen
