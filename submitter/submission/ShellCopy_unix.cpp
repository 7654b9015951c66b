// The multi-file copy on Linux: std::filesystem, the program's own replace
// question and progress window.
#include "ShellCopy.h"

#include "common/FileSearch.h"
#include "common/HostPath.h"
#include "common/HostText.h"
#include "common/MessageBox.h"
#include "common/PathParts.h"
#include "common/SystemErrorText.h"

#include <filesystem>

namespace z9 {
namespace {

// A failure code that can never read as success.
int FailureCode(const std::error_code& ec) {
    long code = WinErrorFromErrno(ec.value());
    return code == 0 || code == 7 ? static_cast<int>(ERROR_ACCESS_DENIED_CODE) : static_cast<int>(code);
}

int CopyFailed(const std::string& name, const std::error_code& ec, int flags) {
    if (!(flags & kCopyNoErrorUi))
        MessageBox("Cannot copy " + name + ": " + ErrnoText(ec.value()), vbCritical, "Error Copying File");
    return FailureCode(ec);
}
} // namespace

std::unique_ptr<CopyProgress> OpenCopyProgress(int fileCount) {
    const CopyProgressFactory& factory = CopyProgressFactoryInUse();
    return factory ? factory(fileCount) : OpenCopyProgressDialog(fileCount);
}

int ShellCopyFiles(const std::string& list, const std::string& destination, int flags) {
    namespace fs = std::filesystem;
    // Wildcards name every matching file, as the shell copies them.
    std::vector<std::string> sources;
    for (const auto& source : SplitCopyList(list)) {
        std::vector<std::string> files = ExpandWildcards(source);
        if (files.empty())
            return CopyFailed(FileNamePart(source),
                              std::make_error_code(std::errc::no_such_file_or_directory), flags);
        sources.insert(sources.end(), files.begin(), files.end());
    }
    if (sources.empty()) return 0;
    fs::path folder = HostFileName(destination);
    std::error_code ec;
    if (!fs::is_directory(folder, ec)) {
        fs::create_directories(folder, ec);
        if (ec) return CopyFailed(destination, ec, flags);
    }
    std::unique_ptr<CopyProgress> progress;
    if (!(flags & kCopySilent)) progress = OpenCopyProgress(static_cast<int>(sources.size()));
    int done = 0;
    for (const auto& source : sources) {
        std::string name = FileNamePart(source);
        fs::path target = folder / ToHostText(name);
        bool copy = true;
        if (fs::exists(target, ec) && !(flags & kCopyNoConfirmation)) {
            int answer = MessageBox("This folder already contains a file named '" + name + "'.\n\n" +
                                        "Would you like to replace the existing file with this one?",
                                    vbYesNoCancel | vbQuestion, "Confirm File Replace");
            if (answer == vbCancel) return kCopyCancelled;
            copy = answer == vbYes;
        }
        if (copy) {
            ec.clear();
            fs::copy_file(HostFileName(source), target, fs::copy_options::overwrite_existing, ec);
            if (ec) return CopyFailed(name, ec, flags);
        }
        ++done;
        if (progress && !progress->Advance(done)) return kCopyCancelled;
    }
    return 0;
}

} // namespace z9
