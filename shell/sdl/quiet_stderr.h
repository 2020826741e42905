// Running a call with stderr pointed at /dev/null: the system libraries
// behind SDL print lines of their own when a device is missing, and the game
// prints one clear line of its own instead.
#pragma once

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>

namespace velno {

template <typename Call>
auto quietly(Call call) {
    std::fflush(stderr);
    int saved = ::dup(STDERR_FILENO);
    int null = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (saved >= 0 && null >= 0) ::dup2(null, STDERR_FILENO);
    auto result = call();
    std::fflush(stderr);
    if (saved >= 0) {
        ::dup2(saved, STDERR_FILENO);
        ::close(saved);
    }
    if (null >= 0) ::close(null);
    return result;
}

}  // namespace velno
