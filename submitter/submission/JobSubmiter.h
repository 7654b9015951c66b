#pragma once
// The submit window: names the task, the user and the server, and runs the
// submission's four phases with an indicator each.
#include "Submission.h"

#include <QDialog>
#include <QPixmap>

class QFrame;
class QLabel;
class QPushButton;

namespace z9 {

class VexLine;

class JobSubmiter : public QDialog, public SubmitDisplay {
    Q_OBJECT
public:
    explicit JobSubmiter(QWidget* owner = nullptr);

    // The first activation: in submit mode it submits and unloads the window.
    void Form_Activate();
    void Command2_Click(); // Submit Task
    void Command1_Click(); // Close

    // The picture an indicator shows: kPicDone, kPicRunning, kPicFailed, or -1 when empty.
    int Indicator(int phase) const { return shown_[phase]; }
    // The three indicator images, 16 x 16.
    static QPixmap IndicatorImage(int picture);

    // SubmitDisplay
    void PicCC(int phase, int picture) override;
    void SetStatus(const std::string& text) override;
    void SetTimeText(const std::string& text) override;
    void SetTaskCaptions(const TaskRecord& task) override;
    void SetCloseEnabled(bool enabled) override;

    // Escape and the title bar's close button: ignored while Close is disabled.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Form_Load();

    bool activated_ = false;
    int shown_[kPhaseCount] = {-1, -1, -1, -1};
    QLabel* L1;
    QLabel* L3;
    QLabel* L2;
    QLabel* P1[kPhaseCount];
    QLabel* Picture1[kPhaseCount];
    QLabel* Pic1[3];
    QLabel* Label1;
    QFrame* Frame1;
    QLabel* Label3;
    QPushButton* Command2;
    QPushButton* Command1;
    VexLine* VexLine1;
    VexLine* VexLine2;
};

// Opens the submit window for the program's task: modal over owner
// interactively, never shown in submit mode. Returns the submitted flag.
bool ShowJobSubmiter(QWidget* owner);

} // namespace z9
