// The catalogue of the game's pictures and sounds, by resource number, and the
// lookup of their embedded data.
#pragma once

#include <cstddef>

// Pictures (Windows device-independent bitmaps, 4 or 8 bits per pixel).
constexpr int BMP_MISSILE = 130;
constexpr int BMP_MISFIRE_0 = 131;
constexpr int BMP_MISFIRE_1 = 132;
constexpr int BMP_MISFIRE_2 = 133;
constexpr int BMP_PLAYER = 134;
constexpr int BMP_MAIL_YELLOW = 135;
constexpr int BMP_MAIL_RED = 136;
constexpr int BMP_MAIL_PURPLE = 137;
constexpr int BMP_MAIL_CYAN = 138;
constexpr int BMP_MAILBOX_2 = 139;
constexpr int BMP_MAILBOX_3 = 140;
constexpr int BMP_MAILBOX_4 = 141;
constexpr int BMP_MAILBOX_5 = 142;
constexpr int BMP_MAILBOX_1 = 143;
constexpr int BMP_SHOT = 144;
constexpr int BMP_VIRUS = 145;
constexpr int BMP_BANNER = 147;
constexpr int BMP_BURST_64 = 152;
constexpr int BMP_BURST_60 = 153;
constexpr int BMP_BURST_48 = 154;
constexpr int BMP_BURST_32 = 155;
constexpr int BMP_BURST_16 = 156;
constexpr int BMP_MAILBOX_DESTROYED = 157;

// The icon group.
constexpr int ICON_MAIN = 107;

// Sounds are the SFX_ numbers of core/game_state.h (RIFF WAVE, PCM).

// Icon is the icon file (ICON_MAIN): one 32 x 32, 16-colour image with its mask.
enum class ResourceType { Picture, Wave, Icon };

struct ResourceData {
    const unsigned char* data;
    std::size_t size;
};

// Finds an embedded resource by type and number. Returns false, leaving `out`
// untouched, when there is none.
bool findResource(ResourceType type, int number, ResourceData& out);
