#include "shell/sim/screenshots.h"

#include <SDL.h>

#include <algorithm>
#include <cstdlib>

bool parseScreenshotRequest(const std::string& text, ScreenshotRequest& out, std::string& error) {
    const std::size_t colon = text.find(':');
    if (colon == std::string::npos || colon == 0 || colon + 1 == text.size()) {
        error = "--screenshot: expected TICK:FILE.png, got '" + text + "'";
        return false;
    }
    const std::string digits = text.substr(0, colon);
    if (digits.find_first_not_of("0123456789") != std::string::npos || digits.size() > 15) {
        error = "--screenshot: '" + digits + "' is not a tick number";
        return false;
    }
    out.tick = std::strtoll(digits.c_str(), nullptr, 10);
    out.path = text.substr(colon + 1);
    return true;
}

ScreenshotObserver::ScreenshotObserver(SoftwareCanvas& canvas,
                                       std::vector<ScreenshotRequest> requests)
    : canvas_(canvas), requests_(std::move(requests)), done_(requests_.size(), false) {
    for (const ScreenshotRequest& request : requests_) {
        lastRequested_ = std::max(lastRequested_, request.tick);
    }
}

void ScreenshotObserver::invalidate(int32_t left, int32_t top, int32_t right, int32_t bottom) {
    canvas_.invalidate(left, top, right, bottom);
}

void ScreenshotObserver::invalidateAll() {
    canvas_.invalidateAll();
}

void ScreenshotObserver::afterTick(long long tick) {
    lastTick_ = tick;
    if (tick > lastRequested_) {
        return;  // nothing more to show: no need to paint
    }
    // The window paints between ticks whatever was invalidated.
    canvas_.paint();
    for (std::size_t i = 0; i < requests_.size(); ++i) {
        if (requests_[i].tick != tick) {
            continue;
        }
        done_[i] = true;
        if (canvas_.savePng(requests_[i].path.c_str())) {
            ++saved_;
        } else {
            failures_.push_back("cannot write '" + requests_[i].path + "': " + SDL_GetError());
        }
    }
}

std::vector<std::string> ScreenshotObserver::problems() const {
    std::vector<std::string> out = failures_;
    for (std::size_t i = 0; i < requests_.size(); ++i) {
        if (!done_[i]) {
            out.push_back("no screenshot '" + requests_[i].path + "': the game ended at tick " +
                          std::to_string(lastTick_) + ", before tick " +
                          std::to_string(requests_[i].tick));
        }
    }
    return out;
}
