#include "shell/common/invariants.h"

#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace {

bool fail(char* message, std::size_t size, const char* format, ...) {
    if (size > 0) {
        va_list args;
        va_start(args, format);
        std::vsnprintf(message, size, format, args);
        va_end(args);
    }
    return false;
}

int32_t mailSpeed(int32_t kind, int32_t course) {
    switch (kind) {
    case MAIL_RED:
    case MAIL_YELLOW:
        return course + 2;
    case MAIL_VIRUS:
        return course + 3;
    default:
        return course + 4;
    }
}

bool onRung(const GameState& s, int32_t lane, int32_t y) {
    for (const Rung& rung : s.rungs) {
        if (rung.lane == lane && rung.y == y) {
            return true;
        }
    }
    return false;
}

bool checkMail(const GameState& s, int slot, char* message, std::size_t size) {
    const Mail& m = s.mails[slot];
    const int32_t c = s.course;
    if (m.kind < MAIL_NONE || m.kind > MAIL_DELIVERED + 9) {
        return fail(message, size, "mail %d has kind %d", slot, m.kind);
    }
    if (m.kind >= MAIL_DELIVERED) {
        if (m.x % LANE_SPACING != 0 || m.x < 100 || m.x > 500 || m.y < MAILBOX_Y ||
            m.y > MAILBOX_Y + 6) {
            return fail(message, size, "delivered message %d at (%d, %d) is not at a mailbox",
                        slot, m.x, m.y);
        }
        return true;
    }
    if (m.kind < MAIL_YELLOW || m.kind > MAIL_VIRUS) {
        return true;
    }
    if (m.speed != mailSpeed(m.kind, c)) {
        return fail(message, size, "mail %d of kind %d has speed %d", slot, m.kind, m.speed);
    }
    if (m.kind == MAIL_VIRUS) {
        const int32_t most = 119 - 20 * c > 50 ? 119 - 20 * c : 50;
        if (m.fireTimer < 1 || m.fireTimer > most) {
            return fail(message, size, "virus %d has fire timer %d", slot, m.fireTimer);
        }
    }
    switch (m.turn) {
    case TURN_NONE:
        if (m.x % LANE_SPACING != 0 || m.x < 100 || m.x > 500) {
            return fail(message, size, "falling mail %d is off the lanes at x %d", slot, m.x);
        }
        if (m.y < MAIL_ENTRY_Y || m.y >= MAILBOX_Y) {
            return fail(message, size, "falling mail %d is at y %d", slot, m.y);
        }
        return true;
    case TURN_RIGHT: {
        const int32_t lane = m.x / LANE_SPACING;
        if (lane < 1 || lane > 4 || m.x % LANE_SPACING == 0) {
            return fail(message, size, "mail %d moving right is at x %d", slot, m.x);
        }
        if (!onRung(s, lane, m.y)) {
            return fail(message, size, "mail %d moving right at (%d, %d) is on no rung", slot,
                        m.x, m.y);
        }
        return true;
    }
    case TURN_LEFT: {
        const int32_t lane = m.x / LANE_SPACING;
        if (lane < 1 || lane > 4) {
            return fail(message, size, "mail %d moving left is at x %d", slot, m.x);
        }
        if (!onRung(s, lane, m.y)) {
            return fail(message, size, "mail %d moving left at (%d, %d) is on no rung", slot,
                        m.x, m.y);
        }
        return true;
    }
    default:
        return fail(message, size, "mail %d has turn %d", slot, m.turn);
    }
}

}  // namespace

InvariantBaseline captureBaseline(const GameState& state) {
    InvariantBaseline baseline{};
    std::memcpy(baseline.rungs, state.rungs, sizeof baseline.rungs);
    baseline.course = state.course;
    baseline.storedHiScore = state.hiScore;
    return baseline;
}

