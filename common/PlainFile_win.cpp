// The Windows side of PlainFile: CreateFileA with the sharing each call needs.
#include "PlainFile.h"

#include "SystemErrorText.h"

#include <windows.h>

namespace z9 {
namespace {

std::string LastErrorText() {
    return SystemErrorText(static_cast<long>(GetLastError()));
}

class Handle {
public:
    explicit Handle(HANDLE h) : h_(h) {}
    ~Handle() { Close(); }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    HANDLE get() const { return h_; }
    bool ok() const { return h_ != INVALID_HANDLE_VALUE; }
    bool Close() {
        const bool closed = h_ == INVALID_HANDLE_VALUE || CloseHandle(h_);
        h_ = INVALID_HANDLE_VALUE;
        return closed;
    }

private:
    HANDLE h_;
};

bool Fail(PlainFileError* error, PlainFileStep step, std::string text) {
    if (error) *error = {step, std::move(text)};
    return false;
}

} // namespace

bool ReadPlainFile(const std::string& path, std::uint64_t limit, std::string& bytes, PlainFileError* error) {
    // Others may read beside us, nobody may write.
    Handle h(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!h.ok()) return Fail(error, PlainFileStep::Open, LastErrorText());
    // A pipe or a device is no file (a folder does not open at all).
    if (GetFileType(h.get()) != FILE_TYPE_DISK)
        return Fail(error, PlainFileStep::Open, SystemErrorText(ERROR_ACCESS_DENIED));
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(h.get(), &size)) return Fail(error, PlainFileStep::Open, LastErrorText());
    if (static_cast<std::uint64_t>(size.QuadPart) > limit) return Fail(error, PlainFileStep::Size, {});
    // Nobody can write to it now: the size holds while we read.
    std::string read(static_cast<std::size_t>(size.QuadPart), '\0');
    std::size_t got = 0;
    while (got < read.size()) {
        DWORD n = 0;
        if (!ReadFile(h.get(), read.data() + got, static_cast<DWORD>(read.size() - got), &n, nullptr))
            return Fail(error, PlainFileStep::Read, LastErrorText());
        if (n == 0) break;
        got += n;
    }
    read.resize(got);
    if (!h.Close()) return Fail(error, PlainFileStep::Close, LastErrorText());
    bytes = std::move(read);
    return true;
}

std::string ExclusiveAccessFailure(const std::string& path) {
    Handle h(
        CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return h.ok() ? std::string() : LastErrorText();
}

} // namespace z9
