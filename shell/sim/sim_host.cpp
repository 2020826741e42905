#include "shell/sim/sim_host.h"

#include "core/host.h"

SimHost simHost;

void invalidateArea(int32_t left, int32_t top, int32_t right, int32_t bottom) {
    if (simHost.dump != nullptr) {
        std::fprintf(simHost.dump, "inval %d %d %d %d\n", left, top, right, bottom);
    }
    // A closed window takes no more invalidations.
    if (simHost.observer != nullptr && !simHost.closed) {
        simHost.observer->invalidate(left, top, right, bottom);
    }
}

void invalidateAll() {
    if (simHost.dump != nullptr) {
        std::fputs("invalall\n", simHost.dump);
    }
    if (simHost.observer != nullptr && !simHost.closed) {
        simHost.observer->invalidateAll();
    }
}

void playEffect(int number, bool noStop) {
    if (simHost.dump != nullptr) {
        std::fprintf(simHost.dump, "effect %d %d\n", number, noStop ? 1 : 0);
    }
}

void closeMainWindow() {
    if (simHost.dump != nullptr) {
        std::fputs("close\n", simHost.dump);
    }
    simHost.closed = true;
}

bool isMainWindowForeground() {
    return simHost.foreground;
}

uint32_t currentTimeMs() {
    return simHost.timeMs;
}

InputState sampleInput() {
    return simHost.input;
}
