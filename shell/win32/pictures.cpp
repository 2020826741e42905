// The pictures and the frame's drawing surface on GDI: every picture is
// selected into the memory context and copied opaquely to the paint context.
#include <windows.h>

#include "render/catalogue.h"
#include "render/frame.h"
#include "render/surface.h"
#include "shell/win32/shell.h"

namespace {

// Picture numbers run from BMP_MISSILE (130) to BMP_MAILBOX_DESTROYED (157).
constexpr int FIRST_PICTURE = BMP_MISSILE;
constexpr int LAST_PICTURE = BMP_MAILBOX_DESTROYED;
constexpr int PICTURE_SLOTS = LAST_PICTURE - FIRST_PICTURE + 1;

struct Picture {
    HBITMAP bitmap;
    int width;
    int height;
};

Picture pictures[PICTURE_SLOTS] = {};

// The load order after the window exists; the banner comes before it.
constexpr int GAME_PICTURES[] = {
    BMP_MISSILE,     BMP_PLAYER,      BMP_MAIL_YELLOW, BMP_MAIL_CYAN,        BMP_MAIL_RED,
    BMP_MAIL_PURPLE, BMP_MAILBOX_1,   BMP_MAILBOX_2,   BMP_MAILBOX_3,        BMP_MAILBOX_4,
    BMP_MAILBOX_5,   BMP_SHOT,        BMP_VIRUS,       BMP_BURST_64,         BMP_BURST_60,
    BMP_BURST_48,    BMP_BURST_32,    BMP_BURST_16,    BMP_MAILBOX_DESTROYED, BMP_MISFIRE_0,
    BMP_MISFIRE_1,   BMP_MISFIRE_2,
};

const Picture* findPicture(int number) {
    if (number < FIRST_PICTURE || number > LAST_PICTURE) {
        return nullptr;
    }
    const Picture& picture = pictures[number - FIRST_PICTURE];
    return picture.bitmap != nullptr ? &picture : nullptr;
}

// One paint's drawing surface. What it selects into the paint context stays
// there until the paint ends; nothing is restored.
class GdiSurface final : public DrawingSurface {
public:
    explicit GdiSurface(HDC paintContext) : context_(paintContext) {}

    void copyPicture(int number, int32_t x, int32_t y) override {
        const Picture* picture = findPicture(number);
        if (picture == nullptr) {
            return;
        }
        SelectObject(memoryDC, picture->bitmap);
        BitBlt(context_, x, y, picture->width, picture->height, memoryDC, 0, 0, SRCCOPY);
    }

    void line(int32_t x0, int32_t y0, int32_t x1, int32_t y1) override {
        if (!penSelected_) {
            SelectObject(context_, blackPen);
            penSelected_ = true;
        }
        MoveToEx(context_, x0, y0, nullptr);
        LineTo(context_, x1, y1);
    }

    void selectFont(FontId font) override {
        HFONT handle = hudFont;
        if (font == FontId::Banner) {
            handle = bannerFont;
        } else if (font == FontId::Message) {
            handle = messageFont;
        }
        SelectObject(context_, handle);
    }

    void setTextColor(ColorRef color) override { SetTextColor(context_, color); }

    void setTransparentBackground() override { SetBkMode(context_, TRANSPARENT); }

    void drawText(int32_t x, int32_t y, const char* text, int length) override {
        TextOutA(context_, x, y, text, length);
    }

private:
    HDC context_;
    bool penSelected_ = false;
};

}  // namespace

void loadPicture(HINSTANCE instance, int number) {
    if (number < FIRST_PICTURE || number > LAST_PICTURE) {
        return;
    }
    Picture& picture = pictures[number - FIRST_PICTURE];
    picture.bitmap = static_cast<HBITMAP>(LoadImageA(instance, MAKEINTRESOURCEA(number),
                                                     IMAGE_BITMAP, 0, 0,
                                                     LR_SHARED | LR_DEFAULTSIZE));
    BITMAP info{};
    if (picture.bitmap != nullptr && GetObjectA(picture.bitmap, sizeof info, &info) != 0) {
        picture.width = info.bmWidth;
        picture.height = info.bmHeight;
    }
}

void loadGamePictures(HINSTANCE instance) {
    for (int number : GAME_PICTURES) {
        loadPicture(instance, number);
    }
}

void paintMainWindow(HDC paintContext) {
    GdiSurface surface(paintContext);
    paintFrame(surface);
}
