// The contact sheet: every picture at twice its size, framed, with its number,
// name, size and colour depth.
#include <algorithm>
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

}  // namespace

Canvas makeContactSheet(const std::vector<Picture>& pictures, const Canvas& icon) {
    const TextStyle title{Face::PGothic, 22, true, false, INK};
    const TextStyle label{Face::PGothic, 12, true, false, INK};
    const TextStyle detail{Face::PGothic, 11, false, false, Rgb{84, 90, 110}};

    std::vector<Item> small, large;
    for (const Picture& p : pictures) {
        std::string info = std::to_string(p.image.width) + " × " + std::to_string(p.image.height) +
                           ", " + std::to_string(1 << p.image.bitsPerPixel) + " colours";
        Item item{std::to_string(p.number) + "  " + p.name, info, expand(p.image)};
        (p.image.width > 200 ? large : small).push_back(item);
    }
    small.push_back({"107  ICON_MAIN", "32 × 32, 16 colours + mask", icon});

    // Lay out the small pictures in rows, then the large ones one under another.
    struct Place {
        const Item* item;
        int x, y;
    };
    std::vector<Place> places;
    int x = MARGIN, y = 60, rowHeight = 0;
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
    for (const Item& item : large) {
        places.push_back({&item, MARGIN, y});
        y += item.picture.height() * SCALE + 36 + 24;
    }

    Canvas sheet(WIDTH, y, PAPER);
    drawText(sheet, title, "velno — pictures and icon (shown at 2×)", MARGIN, 16);
    for (const Place& p : places) {
        drawText(sheet, label, p.item->title, p.x, p.y);
        drawText(sheet, detail, p.item->detail, p.x, p.y + 15);
        int py = p.y + 34;
        frame(sheet, p.x, py, p.item->picture.width() * SCALE, p.item->picture.height() * SCALE);
        sheet.paste(p.item->picture, p.x, py, SCALE);
    }
    return sheet;
}

}  // namespace assetgen
