#include "shell/common/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>
#include <vector>

namespace {

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

bool writeAll(int fd, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

}  // namespace

bool makeDirectories(const std::string& dir) {
    if (dir.empty()) {
        return false;
    }
    struct stat info {};
    if (::stat(dir.c_str(), &info) == 0) {
        return S_ISDIR(info.st_mode);
    }
    const std::string parent = folderOf(dir);
    if (parent != dir && parent != "." && parent != "/" && !makeDirectories(parent)) {
        return false;
    }
    return ::mkdir(dir.c_str(), 0755) == 0 || errno == EEXIST;
}

bool writeFileAtomically(const std::string& path, const std::string& bytes, std::string& error) {
    const std::string folder = folderOf(path);
    std::string pattern = path + ".tmpXXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    const int fd = ::mkstemp(name.data());
    if (fd < 0) {
        error = "cannot write " + path + ": no temporary file in " + folder + ": " +
                std::strerror(errno);
        return false;
    }
    bool ok = ::fchmod(fd, 0644) == 0 && writeAll(fd, bytes) && ::fsync(fd) == 0;
    int savedErrno = errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        savedErrno = errno;
    }
    if (ok && ::rename(name.data(), path.c_str()) != 0) {
        ok = false;
        savedErrno = errno;
    }
    if (!ok) {
        ::unlink(name.data());
        error = std::string("cannot write ") + path + ": " + std::strerror(savedErrno);
        return false;
    }
    // Make the rename itself durable.
    const int dirFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
    return true;
}

bool readWholeFile(const std::string& path, std::string& bytes, std::string& error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = std::strerror(errno);
        return false;
    }
    std::ostringstream buffer;
    buffer << in.rdbuf();
    if (in.bad()) {
        error = "read error";
        return false;
    }
    bytes = buffer.str();
    return true;
}
