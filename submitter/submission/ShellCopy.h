#pragma once
// The shell's multi-file copy: several files into one folder in one operation,
// with a progress window and a question before a file is replaced, or silently.
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace z9 {

// Operation flags, with the shell's values.
enum ShellCopyFlag : int {
    kCopySilent = 0x0004,         // no progress window
    kCopyNoConfirmation = 0x0010, // replace files without asking
    kCopyFilesOnly = 0x0080,      // wildcards match files only
    kCopySimpleProgress = 0x0100, // progress without file names
    kCopyNoErrorUi = 0x0400,      // no message on failure
    kCopyNoSecurityAttribs = 0x0800,
};
inline constexpr int kCopyFlagsInteractive =
    kCopyFilesOnly | kCopySimpleProgress | kCopyNoSecurityAttribs; // 0x0980
inline constexpr int kCopyFlagsSubmitMode =
    kCopyFlagsInteractive | kCopySilent | kCopyNoConfirmation | kCopyNoErrorUi; // 0x0D94

// Results besides 0 (done): the person cancelled; anything else is a failure.
inline constexpr int kCopyCancelled = 1223;

// The shell's list form: each path followed by one NUL, one more NUL after the last.
std::string MakeCopyList(const std::vector<std::string>& paths);
std::vector<std::string> SplitCopyList(const std::string& list);

// Copies every file of list into the folder destination. Returns 0 on success,
// kCopyCancelled when the person cancelled, another non-zero code on failure.
int ShellCopyFiles(const std::string& list, const std::string& destination, int flags);

// The progress window of a copy.
class CopyProgress {
public:
    virtual ~CopyProgress() = default;
    // Called after each file; false when the person cancelled.
    virtual bool Advance(int filesDone) = 0;
};
using CopyProgressFactory = std::function<std::unique_ptr<CopyProgress>(int fileCount)>;

// The progress window of a copy of fileCount files: the one the factory makes,
// else the window system's.
std::unique_ptr<CopyProgress> OpenCopyProgress(int fileCount);
// The window system's progress window (CopyProgressDialog.cpp).
std::unique_ptr<CopyProgress> OpenCopyProgressDialog(int fileCount);
// Replaces the progress window (tests); an empty factory restores the dialog. Returns the previous one.
CopyProgressFactory SetCopyProgressFactory(CopyProgressFactory factory);
// The factory SetCopyProgressFactory installed; empty while the dialog is in use.
const CopyProgressFactory& CopyProgressFactoryInUse();

} // namespace z9
