// Setting up the one game of the process. The steps are separate so that the
// shell can run them between its own start-up steps; their order matters,
// since the rungs take the first values of the freshly seeded random source.
#include "core/game_state.h"
#include "core/host.h"

void setCourse(int32_t course) {
    gameState.course = course;
}

void setStartingLives() {
    gameState.lives = 5;
    gameState.score = 0;
}

void setSpawnTimers() {
    gameState.spawnInterval = 100 - 10 * gameState.course;
    gameState.spawnCountdown = 120;
}

void layOutRungs() {
    const int count = 15 + gameState.course;
    for (int i = 0; i < count; ++i) {
        // Lane first, then height: two separate draws in this order.
        gameState.rungs[i].lane = randomNext() % 4 + 1;
        gameState.rungs[i].y = randomNext() % 210 + 100;
    }
}

void enterReadyPhase() {
    gameState.phase = PHASE_READY;
    invalidateAll();
}

void newGame(int32_t course, uint32_t seed, uint32_t storedHiScore) {
    setCourse(course);
    setStartingLives();
    setSpawnTimers();
    randomSeed(seed);
    layOutRungs();
    gameState.hiScore = storedHiScore;
    enterReadyPhase();
}
