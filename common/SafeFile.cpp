#include "SafeFile.h"

#include "PathParts.h"
#include "SystemErrorText.h"

#include <filesystem>
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
    RemoveStaleTemporaries();
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

void SafeFile::RemoveStaleTemporaries() const {
    // Only names TempName makes for this very target: "~" name "." digits ".tmp".
    const std::string prefix = "~" + FileNamePart(path_) + ".";
    const std::string folder = FolderPart(path_);
    std::error_code ec;
    std::filesystem::directory_iterator it(folder.empty() ? std::string(".") : folder, ec), end;
    for (; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.size() <= prefix.size() + 4 || name.compare(0, prefix.size(), prefix) != 0 ||
            name.compare(name.size() - 4, 4, ".tmp") != 0)
            continue;
        const std::string digits = name.substr(prefix.size(), name.size() - prefix.size() - 4);
        if (digits.find_first_not_of("0123456789") != std::string::npos) continue;
        RemoveIfAbandoned(folder + name);
    }
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
