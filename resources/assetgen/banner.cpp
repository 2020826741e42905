// The top banner: navy bands, the legend of good and bad mail, the key help,
// the white field that the score line is drawn into, and a cloud labelled
// "The Internet" that the mails come from.
#include <algorithm>
#include <cmath>

#include "assets.h"

namespace assetgen {

namespace {

const Rgb NAVY{0, 0, 128};
const Rgb GREY{128, 128, 128};

// The score-line field: white from x = 296 to the right edge on rows 37..52,
// a navy bar at x = 293..295 on its left and a navy band under it.
constexpr int FIELD_LEFT = 293;
constexpr int FIELD_BOTTOM = 56;

bool inField(double x, double y) { return x >= FIELD_LEFT - 1 && y < FIELD_BOTTOM + 1; }

// A key cap with a label, `w` wide.
void keyCap(Canvas& c, int x, int y, int w, const std::string& label, const TextStyle& style) {
    const int h = 13;
    c.fill([=](double px, double py) {
        // A rounded rectangle outline, one pixel thick.
        auto inside = [&](double ix, double iy, double inset) {
            double l = x + inset, t = y + inset, r = x + w - inset, b = y + h - inset;
            double rad = 2.5 - inset;
            double cx = std::clamp(ix, l + rad, r - rad), cy = std::clamp(iy, t + rad, b - rad);
            return (ix - cx) * (ix - cx) + (iy - cy) * (iy - cy) <= rad * rad && ix >= l &&
                   ix <= r && iy >= t && iy <= b;
        };
        return inside(px, py, 0) && !inside(px, py, 1.1);
    }, NAVY, x - 1, y - 1, x + w + 1, y + h + 1, 4);
    c.fillRect(x + 2, y + h - 2, x + w - 2, y + h - 1, mix(NAVY, WHITE, 0.6));
    int tw = textWidth(style, label);
    drawText(c, style, label, x + (w - tw) / 2, y);
}

void arrow(Canvas& c, int x, int y, int w, bool right) {
    keyCap(c, x, y, w, "", TextStyle{});
    double cy = y + 6.0;
    double tip = right ? x + w - 3.5 : x + 3.5, tail = right ? x + 3.5 : x + w - 3.5;
    double back = right ? tip - 3.5 : tip + 3.5;
    c.fill(segment(tail, cy, tip, cy, 1.4), NAVY, x, y, x + w, y + 13, 4);
    c.fill(polygon({{tip + (right ? 0.8 : -0.8), cy}, {back, cy - 3.5}, {back, cy + 3.5}}), NAVY,
           x, y, x + w, y + 13, 4);
}

// The cloud: a union of circles over a body, tall on the left where the
// banner is free, flatter on the right under the score-line field.
bool inCloud(double x, double y) {
    struct Bump {
        double x, y, r;
    };
    static const std::vector<Bump> bumps = [] {
        std::vector<Bump> b;
        for (int i = 0; i < 13; ++i) b.push_back({22.0 + i * 20.0, 48.6 + (i % 2) * 1.0, 11.0 - (i % 2)});
        for (int i = 0; i < 29; ++i) b.push_back({298.0 + i * 11.0, 64.6 + (i % 2) * 0.6, 7.0 - (i % 2) * 0.6});
        for (int i = 0; i < 50; ++i) b.push_back({18.0 + i * 12.0, 70.0, 7.0});
        b.push_back({14.0, 60.0, 11.0});
        b.push_back({607.0, 68.0, 7.0});
        b.push_back({283.0, 58.0, 8.0});
        return b;
    }();
    for (const Bump& b : bumps)
        if ((x - b.x) * (x - b.x) + (y - b.y) * (y - b.y) <= b.r * b.r) return !inField(x, y);
    bool body = (x >= 14 && x <= 606 && y >= 66 && y <= 72) || (x >= 14 && x <= 284 && y >= 50 && y <= 72);
    return body && !inField(x, y);
}

bool onCloudEdge(double x, double y) {
    if (!inCloud(x, y)) return false;
    const double d = 1.15;
    for (int i = 0; i < 8; ++i) {
        double a = i * 3.14159265358979 / 4;
        if (!inCloud(x + d * std::cos(a), y + d * std::sin(a))) return true;
    }
    return false;
}

}  // namespace

Canvas drawBanner() {
    Canvas c(620, 78, WHITE);

    // The cloud of the Internet, with its name written across it in grey.
    const TextStyle cloudText{Face::PGothic, 11, true, true, GREY};
    auto interior = [](double x, double y) { return inCloud(x, y) && !onCloudEdge(x, y); };
    const std::string words = "The Internet";
    const struct {
        int y, start;
    } rows[] = {{44, 18}, {57, 60}, {62, 312}};
    for (auto row : rows) {
        // Under the score-line field the cloud is flatter: smaller words.
        TextStyle style = cloudText;
        if (row.y > 60) style.size = 10;
        const int gap = textWidth(style, words) + 22;
        for (int x = row.start; x + gap - 22 < (row.y < 60 ? 284 : 610); x += gap)
            drawText(c, style, words, x, row.y, interior);
    }
    c.fill(onCloudEdge, BLACK, 0, 37, 620, 78, 4);

    // Navy bands.
    c.fillRect(0, 1, 620, 4, NAVY);
    c.fillRect(0, 34, 620, 37, NAVY);
    c.fillRect(FIELD_LEFT, 37, FIELD_LEFT + 3, 53, NAVY);
    c.fillRect(FIELD_LEFT, 53, 620, 56, NAVY);
    c.fillRect(FIELD_LEFT + 3, 37, 620, 53, WHITE);

    // Legend: the good mails, then the bad mails and the virus.
    const TextStyle legend{Face::PGothic, 12, true, false, NAVY};
    drawEnvelope(c, 6, 11, Envelope::Yellow);
    drawEnvelope(c, 33, 11, Envelope::Cyan);
    int x = 62;
    drawText(c, legend, "正しいメール", x, 5);
    drawText(c, legend, "（撃っちゃダメ）", x - 4, 19);
    x += std::max(textWidth(legend, "正しいメール"), textWidth(legend, "（撃っちゃダメ）") - 4) + 12;
    drawEnvelope(c, x, 11, Envelope::Purple);
    drawEnvelope(c, x + 27, 11, Envelope::Red);
    drawVirus(c, x + 54, 7);
    x += 84;
    const TextStyle legendTight{Face::PGothic, 12, true, false, NAVY};
    drawText(c, legendTight, "悪いメール・ウイルス", x, 5);
    drawText(c, legendTight, "（撃っちゃえ！）", x - 4, 19);

    // Key help right of the bar.
    c.fillRect(352, 4, 355, 34, NAVY);
    const TextStyle keys{Face::PGothic, 12, true, false, NAVY};
    const TextStyle capText{Face::Gothic, 11, true, false, NAVY};
    arrow(c, 364, 5, 17, false);
    arrow(c, 384, 5, 17, true);
    drawText(c, keys, "キー：ワクチン機を左右に移動", 406, 5);
    keyCap(c, 364, 19, 17, "Z", capText);
    drawText(c, keys, "か", 384, 19);
    keyCap(c, 398, 19, 17, "X", capText);
    drawText(c, keys, "キー：ワクチンを発射", 419, 19);
    return c;
}

}  // namespace assetgen
