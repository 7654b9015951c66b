#include "WholeFile.h"

#include "SystemErrorText.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <new>

namespace z9 {
namespace {

struct CloseFile {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

bool Fail(std::string& bytes, std::string& errorText, int err) {
    bytes.clear();
    errorText = ErrnoText(err);
    return false;
}

} // namespace

bool ReadWholeFile(const std::string& hostPath, std::string& bytes, std::string& errorText) {
    namespace fs = std::filesystem;
    bytes.clear();
    errorText.clear();
    std::error_code ec;
    const fs::file_status status = fs::status(fs::path(hostPath), ec);
    if (fs::exists(status) && !fs::is_regular_file(status)) return Fail(bytes, errorText, EACCES);

    errno = 0;
    std::unique_ptr<std::FILE, CloseFile> file(std::fopen(hostPath.c_str(), "rb"));
    if (!file) return Fail(bytes, errorText, errno ? errno : ENOENT);
    try {
        const std::uintmax_t size = fs::file_size(fs::path(hostPath), ec);
        // One read of the size the file has; a file that grows meanwhile is read on.
        bytes.resize(ec ? 0 : static_cast<std::size_t>(size) + 1);
        std::size_t got = 0;
        for (;;) {
            if (got == bytes.size()) bytes.resize(got < 65536 ? 65536 : got * 2);
            const std::size_t n = std::fread(bytes.data() + got, 1, bytes.size() - got, file.get());
            got += n;
            if (got < bytes.size()) break;
        }
        bytes.resize(got);
    } catch (const std::bad_alloc&) {
        return Fail(bytes, errorText, ENOMEM);
    }
    if (std::ferror(file.get())) return Fail(bytes, errorText, errno ? errno : EIO);
    return true;
}

} // namespace z9
