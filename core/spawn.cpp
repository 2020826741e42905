// New mails at the tops of the lanes, on a countdown that speeds up.
#include "core/game_state.h"

namespace {

struct KindEntry {
    int32_t kind;
    int32_t speedOffset;  // added to the course
};

// Indexed by a random value mod 20.
constexpr KindEntry KIND_TABLE[20] = {
    {MAIL_RED, 2},    {MAIL_RED, 2},    {MAIL_RED, 2},    {MAIL_RED, 2},
    {MAIL_RED, 2},    {MAIL_RED, 2},    {MAIL_RED, 2},    {MAIL_RED, 2},
    {MAIL_PURPLE, 4}, {MAIL_PURPLE, 4}, {MAIL_PURPLE, 4}, {MAIL_PURPLE, 4},
    {MAIL_PURPLE, 4}, {MAIL_YELLOW, 2}, {MAIL_YELLOW, 2}, {MAIL_YELLOW, 2},
    {MAIL_CYAN, 4},   {MAIL_CYAN, 4},   {MAIL_CYAN, 4},   {MAIL_VIRUS, 3},
};

constexpr int32_t FIRST_VIRUS_FIRE_TIMER = 50;
constexpr int32_t MIN_SPAWN_INTERVAL = 10;

}  // namespace

void runSpawnCountdown() {
    GameState& g = gameState;
    if (--g.spawnCountdown > 0) {
        return;
    }
    spawnMail();
    g.spawnCountdown = g.spawnInterval;
    if (g.spawnInterval > MIN_SPAWN_INTERVAL) {
        --g.spawnInterval;
    }
}

void spawnMail() {
    for (Mail& mail : gameState.mails) {
        if (mail.kind != MAIL_NONE) {
            continue;
        }
        mail.turn = TURN_NONE;
        mail.x = (randomNext() % 5 + 1) * LANE_SPACING;
        mail.y = MAIL_ENTRY_Y;
        const KindEntry& entry = KIND_TABLE[randomNext() % 20];
        mail.kind = entry.kind;
        mail.speed = gameState.course + entry.speedOffset;
        if (mail.kind == MAIL_VIRUS) {
            mail.fireTimer = FIRST_VIRUS_FIRE_TIMER;
        }
        return;
    }
}