bool checkInvariants(const GameState& s, const InvariantBaseline& baseline, char* message,
                     std::size_t size) {
    if (size > 0) {
        message[0] = '\0';
    }
    const int32_t c = s.course;
    if (c != baseline.course || c < COURSE_DIALUP || c > COURSE_HIKARI) {
        return fail(message, size, "course is %d", c);
    }
    if (std::memcmp(s.rungs, baseline.rungs, sizeof s.rungs) != 0) {
        return fail(message, size, "the rungs changed after the new game");
    }
    switch (s.phase) {
    case PHASE_READY:
    case PHASE_GO:
        if (s.phaseTimer < 0 || s.phaseTimer > 39) {
            return fail(message, size, "phase %d has timer %d", s.phase, s.phaseTimer);
        }
        break;
    case PHASE_PLAY:
        if (s.phaseTimer != 0) {
            return fail(message, size, "play has phase timer %d", s.phaseTimer);
        }
        break;
    case PHASE_MISFIRE:
        if (s.phaseTimer < 0 || s.phaseTimer > 118 || s.phaseTimer % 2 != 0) {
            return fail(message, size, "misfire has phase timer %d", s.phaseTimer);
        }
        break;
    case PHASE_GAMEOVER:
        if (s.phaseTimer < 0 || s.phaseTimer > 160) {
            return fail(message, size, "game over has phase timer %d", s.phaseTimer);
        }
        break;
    default:
        return fail(message, size, "phase is %d", s.phase);
    }
    if (s.lives < 0 || s.lives > 5) {
        return fail(message, size, "lives is %d", s.lives);
    }
    if (s.score % 10 != 0) {
        return fail(message, size, "score %u is not a multiple of 10", s.score);
    }
    if (s.hiScore < baseline.storedHiScore) {
        return fail(message, size, "high score %u fell below the stored %u", s.hiScore,
                    baseline.storedHiScore);
    }
    if (s.spawnInterval < 10 || s.spawnInterval > 100 - 10 * c) {
        return fail(message, size, "spawn interval is %d", s.spawnInterval);
    }
    const int32_t longestCountdown = s.spawnInterval + 1 > 120 ? s.spawnInterval + 1 : 120;
    if (s.spawnCountdown < 1 || s.spawnCountdown > longestCountdown) {
        return fail(message, size, "spawn countdown is %d", s.spawnCountdown);
    }
    if (s.fireCooldown < 0 || s.fireCooldown >= 20 - 5 * c) {
        return fail(message, size, "fire cooldown is %d", s.fireCooldown);
    }
    if (s.misfirePicture < 0 || s.misfirePicture > 2) {
        return fail(message, size, "misfire picture is %d", s.misfirePicture);
    }
    if (s.playerY != PLAYER_Y || s.playerX < 6 || s.playerX > 576 || s.playerX % 6 != 0) {
        return fail(message, size, "player is at (%d, %d)", s.playerX, s.playerY);
    }
    for (int lane = 0; lane < LANE_COUNT; ++lane) {
        if (s.mailboxDestroyed[lane] > 1) {
            return fail(message, size, "mailbox %d has flag %d", lane + 1,
                        s.mailboxDestroyed[lane]);
        }
    }
    for (int i = 0; i < MAX_MAILS; ++i) {
        if (!checkMail(s, i, message, size)) {
            return false;
        }
    }
    for (int i = 0; i < MAX_SHOTS; ++i) {
        const Shot& shot = s.shots[i];
        if (shot.speed == 0) {
            continue;
        }
        if (shot.speed != 2 * c + 8) {
            return fail(message, size, "shot %d has speed %d", i, shot.speed);
        }
        if (shot.y < 8 || shot.y > PLAYER_Y - 3 - shot.speed || shot.x < 21 || shot.x > 591 ||
            (shot.x - 15) % 6 != 0) {
            return fail(message, size, "shot %d is at (%d, %d)", i, shot.x, shot.y);
        }
    }
    for (int i = 0; i < MAX_MISSILES; ++i) {
        const Missile& m = s.missiles[i];
        if (m.state == MISSILE_NONE) {
            continue;
        }
        if (m.state != MISSILE_FLYING && (m.state < MISSILE_BURST || m.state > MISSILE_BURST + 4)) {
            return fail(message, size, "missile %d has state %d", i, m.state);
        }
        if (!std::isfinite(m.x) || !std::isfinite(m.y) || !std::isfinite(m.angle)) {
            return fail(message, size, "missile %d has a position or angle that is not finite", i);
        }
        if (m.state == MISSILE_FLYING) {
            const int32_t x = static_cast<int32_t>(m.x);
            const int32_t y = static_cast<int32_t>(m.y);
            if (m.speed != 2 * c + 3) {
                return fail(message, size, "missile %d has speed %g", i, m.speed);
            }
            if (x < 0 || y < 0 || x > CLIENT_WIDTH || y > CLIENT_HEIGHT) {
                return fail(message, size, "missile %d flies outside the field at (%g, %g)", i,
                            m.x, m.y);
            }
        }
    }
    return true;
}
