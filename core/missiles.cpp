// The viruses' missiles: aimed once at the craft, flying straight, bursting
// on a hit.
#include <cmath>

#include "core/game_state.h"
#include "core/host.h"

namespace {

void invalidate(const Rect& r) {
    invalidateArea(r.left, r.top, r.right, r.bottom);
}

void invalidateAround(int32_t x, int32_t y, int32_t half) {
    invalidateArea(x - half, y - half, x + half, y + half);
}

constexpr int32_t LAST_BURST_STATE = MISSILE_BURST + 4;

}  // namespace

void updateVirusFire(Mail& mail) {
    if (--mail.fireTimer > 0) {
        return;
    }
    mail.fireTimer = randomNext() % 30 - 20 * gameState.course + 90;
    fireMissile(mail.x, mail.y);
    playEffect(SFX_VIRUS_FIRE, false);
}

void fireMissile(int32_t x, int32_t y) {
    const GameState& g = gameState;
    for (Missile& missile : gameState.missiles) {
        if (missile.state != MISSILE_NONE) {
            continue;
        }
        missile.x = x;
        missile.y = y;
        missile.speed = 2 * g.course + 3;
        missile.state = MISSILE_FLYING;
        // Aimed at the centre of the craft, with integer differences.
        const int32_t dy = g.playerY + 16 - y;
        const int32_t dx = g.playerX + 16 - x;
        missile.angle = std::atan2(static_cast<double>(dy), static_cast<double>(dx));
        return;
    }
}

void updateMissiles() {
    GameState& g = gameState;
    for (Missile& missile : g.missiles) {
        if (missile.state == MISSILE_FLYING) {
            invalidateAround(static_cast<int32_t>(missile.x), static_cast<int32_t>(missile.y), 8);
            missile.x += std::cos(missile.angle) * missile.speed;
            missile.y += std::sin(missile.angle) * missile.speed;
            const int32_t x = static_cast<int32_t>(missile.x);
            const int32_t y = static_cast<int32_t>(missile.y);
            invalidateAround(x, y, 8);
            // The hit box is the craft less 3 pixels on every side, tested
            // with the exact position at the end of the step.
            if (g.playerX + 3 <= missile.x && missile.x <= g.playerX + 29 &&
                g.playerY + 3 <= missile.y && missile.y <= g.playerY + 29) {
                playEffect(SFX_BLAST, false);
                missile.state = MISSILE_BURST;
                if (g.lives > 0) {
                    --g.lives;
                    invalidate(HUD_RECT);
                }
                continue;
            }
            if (x < 0 || y < 0 || x > CLIENT_WIDTH || y > CLIENT_HEIGHT) {
                missile.state = MISSILE_NONE;
            }
        } else if (missile.state >= MISSILE_BURST && missile.state <= LAST_BURST_STATE) {
            invalidateAround(static_cast<int32_t>(missile.x), static_cast<int32_t>(missile.y), 32);
            if (++missile.state > LAST_BURST_STATE) {
                missile.state = MISSILE_NONE;
            }
        }
    }
}
