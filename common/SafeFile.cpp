#include "SafeFile.h"

#include "PathParts.h"
#include "SystemErrorText.h"

#include <random>

namespace z9 {
namespace {

// What Write and Commit answer when nothing is open.
constexpr long kInvalidHandle = 6;

} // namespace

SafeFile::SafeFile(std::string path, SafeFileOptions options) : path_(std::move(path)), options_(options) {}

SafeFile::~SafeFile() {
    Discard();
}

bool SafeFile::Open() {
    Discard();
    error_ = 0;
    errorText_.clear();
    return OpenFiles();
}

bool SafeFile::Write(std::string_view bytes) {
    if (!IsOpen()) return error_ ? false : Fail(kInvalidHandle);
    return WriteBytes(bytes);
}

bool SafeFile::Commit() {
    if (!IsOpen()) return error_ ? false : Fail(kInvalidHandle);
    return CommitFile();
}

bool SafeFile::Fail(long winError) {
    error_ = winError;
    errorText_ = SystemErrorText(winError);
    Discard();
    return false;
}

std::string SafeFile::TempName() const {
    thread_local std::mt19937 random{std::random_device{}()};
    std::uniform_int_distribution<int> number(0, 999999);
    return FolderPart(path_) + "~" + FileNamePart(path_) + "." + std::to_string(number(random)) + ".tmp";
}

bool WriteFileSafely(const std::string& path, std::string_view bytes, SafeFileOptions options, long* error,
                     std::string* errorText) {
    SafeFile file(path, options);
    const bool ok = file.Open() && file.Write(bytes) && file.Commit();
    if (error) *error = file.Error();
    if (errorText) *errorText = file.ErrorText();
    return ok;
}

} // namespace z9
