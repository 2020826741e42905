// libFuzzer target for the INI reader and writer: any file text, any course
// key and any value. Reading never fails, and after writing a value reading
// gives that value back while the other courses' values stay as they were.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "shell/sdl/ini.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const char* const keys[] = {"DIALUP", "ISDN", "ADSL", "HIKARI"};
    if (size < 5) return 0;
    uint32_t value;
    std::memcpy(&value, data, 4);
    const int chosen = data[4] % 4;
    const std::string_view text(reinterpret_cast<const char*>(data + 5), size - 5);

    uint32_t before[4];
    for (int k = 0; k < 4; ++k) before[k] = velno::ini::readProfileInt(text, "HISCORE", keys[k], 0);

    char number[16];
    std::snprintf(number, sizeof number, "%u", value);
    const std::string written = velno::ini::writeProfileString(text, "HISCORE", keys[chosen], number);
    for (int k = 0; k < 4; ++k) {
        const uint32_t after = velno::ini::readProfileInt(written, "HISCORE", keys[k], 0);
        const uint32_t expected = k == chosen ? value : before[k];
        if (after != expected) {
            std::fprintf(stderr, "key %s: read %u after writing, expected %u\n", keys[k], after,
                         expected);
            std::abort();
        }
    }
    return 0;
}
