// Game states worth drawing, shared by the golden frames and the benchmarks.
#pragma once

#include "core/game_state.h"

namespace scenes {

// Rungs of a typical course: 16 rungs spread over the four gaps.
inline void layRungs() {
    const Rung rungs[] = {{1, 110}, {3, 118}, {2, 131}, {4, 145}, {1, 160}, {3, 172},
                          {2, 186}, {4, 199}, {1, 213}, {2, 230}, {4, 244}, {3, 258},
                          {1, 271}, {2, 287}, {4, 301}, {3, 316}};
    int i = 0;
    for (const Rung& rung : rungs) {
        gameState.rungs[i++] = rung;
    }
}

// The frame right after a new game: READY over an empty ladder.
inline void ready() {
    gameState = GameState{};
    gameState.phase = PHASE_READY;
    gameState.lives = 5;
    gameState.hiScore = 1200;
    layRungs();
}

// A game in full swing: mails of every kind, bursts, a delivery message,
// shots, missiles and a lost mailbox.
inline void play() {
    ready();
    gameState.phase = PHASE_PLAY;
    gameState.score = 1530;
    gameState.lives = 3;
    gameState.playerX = 260;
    gameState.mailboxDestroyed[3] = 1;
    const Mail mails[] = {
        {MAIL_YELLOW, 100, 96, 2, 0, 0},  {MAIL_CYAN, 200, 150, 2, 0, 0},
        {MAIL_RED, 250, 172, 2, 1, 0},    {MAIL_PURPLE, 500, 240, 3, 0, 0},
        {MAIL_VIRUS, 300, 280, 2, 0, 9},  {6, 400, 120, 0, 0, 0},
        {8, 100, 250, 0, 0, 0},           {10, 500, 330, 0, 0, 0},
        {13, 200, 345, 0, 0, 0},          {MAIL_RED, 300, 80, 2, 0, 0},
    };
    int i = 0;
    for (const Mail& mail : mails) {
        gameState.mails[i++] = mail;
    }
    gameState.shots[0] = Shot{275, 300, 8};
    gameState.shots[1] = Shot{275, 220, 8};
    gameState.missiles[0] = Missile{MISSILE_FLYING, 290.6, 330.2, 3, 1.2};
    gameState.missiles[1] = Missile{7, 150.0, 390.0, 0, 0};
}

// A misfire half-way through: the page slides over the scene.
inline void misfire() {
    play();
    gameState.phase = PHASE_MISFIRE;
    gameState.phaseTimer = 60;
    gameState.misfirePicture = 1;
    gameState.lives = 2;
}

inline void gameOver() {
    play();
    gameState.phase = PHASE_GAMEOVER;
    gameState.lives = 0;
    gameState.mailboxDestroyed[0] = 1;
    gameState.mailboxDestroyed[2] = 1;
}

// Every table full: the most a frame ever draws.
inline void everyTableFull() {
    ready();
    gameState.phase = PHASE_GAMEOVER;
    gameState.score = 99999999;
    for (int i = 0; i < MAX_RUNGS; ++i) {
        gameState.rungs[i] = Rung{1 + i % 4, 90 + 12 * i};
    }
    for (int i = 0; i < MAX_SHOTS; ++i) {
        gameState.shots[i] = Shot{20 * i, 100 + 8 * i, 8};
    }
    for (int i = 0; i < MAX_MAILS; ++i) {
        // Every kind that draws, messages included, spread over the field.
        gameState.mails[i] = Mail{1 + i % 20, 100 * (1 + i % 5), 80 + i, 2, 0, 0};
    }
    for (int i = 0; i < MAX_MISSILES; ++i) {
        const int32_t state = i % 2 == 0 ? MISSILE_FLYING : MISSILE_BURST + i % 5;
        gameState.missiles[i] = Missile{state, 30.0 * i + 0.5, 200.0 + 5 * i, 3, 0.5};
    }
}

}  // namespace scenes
