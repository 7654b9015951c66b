#include "DialogSupport.h"

#include <QElapsedTimer>
#include <QTimer>
#include <gtest/gtest.h>

namespace z9::test {

DialogRecorder::DialogRecorder() {
    previousOpenFile_ = SetOpenFileHandler([this](const OpenFileRequest& request) {
        RecordedDialog record;
        record.kind = RecordedDialog::OpenFile;
        record.title = request.title;
        record.startFolder = request.startFolder;
        record.filters = request.filters;
        record.filterIndex = request.filterIndex;
        record.mustExist = request.mustExist;
        record.initialFile = request.initialFile;
        dialogs_.push_back(record);
        Answer answer = Next(RecordedDialog::OpenFile);
        return OpenFileAnswer{answer.kind == Answer::Path, answer.path, answer.folder};
    });
    previousBrowseFolder_ = SetBrowseFolderHandler([this](const BrowseFolderRequest& request) {
        RecordedDialog record;
        record.kind = RecordedDialog::BrowseFolder;
        record.title = request.prompt;
        record.startFolder = request.startFolder;
        dialogs_.push_back(record);
        Answer answer = Next(RecordedDialog::BrowseFolder);
        return answer.kind == Answer::Path ? std::optional<std::string>(answer.path) : std::nullopt;
    });
    previousFont_ = SetFontHandler([this](const FontRequest& request) {
        RecordedDialog record;
        record.kind = RecordedDialog::Font;
        record.font = request.font;
        dialogs_.push_back(record);
        Answer answer = Next(RecordedDialog::Font);
        return answer.kind == Answer::Font ? std::optional<FontChoice>(answer.font) : std::nullopt;
    });
}

DialogRecorder::~DialogRecorder() {
    SetOpenFileHandler(previousOpenFile_);
    SetBrowseFolderHandler(previousBrowseFolder_);
    SetFontHandler(previousFont_);
}

void DialogRecorder::AnswerPath(const std::string& path, const std::string& folder) {
    answers_.push_back({Answer::Path, path, folder, {}});
}

void DialogRecorder::AnswerCancel(const std::string& folder) {
    answers_.push_back({Answer::Cancel, {}, folder, {}});
}

void DialogRecorder::AnswerFont(const FontChoice& font) {
    answers_.push_back({Answer::Font, {}, {}, font});
}

DialogRecorder::Answer DialogRecorder::Next(RecordedDialog::Kind asking) {
    if (answers_.empty()) return {};
    Answer answer = answers_.front();
    answers_.pop_front();
    bool fits =
        answer.kind == Answer::Cancel || (answer.kind == Answer::Font) == (asking == RecordedDialog::Font);
    if (!fits) {
        ADD_FAILURE() << "a queued dialog answer does not suit the dialog that was shown";
        return {};
    }
    return answer;
}

void OnModalWindow(std::function<void(QWidget*)> action) {
    auto* timer = new QTimer(qApp);
    auto* clock = new QElapsedTimer;
    clock->start();
    QObject::connect(timer, &QTimer::timeout, [timer, clock, action] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal && clock->elapsed() < 5000) return;
        timer->stop();
        timer->deleteLater();
        delete clock;
        if (modal)
            action(modal);
        else
            ADD_FAILURE() << "no modal window appeared";
    });
    timer->start(10);
}

} // namespace z9::test
