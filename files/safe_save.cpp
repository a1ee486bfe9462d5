// Safe saving. Writing goes to a temporary file in the target's folder that
// replaces the target only when complete; a symbolic link is written through,
// a device or FIFO is written directly, a write-protected file is refused.
#include "files/safe_save.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace korvane {

namespace {

std::string folderOf(const std::string& path) {
    auto p = path.find_last_of('/');
    if (p == std::string::npos) return ".";
    if (p == 0) return "/";
    return path.substr(0, p);
}

// Follows a chain of symbolic links at the end of `path` to the name that is
// finally written. `direct` is set when the chain passes through /proc (the
// links of /dev/stdout and /proc/self/fd name open files, not files that a
// rename could replace). False for a loop of links.
bool resolveLinks(std::string& path, bool& direct) {
    direct = false;
    for (int hop = 0; hop < 40; ++hop) {
        struct stat ls{};
        if (::lstat(path.c_str(), &ls) != 0 || !S_ISLNK(ls.st_mode)) return true;
        std::string target(static_cast<size_t>(ls.st_size > 0 ? ls.st_size : 0) + 256, '\0');
        const ssize_t n = ::readlink(path.c_str(), target.data(), target.size());
        if (n < 0) return true;
        target.resize(static_cast<size_t>(n));
        if (path.rfind("/proc/", 0) == 0 || target.rfind("/proc/", 0) == 0) {
            direct = true;
            return true;
        }
        path = (!target.empty() && target[0] == '/') ? target : folderOf(path) + "/" + target;
    }
    errno = ELOOP;
    return false;
}

bool writeAll(int fd, std::string_view data) {
    size_t off = 0;
    while (off < data.size()) {
        ssize_t w = ::write(fd, data.data() + off, data.size() - off);
        if (w < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        off += static_cast<size_t>(w);
    }
    return true;
}

// A device, a FIFO or an open file behind /proc is written in place: it
// cannot be replaced, and replacing it would take it from whoever uses it.
bool writeDirectly(const std::string& path, std::string_view data, FileError& err) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_TRUNC | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        setSystemError(err, errno, "cannot write " + path);
        return false;
    }
    if (!writeAll(fd, data)) {
        const int e = errno;
        ::close(fd);
        setSystemError(err, e, "write failed");
        return false;
    }
    if (::close(fd) != 0) {
        setSystemError(err, errno, "write failed");
        return false;
    }
    return true;
}

}  // namespace

bool writeFileSafely(const std::string& givenPath, std::string_view data, FileError& err) {
    err = FileError{};
    if (givenPath.empty()) {
        setSystemError(err, ENOENT, "empty file name");
        return false;
    }
    std::string path = givenPath;
    bool direct = false;
    if (!resolveLinks(path, direct)) {
        setSystemError(err, errno, givenPath);
        return false;
    }
    struct stat target{};
    const bool exists = ::stat(path.c_str(), &target) == 0;
    if (exists && S_ISDIR(target.st_mode)) {
        setSystemError(err, EISDIR, path);
        return false;
    }
    if (direct || (exists && !S_ISREG(target.st_mode))) return writeDirectly(path, data, err);
    if (exists && ::access(path.c_str(), W_OK) != 0 && errno != EACCES && errno != EPERM) {
        // Not the file's protection but the place it lies on (a read-only
        // file system, EROFS, among others): said with its own words.
        setSystemError(err, errno, path);
        return false;
    }
    if (exists && ((target.st_mode & 0222) == 0 || ::access(path.c_str(), W_OK) != 0)) {
        // A write-protected file stays as it is, also for a user whose rights
        // would let the rename replace it (the folder is writable, or root).
        setSystemError(err, EACCES, path);
        err.fault = FileFault::WriteProtected;
        err.reason = "the file is write-protected";
        return false;
    }

    // A short temporary name in the target's folder: a rename within one
    // folder is atomic, and a name of the longest legal length still leaves
    // room for it.
    std::string buf = folderOf(path) + "/.kv-XXXXXX";
    int fd = ::mkstemp(buf.data());
    if (fd < 0) {
        setSystemError(err, errno, "cannot create a file in " + folderOf(path));
        return false;
    }
    const std::string tmp = buf;
    auto abandon = [&](int code, const std::string& what) {
        ::close(fd);
        ::unlink(tmp.c_str());
        setSystemError(err, code, what);
        return false;
    };
    // Permissions (and, where allowed, owner) as a freshly created file would
    // get, or those of the file being replaced.
    mode_t mode;
    if (exists) {
        mode = target.st_mode & 07777;
        if (::fchown(fd, target.st_uid, target.st_gid) != 0) {
            // Not allowed to give the file away: it belongs to the writer.
        }
    } else {
        mode_t um = ::umask(0);
        ::umask(um);
        mode = 0666 & ~um;
    }
    if (::fchmod(fd, mode) != 0) return abandon(errno, "cannot set permissions");
    if (!writeAll(fd, data)) return abandon(errno, "write failed");
    if (::fsync(fd) != 0) return abandon(errno, "write failed");
    if (::close(fd) != 0) {
        int e = errno;
        ::unlink(tmp.c_str());
        setSystemError(err, e, "write failed");
        return false;
    }
    if (::rename(tmp.c_str(), path.c_str()) != 0) {
        int e = errno;
        ::unlink(tmp.c_str());
        setSystemError(err, e, "cannot replace " + path);
        return false;
    }
    int dfd = ::open(folderOf(path).c_str(), O_RDONLY | O_DIRECTORY);
    if (dfd >= 0) {
        ::fsync(dfd);
        ::close(dfd);
    }
    return true;
}

}  // namespace korvane
