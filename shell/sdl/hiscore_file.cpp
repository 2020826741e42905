#include "shell/sdl/hiscore_file.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "shell/sdl/ini.h"

namespace velno {
namespace {

constexpr const char* SECTION = "HISCORE";

enum class ReadResult { Ok, Missing, Failed };

ReadResult readWholeFile(const std::string& path, std::string& out, int& error) {
    out.clear();
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        error = errno;
        return error == ENOENT ? ReadResult::Missing : ReadResult::Failed;
    }
    char buffer[4096];
    for (;;) {
        ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n == 0) break;
        if (n < 0) {
            if (errno == EINTR) continue;
            error = errno;
            ::close(fd);
            return ReadResult::Failed;
        }
        out.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return ReadResult::Ok;
}

bool writeAll(int fd, std::string_view data) {
    while (!data.empty()) {
        ssize_t n = ::write(fd, data.data(), data.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        data.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

// Creates `dir` and its missing parents.
bool makeDirectories(const std::string& dir) {
    if (dir.empty()) return true;
    struct stat st;
    if (::stat(dir.c_str(), &st) == 0) return S_ISDIR(st.st_mode) ? true : (errno = ENOTDIR, false);
    std::size_t slash = dir.find_last_of('/');
    if (slash != std::string::npos && slash > 0 && !makeDirectories(dir.substr(0, slash))) return false;
    return ::mkdir(dir.c_str(), 0755) == 0 || errno == EEXIST;
}

std::string parentOf(const std::string& path) {
    std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// A symbolic link at `path` is followed, so that saving replaces the file it
// points to and not the link.
std::string resolveLink(const std::string& path) {
    struct stat st;
    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
    char resolved[PATH_MAX];
    if (::realpath(path.c_str(), resolved) == nullptr) return path;
    return resolved;
}

}  // namespace

std::string hiScoreFilePath() {
    std::string base;
    const char* xdg = std::getenv("XDG_DATA_HOME");
    if (xdg != nullptr && xdg[0] == '/') {
        base = xdg;
    } else {
        const char* home = std::getenv("HOME");
        if (home == nullptr || home[0] == '\0') {
            const passwd* pw = ::getpwuid(::getuid());
            home = pw != nullptr ? pw->pw_dir : ".";
        }
        base = std::string(home) + "/.local/share";
    }
    return base + "/velno/VELNO.INI";
}

uint32_t loadHiScore(const std::string& path, const char* key) {
    std::string text;
    int error = 0;
    switch (readWholeFile(path, text, error)) {
        case ReadResult::Missing:
            return 0;
        case ReadResult::Failed:
            std::fprintf(stderr, "velno: cannot read the high-score file %s (%s); starting from 0\n",
                         path.c_str(), std::strerror(error));
            return 0;
        case ReadResult::Ok:
            break;
    }
    return ini::readProfileInt(text, SECTION, key, 0);
}

bool saveHiScore(const std::string& linkPath, const char* key, uint32_t value) {
    const std::string path = resolveLink(linkPath);
    const std::string dir = parentOf(path);
    auto fail = [&](const char* what, int error) {
        std::fprintf(stderr, "velno: cannot save the high score to %s: %s (%s)\n", path.c_str(), what,
                     std::strerror(error));
        return false;
    };

    std::string text;
    int error = 0;
    ReadResult read = readWholeFile(path, text, error);
    // Without the old contents the other courses' scores would be lost.
    if (read == ReadResult::Failed) return fail("the existing file cannot be read", error);
    if (!makeDirectories(dir)) return fail("cannot create its folder", errno);

    char number[16];
    std::snprintf(number, sizeof number, "%u", value);
    const std::string updated = ini::writeProfileString(text, SECTION, key, number);

    std::string temp = path + ".XXXXXX";
    int fd = ::mkstemp(temp.data());
    if (fd < 0) return fail("cannot create a temporary file", errno);
    // Keep the old file's permissions; a new file gets the usual ones.
    struct stat st;
    mode_t mode = 0644;
    if (read == ReadResult::Ok && ::stat(path.c_str(), &st) == 0) {
        mode = st.st_mode & 07777;
    } else {
        mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    bool ok = ::fchmod(fd, mode) == 0 && writeAll(fd, updated) && ::fsync(fd) == 0;
    error = errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        error = errno;
    }
    if (ok && ::rename(temp.c_str(), path.c_str()) != 0) {
        ok = false;
        error = errno;
    }
    if (!ok) {
        ::unlink(temp.c_str());
        return fail("writing failed", error);
    }
    // Make the rename itself durable.
    int dirFd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
    return true;
}

}  // namespace velno
