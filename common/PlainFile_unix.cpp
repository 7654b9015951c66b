// The Linux side of PlainFile: open(2) without blocking, fstat and flock.
#include "PlainFile.h"

#include "SystemErrorText.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace z9 {
namespace {

class Fd {
public:
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd() { Close(); }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }
    bool ok() const { return fd_ >= 0; }
    int Close() {
        int r = fd_ >= 0 ? ::close(fd_) : 0;
        fd_ = -1;
        return r;
    }

private:
    int fd_;
};

// Opens for reading without ever blocking (a FIFO would otherwise wait for a
// writer); anything but a plain file is refused as Windows refuses it.
int OpenPlainFile(const std::string& path, struct stat& st) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) return -1;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        int err = S_ISDIR(st.st_mode) ? EISDIR : EACCES;
        ::close(fd);
        errno = err;
        return -1;
    }
    return fd;
}

bool Fail(PlainFileError* error, PlainFileStep step, std::string text) {
    if (error) *error = {step, std::move(text)};
    return false;
}

} // namespace

bool ReadPlainFile(const std::string& path, std::uint64_t limit, std::string& bytes, PlainFileError* error) {
    struct stat st {};
    Fd fd(OpenPlainFile(path, st));
    if (!fd.ok()) return Fail(error, PlainFileStep::Open, ErrnoText(errno));
    const auto size = static_cast<std::uint64_t>(st.st_size);
    if (size > limit) return Fail(error, PlainFileStep::Size, {});
    // Room for the file as it was measured and one byte more, which tells a
    // file that grew meanwhile; the room grows with it up to one byte past the limit.
    const std::uint64_t ceiling = limit + 1;
    std::string read(static_cast<std::size_t>(size + 1), '\0');
    std::size_t got = 0;
    for (;;) {
        if (got == read.size()) {
            if (read.size() >= ceiling) break;
            read.resize(static_cast<std::size_t>(std::min<std::uint64_t>(ceiling, read.size() * 2)));
        }
        const ssize_t n = ::read(fd.get(), read.data() + got, read.size() - got);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return Fail(error, PlainFileStep::Read, ErrnoText(errno));
        if (n == 0) break;
        got += static_cast<std::size_t>(n);
    }
    if (got > limit) return Fail(error, PlainFileStep::Size, {});
    read.resize(got);
    if (fd.Close() != 0) return Fail(error, PlainFileStep::Close, ErrnoText(errno));
    bytes = std::move(read);
    return true;
}

std::string ExclusiveAccessFailure(const std::string& path) {
    struct stat st {};
    Fd fd(OpenPlainFile(path, st));
    if (!fd.ok()) return ErrnoText(errno);
    if (::flock(fd.get(), LOCK_EX | LOCK_NB) != 0) return ErrnoText(errno);
    return {};
}

} // namespace z9
