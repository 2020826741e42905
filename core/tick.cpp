// The game tick: the foreground and time gates, the phase machine and the
// fixed order of the sub-steps.
#include "core/game_state.h"
#include "core/host.h"

namespace {

void invalidate(const Rect& r) {
    invalidateArea(r.left, r.top, r.right, r.bottom);
}

void stepPhase() {
    GameState& g = gameState;
    switch (g.phase) {
    case PHASE_READY:
        if (++g.phaseTimer >= 40) {
            g.phase = PHASE_GO;
            g.phaseTimer = 0;
        }
        invalidate(READY_RECT);
        break;
    case PHASE_GO:
        if (++g.phaseTimer >= 40) {
            g.phase = PHASE_PLAY;
            g.phaseTimer = 0;
        }
        invalidate(GO_RECT);
        break;
    case PHASE_PLAY:
        if (g.lives <= 0) {
            g.phase = PHASE_GAMEOVER;
            g.phaseTimer = 0;
        }
        break;
    case PHASE_MISFIRE:
        g.phaseTimer += 2;
        if (g.phaseTimer >= 120) {
            g.phaseTimer = 0;
            g.phase = PHASE_PLAY;
        }
        invalidateAll();
        break;
    case PHASE_GAMEOVER:
        if (g.phaseTimer == 0) {
            invalidateAll();
        }
        if (++g.phaseTimer >= 160) {
            closeMainWindow();
        }
        invalidate(GAMEOVER_RECT);
        break;
    default:
        break;
    }
}

}  // namespace

void tickGame(unsigned timerId) {
    if (!isMainWindowForeground()) {
        return;
    }
    const uint32_t now = currentTimeMs();
    if (static_cast<uint32_t>(now - gameState.lastTickTime) < TICK_PERIOD_MS) {
        return;
    }
    gameState.lastTickTime = now;

    stepPhase();

    if (timerId != GAME_TIMER_ID) {
        return;
    }
    const InputState input = sampleInput();
    if (gameState.phase <= PHASE_PLAY) {
        movePlayer(input);
    }
    if (gameState.phase == PHASE_GO || gameState.phase == PHASE_PLAY) {
        updateFiring(input);
        updateShots();
    }
    runSpawnCountdown();
    if (gameState.phase != PHASE_PLAY) {
        return;
    }
    updateMails();
    updateMissiles();
}
