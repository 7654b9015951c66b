#pragma once
// Answers the file, folder and font dialogs of common/Dialogs.h the way
// MessageRecorder answers message boxes: every request is recorded, answers
// come from a queue, and an empty queue cancels.
#include "common/Dialogs.h"

#include <QApplication>
#include <QWidget>
#include <deque>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace z9::test {

struct RecordedDialog {
    enum Kind { OpenFile, BrowseFolder, Font };
    Kind kind = OpenFile;
    std::string title; // the folder browser's prompt
    std::string startFolder;
    std::vector<FileFilter> filters;
    int filterIndex = 0;
    bool mustExist = false;
    std::string initialFile;
    FontChoice font; // the font the font dialog started from
};

class DialogRecorder {
public:
    DialogRecorder();
    ~DialogRecorder();
    DialogRecorder(const DialogRecorder&) = delete;
    DialogRecorder& operator=(const DialogRecorder&) = delete;

    // The next file or folder dialog is left with OK on `path`; `folder` is where
    // the user ended up (empty: not told).
    void AnswerPath(const std::string& path, const std::string& folder = {});
    // The next dialog is cancelled, after the user browsed to `folder` (empty: not told).
    void AnswerCancel(const std::string& folder = {});
    // The next font dialog is left with OK on `font`.
    void AnswerFont(const FontChoice& font);

    const std::vector<RecordedDialog>& Dialogs() const { return dialogs_; }
    void Clear() { dialogs_.clear(); }

private:
    struct Answer {
        enum Kind { Path, Cancel, Font } kind = Cancel;
        std::string path;
        std::string folder;
        FontChoice font;
    };
    Answer Next(RecordedDialog::Kind asking);

    OpenFileHandler previousOpenFile_;
    BrowseFolderHandler previousBrowseFolder_;
    FontHandler previousFont_;
    std::vector<RecordedDialog> dialogs_;
    std::deque<Answer> answers_;
};

// Runs `action` on the first modal window that appears while the test waits
// in exec(). When none appears within five seconds the test fails.
void OnModalWindow(std::function<void(QWidget*)> action);

// The same for a modal window of type T; one of another type fails the test
// and is closed, so the test goes on instead of hanging.
template <typename T> void OnModal(std::function<void(T*)> action) {
    OnModalWindow([action](QWidget* window) {
        if (auto* modal = qobject_cast<T*>(window)) {
            action(modal);
            return;
        }
        ADD_FAILURE() << "the modal window is a " << window->metaObject()->className();
        window->close();
    });
}

} // namespace z9::test
