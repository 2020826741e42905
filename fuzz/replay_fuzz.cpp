// Feeds arbitrary bytes to the replay reader. Whatever it accepts must encode
// back to exactly the same bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "shell/common/replay.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    Replay replay;
    std::string reason;
    if (decodeReplay(bytes, replay, reason)) {
        if (encodeReplay(replay) != bytes) {
            std::abort();
        }
    } else if (reason.empty()) {
        std::abort();
    }
    return 0;
}
