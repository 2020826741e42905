// Mails falling down the ladder, following the rungs, and reaching the
// mailboxes; burst and delivered-message frames counting down.
#include "core/game_state.h"
#include "core/host.h"

namespace {

constexpr int32_t LAST_BURST_FRAME = MAIL_BURST + 4;
constexpr int32_t LAST_DELIVERED_FRAME = MAIL_DELIVERED + 9;

void invalidate(const Rect& r) {
    invalidateArea(r.left, r.top, r.right, r.bottom);
}

void arriveAtMailbox(Mail& mail) {
    GameState& g = gameState;
    uint8_t& destroyed = g.mailboxDestroyed[mail.x / LANE_SPACING - 1];
    const bool good = mail.kind == MAIL_YELLOW || mail.kind == MAIL_CYAN;
    if (destroyed) {
        mail.kind = MAIL_NONE;
        return;
    }
    if (good) {
        playEffect(SFX_DELIVERED, false);
        g.score += static_cast<uint32_t>(20 * mail.kind + 90);
        invalidate(HUD_RECT);
        mail.kind = MAIL_DELIVERED;
    } else {
        if (g.lives > 0) {
            invalidate(HUD_RECT);
            --g.lives;
        }
        mail.kind = MAIL_BURST;
        destroyed = 1;
        playEffect(SFX_BLAST, false);
    }
}

// A falling mail that crossed rung heights between y0 and y1 takes the first
// rung, in slot order, that joins its lane.
void testRungs(Mail& mail, int32_t y0, int32_t y1) {
    for (const Rung& rung : gameState.rungs) {
        if (rung.lane == 0 || rung.y < y0 || rung.y > y1) {
            continue;
        }
        if (mail.x == LANE_SPACING * rung.lane) {
            mail.y = rung.y;
            mail.turn = TURN_RIGHT;
            mail.x += 1;
            return;
        }
        if (mail.x == LANE_SPACING * (rung.lane + 1)) {
            mail.y = rung.y;
            mail.turn = TURN_LEFT;
            mail.x -= 1;
            return;
        }
    }
}

// Moves a live mail; returns false when it reached the mailbox row.
bool moveMail(Mail& mail) {
    switch (mail.turn) {
    case TURN_NONE: {
        const int32_t y0 = mail.y;
        mail.y += mail.speed;
        if (mail.y >= MAILBOX_Y) {
            arriveAtMailbox(mail);
            return false;
        }
        testRungs(mail, y0, mail.y);
        break;
    }
    case TURN_RIGHT: {
        const int32_t next = mail.x + mail.speed;
        if (next / LANE_SPACING == mail.x / LANE_SPACING) {
            mail.x = next;
        } else {
            mail.x = next / LANE_SPACING * LANE_SPACING;
            mail.turn = TURN_NONE;
            mail.y += 1;
        }
        break;
    }
    case TURN_LEFT: {
        const int32_t next = mail.x - mail.speed;
        if (next / LANE_SPACING == mail.x / LANE_SPACING) {
            mail.x = next;
        } else {
            mail.x = (next / LANE_SPACING + 1) * LANE_SPACING;
            mail.turn = TURN_NONE;
            mail.y += 1;
        }
        break;
    }
    default:
        break;
    }
    return true;
}

}  // namespace

void updateMails() {
    for (Mail& mail : gameState.mails) {
        if (mail.kind == MAIL_NONE) {
            continue;
        }
        invalidateArea(mail.x - 32, mail.y - 32, mail.x + 32, mail.y + 32);
        if (mail.kind >= MAIL_BURST && mail.kind <= LAST_BURST_FRAME) {
            if (++mail.kind > LAST_BURST_FRAME) {
                mail.kind = MAIL_NONE;
            }
            continue;
        }
        if (mail.kind >= MAIL_DELIVERED && mail.kind <= LAST_DELIVERED_FRAME) {
            if (++mail.kind > LAST_DELIVERED_FRAME) {
                mail.kind = MAIL_NONE;
            }
            invalidateArea(mail.x - 60, mail.y - 60, mail.x + 60, mail.y + 60);
            continue;
        }
        if (mail.kind < MAIL_YELLOW || mail.kind > MAIL_VIRUS) {
            continue;
        }
        if (moveMail(mail) && mail.kind == MAIL_VIRUS) {
            updateVirusFire(mail);
        }
    }
}
