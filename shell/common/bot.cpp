#include "shell/common/bot.h"

#include <cstdlib>

namespace {

constexpr int32_t SHOT_OFFSET = 15;  // a shot leaves at playerX + 15
constexpr int32_t HIT_REACH = 15;    // and hits mails within 15 pixels

bool isBad(int32_t kind) {
    return kind == MAIL_RED || kind == MAIL_PURPLE || kind == MAIL_VIRUS;
}

bool isGood(int32_t kind) {
    return kind == MAIL_YELLOW || kind == MAIL_CYAN;
}

}  // namespace

InputState botInput(const GameState& state) {
    InputState input{};
    const Mail* target = nullptr;
    for (const Mail& mail : state.mails) {
        if (isBad(mail.kind) && (target == nullptr || mail.y > target->y)) {
            target = &mail;
        }
    }
    const int32_t shotX = state.playerX + SHOT_OFFSET;
    if (target == nullptr) {
        // Nothing to shoot: drift back to the middle.
        if (state.playerX > PLAYER_START_X + 3) {
            input.left = true;
        } else if (state.playerX < PLAYER_START_X - 3) {
            input.right = true;
        }
        return input;
    }
    // A mail following a rung is ahead of where it is now; lead it a little.
    int32_t aimX = target->x;
    if (target->turn == TURN_RIGHT) {
        aimX += target->speed * 4;
    } else if (target->turn == TURN_LEFT) {
        aimX -= target->speed * 4;
    }
    if (shotX > aimX + 3) {
        input.left = true;
    } else if (shotX < aimX - 3) {
        input.right = true;
    }
    // A shot flies on to the top when it misses, so hold fire while any good
    // mail is in the column or on a rung that leads into it.
    bool goodInLine = false;
    for (const Mail& mail : state.mails) {
        if (!isGood(mail.kind)) {
            continue;
        }
        const int32_t reach = mail.turn == TURN_NONE ? HIT_REACH + 6 : 100;
        if (std::abs(mail.x - shotX) <= reach) {
            goodInLine = true;
            break;
        }
    }
    input.fire = !goodInLine && target->turn == TURN_NONE &&
                 std::abs(target->x - shotX) <= HIT_REACH - 3;
    return input;
}
