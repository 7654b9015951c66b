// The Linux side of SafeFile: open(2) with O_EXCL, fsync and rename(2).
#include "SafeFile.h"

#include "PathParts.h"
#include "SystemErrorText.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace z9 {
namespace {

long ErrnoCode(int err) {
    return WinErrorFromErrno(err ? err : EIO);
}

int OpenForLock(const std::string& file) {
    int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) fd = ::open(file.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    return fd;
}

// Locks a new temporary file and tells whether its name still leads to it. The
// lock marks a living writer: the sweep of the next writer of this target
// passes over a locked temporary and removes an unlocked one.
bool StillNamed(int fd, const std::string& name) {
    while (::flock(fd, LOCK_EX) != 0)
        if (errno != EINTR) return true; // no locks here: no sweep removes it either
    struct stat held {
    }, named{};
    return ::fstat(fd, &held) == 0 && ::lstat(name.c_str(), &named) == 0 && held.st_dev == named.st_dev &&
           held.st_ino == named.st_ino;
}

} // namespace

void SafeFile::RemoveIfAbandoned(const std::string& file) {
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK | O_NOFOLLOW);
    if (fd < 0) return;
    // A writer holds its temporary locked while it lives; the lock dies with it.
    struct stat held {
    }, named{};
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::fstat(fd, &held) == 0 && S_ISREG(held.st_mode) &&
        ::lstat(file.c_str(), &named) == 0 && held.st_dev == named.st_dev && held.st_ino == named.st_ino)
        ::unlink(file.c_str());
    ::close(fd);
}

bool SafeFile::OpenFiles() {
    // Refuse what a rename would not replace as a file, as Windows refuses it.
    struct stat st {};
    bool exists = false;
    if (::stat(path_.c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode)) return Fail(ErrnoCode(EISDIR));
        if (!S_ISREG(st.st_mode)) return Fail(ErrnoCode(EACCES));
        if (::access(path_.c_str(), W_OK) != 0) return Fail(ErrnoCode(errno));
        exists = true;
    } else if (errno != ENOENT) {
        return Fail(ErrnoCode(errno));
    } else {
        const std::string folder = ParentFolder(path_);
        struct stat dir {};
        if (::stat(folder.empty() ? "." : folder.c_str(), &dir) != 0 || !S_ISDIR(dir.st_mode))
            return Fail(ERROR_PATH_NOT_FOUND_CODE);
    }

    if (exists && options_.lockTarget) {
        target_ = OpenForLock(path_);
        if (target_ == kNoFile) return Fail(ErrnoCode(errno));
        if (::flock(static_cast<int>(target_), LOCK_EX | LOCK_NB) != 0) return Fail(ErrnoCode(errno));
    }

    const mode_t mode = options_.privateToUser ? 0600 : exists ? (st.st_mode & 07777) : 0666;
    for (int attempt = 0; attempt < 16 && file_ == kNoFile; ++attempt) {
        temp_ = TempName();
        file_ = ::open(temp_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, mode);
        if (file_ == kNoFile && errno != EEXIST) break;
        // Another writer's sweep may have taken the new file for a stale one in
        // the moment before it was locked: then it is gone, and another name is tried.
        if (file_ != kNoFile && !StillNamed(static_cast<int>(file_), temp_)) {
            ::close(static_cast<int>(file_));
            file_ = kNoFile;
        }
    }
    if (file_ == kNoFile) {
        const int err = errno;
        temp_.clear();
        return Fail(ErrnoCode(err));
    }
    const int fd = static_cast<int>(file_);
    // The creation mode passed the umask; a replaced file keeps exactly its own.
    if (exists || options_.privateToUser) ::fchmod(fd, mode);
    return true;
}

bool SafeFile::WriteBytes(std::string_view bytes) {
    const int fd = static_cast<int>(file_);
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return Fail(ErrnoCode(n < 0 ? errno : ENOSPC));
        done += static_cast<std::size_t>(n);
    }
    return true;
}

bool SafeFile::CommitFile() {
    const int fd = static_cast<int>(file_);
    if (::fsync(fd) != 0) return Fail(ErrnoCode(errno));
    if (::rename(temp_.c_str(), path_.c_str()) != 0) return Fail(ErrnoCode(errno));
    temp_.clear(); // it is the target now
    const int closed = ::close(fd);
    const int err = errno;
    file_ = kNoFile;
    CloseFiles();
    if (closed != 0) return Fail(ErrnoCode(err));
    return true;
}

void SafeFile::Discard() {
    CloseFiles();
    if (!temp_.empty()) ::unlink(temp_.c_str());
    temp_.clear();
}

void SafeFile::CloseFiles() {
    if (file_ != kNoFile) ::close(static_cast<int>(file_));
    if (target_ != kNoFile) ::close(static_cast<int>(target_));
    file_ = target_ = kNoFile;
}

bool AppendToFile(const std::string& path, std::string_view bytes, bool privateToUser) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC | O_NOCTTY,
                          privateToUser ? 0600 : 0666);
    if (fd < 0) return false;
    bool written = true;
    for (size_t done = 0; done < bytes.size() && written;) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n > 0)
            done += static_cast<size_t>(n);
        else if (n < 0 && errno == EINTR)
            continue;
        else
            written = false;
    }
    return ::close(fd) == 0 && written;
}

} // namespace z9
