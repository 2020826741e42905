// The player's craft and its shots.
#include "core/game_state.h"
#include "core/host.h"

namespace {

void invalidate(const Rect& r) {
    invalidateArea(r.left, r.top, r.right, r.bottom);
}

// A shot that meets a mail: a good mail is a misfire, a bad one is destroyed.
void hitMail(Mail& mail) {
    GameState& g = gameState;
    if (mail.kind == MAIL_YELLOW || mail.kind == MAIL_CYAN) {
        g.phase = PHASE_MISFIRE;
        g.misfirePicture = randomNext() % 3;
        playEffect(SFX_MISFIRE, false);
        if (g.lives > 0) {
            --g.lives;
            invalidate(HUD_RECT);
        }
    } else {
        playEffect(SFX_BLAST, false);
        g.score += static_cast<uint32_t>(10 * mail.kind + 90);
        invalidate(HUD_RECT);
    }
    mail.kind = MAIL_BURST;
}

}  // namespace

void movePlayer(const InputState& input) {
    GameState& g = gameState;
    if (input.left) {
        // With both directions held the craft goes left, or stays at the bound.
        if (g.playerX > 8) {
            g.playerX -= 6;
            invalidateArea(g.playerX, g.playerY, g.playerX + 36, g.playerY + 32);
        }
    } else if (input.right && g.playerX < 576) {
        g.playerX += 6;
        invalidateArea(g.playerX - 4, g.playerY, g.playerX + 32, g.playerY + 32);
    }
}

void updateFiring(const InputState& input) {
    GameState& g = gameState;
    if (input.fire && g.fireCooldown == 0) {
        g.fireCooldown = 20 - 5 * g.course;
        fireShot(g.playerX + 15, g.playerY - 3, 2 * g.course + 8);
        playEffect(SFX_SHOT, true);
    }
    if (g.fireCooldown > 0) {
        --g.fireCooldown;
    }
}

void fireShot(int32_t x, int32_t y, int32_t speed) {
    for (Shot& shot : gameState.shots) {
        if (shot.speed == 0) {
            shot.x = x;
            shot.y = y;
            shot.speed = speed;
            return;
        }
    }
}

void updateShots() {
    for (Shot& shot : gameState.shots) {
        if (shot.speed == 0) {
            continue;
        }
        const int32_t oldY = shot.y;
        invalidateArea(shot.x, oldY, shot.x + 3, oldY + 16);
        shot.y = oldY - shot.speed;
        invalidateArea(shot.x, shot.y, shot.x + 3, shot.y + 16);
        if (shot.y < 8) {
            shot.speed = 0;
            continue;
        }
        // The vertical window is the shot's whole path in this tick, widened
        // by half an envelope's height each way. The scan goes on after a hit
        // with the same position: one shot can take several mails at once.
        for (Mail& mail : gameState.mails) {
            if (shot.y - 8 <= mail.y && mail.y <= oldY + 24 &&
                mail.x - 15 <= shot.x && shot.x <= mail.x + 15 &&
                mail.kind >= MAIL_YELLOW && mail.kind <= MAIL_VIRUS) {
                hitMail(mail);
                shot.speed = 0;
            }
        }
    }
}
