// The whole state of one game of velno, its records, codes and fixed tables,
// and the operations of the game core.
//
// The core is platform-free: it changes `gameState` and reaches the outside
// world only through the host operations declared in core/host.h.
#pragma once

#include <cstdint>

// Table sizes.
constexpr int MAX_MAILS = 256;
constexpr int MAX_SHOTS = 30;
constexpr int MAX_MISSILES = 20;
constexpr int MAX_RUNGS = 20;
constexpr int LANE_COUNT = 5;

// Phase codes.
constexpr int32_t PHASE_IDLE = 0;
constexpr int32_t PHASE_READY = 1;
constexpr int32_t PHASE_GO = 2;
constexpr int32_t PHASE_PLAY = 3;
constexpr int32_t PHASE_MISFIRE = 4;
constexpr int32_t PHASE_GAMEOVER = 5;

// Mail kind codes. 6..10 are burst frames, 11..20 delivered-message frames.
constexpr int32_t MAIL_NONE = 0;
constexpr int32_t MAIL_YELLOW = 1;
constexpr int32_t MAIL_CYAN = 2;
constexpr int32_t MAIL_RED = 3;
constexpr int32_t MAIL_PURPLE = 4;
constexpr int32_t MAIL_VIRUS = 5;
constexpr int32_t MAIL_BURST = 6;
constexpr int32_t MAIL_DELIVERED = 11;

// Missile state codes. 6..10 are burst frames.
constexpr int32_t MISSILE_NONE = 0;
constexpr int32_t MISSILE_FLYING = 1;
constexpr int32_t MISSILE_BURST = 6;

// Turn codes of a mail.
constexpr int32_t TURN_NONE = 0;
constexpr int32_t TURN_RIGHT = 1;
constexpr int32_t TURN_LEFT = 2;

// Courses.
constexpr int32_t COURSE_DIALUP = 0;
constexpr int32_t COURSE_ISDN = 1;
constexpr int32_t COURSE_ADSL = 2;
constexpr int32_t COURSE_HIKARI = 3;
constexpr int COURSE_COUNT = 4;

// The game timer.
constexpr unsigned GAME_TIMER_ID = 4115;
constexpr uint32_t TICK_PERIOD_MS = 36;

// Sound effects, by wave resource number.
constexpr int SFX_MISFIRE = 149;
constexpr int SFX_BLAST = 150;
constexpr int SFX_SHOT = 151;
constexpr int SFX_VIRUS_FIRE = 158;
constexpr int SFX_DELIVERED = 159;

// Rectangles are left, top, right, bottom; right and bottom exclusive.
struct Rect {
    int32_t left;
    int32_t top;
    int32_t right;
    int32_t bottom;
};

// The line that shows the high score, the score and the lives.
constexpr Rect HUD_RECT = {300, 39, 617, 53};

// Banner texts invalidated by the phase step.
constexpr Rect READY_RECT = {240, 200, 500, 260};
constexpr Rect GO_RECT = {280, 200, 500, 260};
constexpr Rect GAMEOVER_RECT = {220, 200, 540, 260};

// Playfield geometry.
constexpr int32_t LANE_SPACING = 100;
constexpr int32_t LANE_TOP = 78;
constexpr int32_t MAIL_ENTRY_Y = 80;
constexpr int32_t MAILBOX_Y = 340;
constexpr int32_t PLAYER_START_X = 294;
constexpr int32_t PLAYER_Y = 370;
constexpr int32_t CLIENT_WIDTH = 620;
constexpr int32_t CLIENT_HEIGHT = 440;

struct Mail {
    int32_t kind;       // MAIL_NONE marks a free slot
    int32_t x;          // centre
    int32_t y;          // centre
    int32_t speed;      // pixels per tick, down the lane or along a rung
    int32_t turn;       // TURN_NONE, TURN_RIGHT or TURN_LEFT
    int32_t fireTimer;  // viruses only
};

struct Shot {
    int32_t x;      // left edge of the 3 x 16 picture
    int32_t y;      // top edge
    int32_t speed;  // pixels upwards per tick; 0 marks a free slot
};

struct Missile {
    int32_t state;  // MISSILE_NONE marks a free slot
    double x;       // centre
    double y;
    double speed;   // pixels per tick along angle
    double angle;   // radians, from +x towards +y (downwards)
};

struct Rung {
    int32_t lane;  // 1..4 joins lane and lane + 1; 0 means no rung
    int32_t y;
};

struct InputState {
    bool left;
    bool right;
    bool fire;
};

struct GameState {
    int32_t playerX = PLAYER_START_X;
    int32_t playerY = PLAYER_Y;
    uint32_t score = 0;
    uint32_t hiScore = 0;
    int32_t lives = 0;
    int32_t phase = PHASE_IDLE;
    int32_t phaseTimer = 0;
    int32_t course = 0;
    int32_t spawnInterval = 0;
    int32_t spawnCountdown = 0;
    int32_t fireCooldown = 0;
    int32_t misfirePicture = 0;
    uint32_t lastTickTime = 0;
    uint8_t mailboxDestroyed[LANE_COUNT] = {};
    Mail mails[MAX_MAILS] = {};
    Shot shots[MAX_SHOTS] = {};
    Missile missiles[MAX_MISSILES] = {};
    Rung rungs[MAX_RUNGS] = {};
};

// The one game state of the process, filled with its process-start values.
extern GameState gameState;

// Per-course parameters.
struct CourseInfo {
    const char* caption;       // window caption, Shift-JIS
    const char* hiScoreKey;    // key in the high-score file
};
extern const CourseInfo COURSES[COURSE_COUNT];

// The random source: a 32-bit linear congruential generator.
void randomSeed(uint32_t seed);
int32_t randomNext();  // 0..32767

// Steps of the new game, in the order they must run. `newGame` runs them all;
// the shell may instead run them one by one around its own start-up steps.
void setCourse(int32_t course);
void setStartingLives();             // lives 5, score 0
void setSpawnTimers();               // spawnInterval, spawnCountdown
void layOutRungs();                  // 15 + course rungs, two draws each
void enterReadyPhase();              // PHASE_READY and invalidateAll()
void newGame(int32_t course, uint32_t seed, uint32_t storedHiScore);

// The tick and its sub-steps.
void tickGame(unsigned timerId);
void movePlayer(const InputState& input);
void updateFiring(const InputState& input);
void fireShot(int32_t x, int32_t y, int32_t speed);
void updateShots();
void runSpawnCountdown();
void spawnMail();
void updateMails();
void updateVirusFire(Mail& mail);
void fireMissile(int32_t x, int32_t y);
void updateMissiles();
