#include "render/frame.h"

#include <cstdio>

#include "core/game_state.h"
#include "render/catalogue.h"
#include "render/texts.h"

namespace {

constexpr int32_t BANNER_X = 0;
constexpr int32_t BANNER_Y = 0;
constexpr int32_t MAILBOX_LEFT_OFFSET = 16;  // of a mailbox from its lane line
constexpr int32_t SCORE_LINE_X = 300;
constexpr int32_t SCORE_LINE_Y = 39;
constexpr int32_t OVERLAY_Y = 200;
constexpr int32_t MESSAGE_X_OFFSET = 58;
constexpr int32_t MESSAGE_Y_OFFSET = 16;

// Mailbox pictures by lane, lanes 1 to 5.
constexpr int MAILBOX_PICTURES[LANE_COUNT] = {BMP_MAILBOX_1, BMP_MAILBOX_2, BMP_MAILBOX_3,
                                              BMP_MAILBOX_4, BMP_MAILBOX_5};

// A picture drawn centred on a position: its number and half its size.
struct CentredPicture {
    int number;
    int32_t halfWidth;
    int32_t halfHeight;
};

// Burst frames 1 to 5, shared by mails (kinds 6..10) and missiles (states 6..10).
constexpr CentredPicture BURST_FRAMES[5] = {
    {BMP_BURST_64, 32, 32}, {BMP_BURST_60, 30, 30}, {BMP_BURST_48, 24, 24},
    {BMP_BURST_32, 16, 16}, {BMP_BURST_16, 8, 8},
};

// Mail kinds 1..5.
constexpr CentredPicture MAIL_PICTURES[5] = {
    {BMP_MAIL_YELLOW, 12, 8}, {BMP_MAIL_CYAN, 12, 8}, {BMP_MAIL_RED, 12, 8},
    {BMP_MAIL_PURPLE, 12, 8}, {BMP_VIRUS, 12, 12},
};

constexpr CentredPicture MISSILE_PICTURE = {BMP_MISSILE, 4, 4};

void copyCentred(DrawingSurface& surface, const CentredPicture& picture, int32_t x, int32_t y) {
    surface.copyPicture(picture.number, x - picture.halfWidth, y - picture.halfHeight);
}

void drawLanes(DrawingSurface& surface) {
    for (int32_t lane = 1; lane <= LANE_COUNT; ++lane) {
        const int32_t x = LANE_SPACING * lane;
        surface.line(x, LANE_TOP, x, MAILBOX_Y);
        const int picture = gameState.mailboxDestroyed[lane - 1] != 0 ? BMP_MAILBOX_DESTROYED
                                                                      : MAILBOX_PICTURES[lane - 1];
        surface.copyPicture(picture, x - MAILBOX_LEFT_OFFSET, MAILBOX_Y);
    }
}

void drawRungs(DrawingSurface& surface) {
    // The first entry without a lane ends the list, whatever follows it.
    for (int i = 0; i < MAX_RUNGS && gameState.rungs[i].lane > 0; ++i) {
        const Rung& rung = gameState.rungs[i];
        surface.line(LANE_SPACING * rung.lane, rung.y, LANE_SPACING * (rung.lane + 1), rung.y);
    }
}

void drawShots(DrawingSurface& surface) {
    for (const Shot& shot : gameState.shots) {
        if (shot.speed != 0) {
            surface.copyPicture(BMP_SHOT, shot.x, shot.y);
        }
    }
}

void drawMails(DrawingSurface& surface) {
    for (const Mail& mail : gameState.mails) {
        const int32_t kind = mail.kind;
        if (kind >= MAIL_YELLOW && kind <= MAIL_VIRUS) {
            copyCentred(surface, MAIL_PICTURES[kind - MAIL_YELLOW], mail.x, mail.y);
        } else if (kind >= MAIL_BURST && kind < MAIL_DELIVERED) {
            copyCentred(surface, BURST_FRAMES[kind - MAIL_BURST], mail.x, mail.y);
        } else if (kind >= MAIL_DELIVERED && kind <= MAIL_DELIVERED + 9) {
            // The message rises one pixel per frame, from 5 below the mail to 4 above.
            surface.selectFont(FontId::Message);
            surface.setTransparentBackground();
            surface.setTextColor(COLOR_MESSAGE);
            surface.drawText(mail.x - MESSAGE_X_OFFSET, mail.y - kind + MESSAGE_Y_OFFSET,
                             TEXT_DELIVERED, textLength(TEXT_DELIVERED));
        }
    }
}

// Truncates toward zero. A position outside the 32-bit range (or not a number)
// cannot be on screen, so it reports false instead of converting.
bool toPixel(double value, int32_t& out) {
    if (!(value > -2147483648.0 && value < 2147483648.0)) {
        return false;
    }
    out = static_cast<int32_t>(value);
    return true;
}

void drawMissiles(DrawingSurface& surface) {
    for (const Missile& missile : gameState.missiles) {
        int32_t x = 0;
        int32_t y = 0;
        if (missile.state == MISSILE_NONE || !toPixel(missile.x, x) || !toPixel(missile.y, y)) {
            continue;
        }
        if (missile.state == MISSILE_FLYING) {
            copyCentred(surface, MISSILE_PICTURE, x, y);
        } else if (missile.state >= MISSILE_BURST && missile.state < MISSILE_BURST + 5) {
            copyCentred(surface, BURST_FRAMES[missile.state - MISSILE_BURST], x, y);
        }
    }
}

void drawScoreLine(DrawingSurface& surface) {
    surface.selectFont(FontId::Hud);
    if (gameState.hiScore < gameState.score) {
        gameState.hiScore = gameState.score;
    }
    char line[SCORE_LINE_CAPACITY];
    const int length = formatScoreLine(line, gameState.hiScore, gameState.score, gameState.lives);
    surface.setTextColor(COLOR_SCORE_LINE);
    surface.drawText(SCORE_LINE_X, SCORE_LINE_Y, line, length);
}

void drawOverlayText(DrawingSurface& surface, int32_t x, ColorRef color, const char* text,
                     int length) {
    surface.selectFont(FontId::Banner);
    surface.setTransparentBackground();
    surface.setTextColor(color);
    surface.drawText(x, OVERLAY_Y, text, length);
}

void drawPhaseOverlay(DrawingSurface& surface) {
    switch (gameState.phase) {
        case PHASE_READY:
            drawOverlayText(surface, 240, COLOR_READY, TEXT_READY, textLength(TEXT_READY));
            break;
        case PHASE_GO:
            drawOverlayText(surface, 280, COLOR_READY, TEXT_GO, textLength(TEXT_GO));
            break;
        case PHASE_MISFIRE: {
            // Slides 4 pixels right and 3 up per tick from (-120, 120).
            const int32_t t = gameState.phaseTimer;
            surface.copyPicture(BMP_MISFIRE_0 + gameState.misfirePicture, 2 * t - 120,
                                120 - (3 * t) / 2);
            drawOverlayText(surface, 270, COLOR_MISFIRE, TEXT_MISFIRE, textLength(TEXT_MISFIRE));
            break;
        }
        case PHASE_GAMEOVER:
            drawOverlayText(surface, 220, COLOR_GAMEOVER, TEXT_GAMEOVER,
                            textLength(TEXT_GAMEOVER));
            break;
        default:
            break;
    }
}

}  // namespace

int formatScoreLine(char* out, uint32_t hiScore, uint32_t score, int32_t lives) {
    const char* markers[LANE_COUNT];
    for (int32_t k = 1; k <= 5; ++k) {
        markers[k - 1] = lives >= k ? TEXT_LIFE_ON : TEXT_LIFE_OFF;
    }
    const int length = std::snprintf(out, SCORE_LINE_CAPACITY, SCORE_LINE_FORMAT,
                                     static_cast<unsigned>(hiScore), static_cast<unsigned>(score),
                                     markers[0], markers[1], markers[2], markers[3], markers[4]);
    // The longest line is 57 bytes, well inside the buffer.
    return length < SCORE_LINE_CAPACITY ? length : SCORE_LINE_CAPACITY - 1;
}

void paintFrame(DrawingSurface& surface) {
    surface.copyPicture(BMP_BANNER, BANNER_X, BANNER_Y);
    if (gameState.phase == PHASE_IDLE) {
        return;
    }
    drawLanes(surface);
    surface.copyPicture(BMP_PLAYER, gameState.playerX, gameState.playerY);
    drawRungs(surface);
    drawShots(surface);
    drawMails(surface);
    drawMissiles(surface);
    drawScoreLine(surface);
    drawPhaseOverlay(surface);
}
