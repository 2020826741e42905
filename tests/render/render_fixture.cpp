#include "render_fixture.h"

#include <cstdio>

#include "render/catalogue.h"

void RecordingSurface::copyPicture(int number, int32_t x, int32_t y) {
    calls.push_back("copy " + std::to_string(number) + " " + std::to_string(x) + " " +
                    std::to_string(y));
}

void RecordingSurface::line(int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
    calls.push_back("line " + std::to_string(x0) + " " + std::to_string(y0) + " " +
                    std::to_string(x1) + " " + std::to_string(y1));
}

void RecordingSurface::selectFont(FontId font) {
    static const char* const names[] = {"Banner", "Message", "Hud"};
    calls.push_back(std::string("font ") + names[static_cast<int>(font)]);
}

void RecordingSurface::setTextColor(ColorRef color) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "color %08X", static_cast<unsigned>(color));
    calls.push_back(buffer);
}

void RecordingSurface::setTransparentBackground() {
    calls.push_back("transparent");
}

void RecordingSurface::drawText(int32_t x, int32_t y, const char* text, int length) {
    calls.push_back("text " + std::to_string(x) + " " + std::to_string(y) + " " +
                    std::string(text, static_cast<std::size_t>(length)));
}

std::vector<std::string> RecordingSurface::only(const std::string& prefix) const {
    std::vector<std::string> out;
    for (const std::string& call : calls) {
        if (call.rfind(prefix, 0) == 0) {
            out.push_back(call);
        }
    }
    return out;
}

const PictureSize PICTURE_SIZES[23] = {
    {BMP_MISSILE, 8, 8},       {BMP_MISFIRE_0, 640, 480}, {BMP_MISFIRE_1, 640, 480},
    {BMP_MISFIRE_2, 640, 480}, {BMP_PLAYER, 32, 32},      {BMP_MAIL_YELLOW, 24, 16},
    {BMP_MAIL_RED, 24, 16},    {BMP_MAIL_PURPLE, 24, 16}, {BMP_MAIL_CYAN, 24, 16},
    {BMP_MAILBOX_2, 24, 24},   {BMP_MAILBOX_3, 24, 24},   {BMP_MAILBOX_4, 24, 24},
    {BMP_MAILBOX_5, 24, 24},   {BMP_MAILBOX_1, 24, 24},   {BMP_SHOT, 3, 16},
    {BMP_VIRUS, 24, 24},       {BMP_BANNER, 620, 78},     {BMP_BURST_64, 64, 64},
    {BMP_BURST_60, 60, 60},    {BMP_BURST_48, 48, 48},    {BMP_BURST_32, 32, 32},
    {BMP_BURST_16, 16, 16},    {BMP_MAILBOX_DESTROYED, 24, 24},
};

uint32_t standInColour(int number) {
    return 0x100000u + static_cast<uint32_t>(number) * 0x000101u;
}

void setSolidPicture(PictureSet& pictures, int number, int32_t width, int32_t height,
                     uint32_t colour) {
    std::vector<uint32_t> pixels(static_cast<std::size_t>(width) * height, colour);
    pictures.set(number, width, height, pixels.data());
}

void loadStandIns(PictureSet& pictures) {
    for (const PictureSize& size : PICTURE_SIZES) {
        setSolidPicture(pictures, size.number, size.width, size.height,
                        standInColour(size.number));
    }
}

void resetToPlay() {
    gameState = GameState{};
    gameState.phase = PHASE_PLAY;
    gameState.lives = 5;
}
