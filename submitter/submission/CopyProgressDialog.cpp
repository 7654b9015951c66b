// The progress window of the multi-file copy.
#include "ShellCopy.h"

#include <QApplication>
#include <QProgressDialog>

namespace z9 {
namespace {

class CopyProgressDialog : public CopyProgress {
public:
    explicit CopyProgressDialog(int fileCount) : dialog_("Copying...", "Cancel", 0, fileCount) {
        dialog_.setWindowTitle("Copying...");
        dialog_.setWindowModality(Qt::ApplicationModal);
        dialog_.setMinimumDuration(500);
        dialog_.setAutoClose(true);
        dialog_.setValue(0);
    }
    bool Advance(int filesDone) override {
        dialog_.setValue(filesDone); // modal: lets the window system run
        return !dialog_.wasCanceled();
    }

private:
    QProgressDialog dialog_;
};

} // namespace

std::unique_ptr<CopyProgress> OpenCopyProgressDialog(int fileCount) {
    if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return nullptr;
    return std::make_unique<CopyProgressDialog>(fileCount);
}

} // namespace z9
