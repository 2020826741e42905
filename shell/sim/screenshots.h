// Screenshots of a simulated game: a software canvas that takes the core's
// invalidations and paints after every tick as the window would, saving the
// frame after the requested ticks as PNG files.
#pragma once

#include <string>
#include <vector>

#include "render/canvas.h"
#include "shell/sim/sim_host.h"

struct ScreenshotRequest {
    long long tick = 0;  // 0: the frame right after the new game
    std::string path;
};

// Parses "TICK:FILE.png". Returns false with `error` set when malformed.
bool parseScreenshotRequest(const std::string& text, ScreenshotRequest& out, std::string& error);

class ScreenshotObserver final : public SimObserver {
public:
    ScreenshotObserver(SoftwareCanvas& canvas, std::vector<ScreenshotRequest> requests);

    void invalidate(int32_t left, int32_t top, int32_t right, int32_t bottom) override;
    void invalidateAll() override;
    void afterTick(long long tick) override;

    // Problems so far: files that could not be written, and after the game
    // has ended, the requests for ticks it never reached.
    std::vector<std::string> problems() const;
    int saved() const { return saved_; }

private:
    SoftwareCanvas& canvas_;
    std::vector<ScreenshotRequest> requests_;
    std::vector<std::string> failures_;
    std::vector<bool> done_;
    long long lastTick_ = -1;
    long long lastRequested_ = -1;
    int saved_ = 0;
};
