// The Windows side of SafeFile: CreateFile with CREATE_NEW, FlushFileBuffers
// and MoveFileEx. The target is not locked: a replaced file must not be held
// open while MoveFileEx takes its name.
#include "SafeFile.h"

#include "SystemErrorText.h"

#include <algorithm>

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

namespace z9 {
namespace {

long LastCode() {
    return static_cast<long>(GetLastError());
}

HANDLE AsHandle(std::intptr_t file) {
    return reinterpret_cast<HANDLE>(file);
}

} // namespace

bool SafeFile::OpenFiles() {
    const DWORD attributes = GetFileAttributesA(path_.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES &&
        (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)))
        return Fail(ERROR_ACCESS_DENIED_CODE);
    for (int attempt = 0; attempt < 16 && file_ == kNoFile; ++attempt) {
        temp_ = TempName();
        HANDLE h =
            CreateFileA(temp_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h != INVALID_HANDLE_VALUE)
            file_ = reinterpret_cast<std::intptr_t>(h);
        else if (GetLastError() != ERROR_FILE_EXISTS)
            break;
    }
    if (file_ == kNoFile) {
        const long code = LastCode();
        temp_.clear();
        return Fail(code);
    }
    return true;
}

bool SafeFile::WriteBytes(std::string_view bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        DWORD n = 0;
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1 << 20));
        if (!WriteFile(AsHandle(file_), bytes.data() + done, chunk, &n, nullptr)) return Fail(LastCode());
        done += n;
    }
    return true;
}

bool SafeFile::CommitFile() {
    if (!FlushFileBuffers(AsHandle(file_))) return Fail(LastCode());
    CloseFiles();
    if (!MoveFileExA(temp_.c_str(), path_.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return Fail(LastCode());
    temp_.clear();
    return true;
}

void SafeFile::RemoveIfAbandoned(const std::string& file) {
    // A living writer holds its temporary open without sharing, which makes
    // this fail; a dead writer's handle was closed by the system.
    DeleteFileA(file.c_str());
}

void SafeFile::Discard() {
    CloseFiles();
    if (!temp_.empty()) DeleteFileA(temp_.c_str());
    temp_.clear();
}

void SafeFile::CloseFiles() {
    if (file_ != kNoFile) CloseHandle(AsHandle(file_));
    file_ = target_ = kNoFile;
}

bool AppendToFile(const std::string& path, std::string_view bytes, bool) {
    // A new file takes the folder's access list, which keeps other users' hands off a user's own folders.
    HANDLE file = CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    bool written = true;
    for (size_t done = 0; done < bytes.size() && written;) {
        DWORD n = 0;
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 30));
        written = WriteFile(file, bytes.data() + done, chunk, &n, nullptr) && n > 0;
        done += n;
    }
    return CloseHandle(file) && written;
}

} // namespace z9
