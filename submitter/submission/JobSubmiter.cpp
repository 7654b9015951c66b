#include "JobSubmiter.h"

#include "common/CodePageQt.h"
#include "common/FormBuilder.h"
#include "common/P8LocaleSettings.h"
#include "common/Twips.h"
#include "submitter/base/ReportError.h"
#include "submitter/taskfile/TaskRecord.h"
#include "widgets/VexLine.h"

#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>

namespace z9 {

QPixmap JobSubmiter::IndicatorImage(int picture) {
    QPixmap image(16, 16);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    if (picture == kPicDone) {
        p.setPen(QPen(QColor(0, 128, 0), 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolyline(QPolygonF({QPointF(3, 8.5), QPointF(6.5, 12), QPointF(13, 4)}));
    } else if (picture == kPicRunning) {
        QPainterPath arrow;
        arrow.moveTo(2, 6);
        arrow.lineTo(8, 6);
        arrow.lineTo(8, 2.5);
        arrow.lineTo(14, 8);
        arrow.lineTo(8, 13.5);
        arrow.lineTo(8, 10);
        arrow.lineTo(2, 10);
        arrow.closeSubpath();
        p.setPen(QPen(QColor(0, 0, 128), 1));
        p.setBrush(QColor(0, 0, 255));
        p.drawPath(arrow);
    } else {
        p.setPen(QPen(QColor(192, 0, 0), 2.5, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(4, 4), QPointF(12, 12));
        p.drawLine(QPointF(12, 4), QPointF(4, 12));
    }
    return image;
}

JobSubmiter::JobSubmiter(QWidget* owner) : QDialog(owner) {
    setObjectName("JobSubmiter");
    setWindowTitle("Zorvan Submitter");
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint);

    L1 = MakeLabel(this, "L1", "Task Name:");
    L3 = MakeLabel(this, "L3", "User:");
    L2 = MakeLabel(this, "L2", "Server:");
    Place(L1, 240, 180, 5520, 255);
    Place(L3, 240, 480, 5520, 255);
    Place(L2, 240, 780, 5520, 255);
    VexLine1 = new VexLine(this);
    VexLine1->setObjectName("VexLine1");
    Place(VexLine1, 120, 1140, 5760, 60);

    for (int i = 0; i < kPhaseCount; ++i) {
        Picture1[i] = MakeLabel(this, QString("Picture1_%1").arg(i), QString());
        Picture1[i]->setGeometry(TwipsToPixelsX(360), TwipsToPixelsY(1380 + i * 360), 16, 16);
        P1[i] = MakeLabel(this, QString("P1_%1").arg(i), kPhaseCaptions[i]);
        // A screen reader names the indicator after its phase and reads its state.
        Picture1[i]->setAccessibleName(P1[i]->text());
        Place(P1[i], 720, 1380 + i * 360, 5040, 255);
    }
    for (int i = 0; i < 3; ++i) {
        Pic1[i] = MakeLabel(this, QString("Pic1_%1").arg(i), QString());
        Pic1[i]->setPixmap(IndicatorImage(i));
        Pic1[i]->setGeometry(0, 0, 16, 16);
        Pic1[i]->hide();
    }

    VexLine2 = new VexLine(this);
    VexLine2->setObjectName("VexLine2");
    Place(VexLine2, 120, 2880, 5760, 60);
    Label1 = MakeLabel(this, "Label1", kStatusReady);
    Place(Label1, 240, 3060, 5520, 255);

    Frame1 = new QFrame(this);
    Frame1->setObjectName("Frame1");
    Frame1->setFrameShape(QFrame::StyledPanel);
    Place(Frame1, 240, 3420, 2880, 435);
    Label3 = MakeLabel(Frame1, "Label3", "Submit Time: 0:00:00");
    Place(Label3, 120, 90, 2640, 255);

    Command2 = MakeButton(this, "Command2", "Submit Task");
    Place(Command2, 3300, 3450, 1215, 375);
    Command1 = MakeButton(this, "Command1", "Close");
    Place(Command1, 4620, 3450, 1215, 375);
    connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });

    setFixedSize(TwipsToPixelsX(6000), TwipsToPixelsY(4080));
    Form_Load();
}

void JobSubmiter::Form_Load() {
    activated_ = false;
    SetTaskCaptions(Task());
    SetFormFonts(this);
}

void JobSubmiter::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    Form_Activate();
}

void JobSubmiter::Form_Activate() {
    if (activated_) return;
    activated_ = true;
    if (!SubmitMode()) return;
    repaint();
    Command2_Click();
    close();
}

void JobSubmiter::Command1_Click() {
    close();
}

void JobSubmiter::reject() {
    // The submission lets events run while it waits; the window must outlast it.
    if (Command1->isEnabled()) QDialog::reject();
}

void JobSubmiter::Command2_Click() {
    // One window submits at most once.
    Command2->setEnabled(false);
    bool ok = Submit(Task(), *this);
    if (ok) SaveProfile(Task());
    SetTaskSubmitted(ok);
}

void JobSubmiter::PicCC(int phase, int picture) {
    shown_[phase] = picture;
    Picture1[phase]->setPixmap(Pic1[picture]->pixmap());
    static const char* const kStates[] = {"done", "running", "failed"};
    Picture1[phase]->setAccessibleDescription(
        picture >= 0 && picture < 3 ? QString::fromLatin1(kStates[picture]) : QString());
    Picture1[phase]->repaint();
    // The submission blocks the interface: without this the change would not be seen.
    repaint();
}

void JobSubmiter::SetStatus(const std::string& text) {
    Label1->setText(FromAnsi(text));
    Label1->setAccessibleName(Label1->text());
}

void JobSubmiter::SetTimeText(const std::string& text) {
    Label3->setText(FromAnsi(text));
    Label3->setAccessibleName(Label3->text());
}

void JobSubmiter::SetTaskCaptions(const TaskRecord& task) {
    L1->setText(FromAnsi(TaskNameCaption(task)));
    L3->setText(FromAnsi(UserCaption(task)));
    L2->setText(FromAnsi(ServerCaption(task)));
    for (QLabel* label : {L1, L3, L2})
        label->setAccessibleName(label->text());
}

void JobSubmiter::SetCloseEnabled(bool enabled) {
    Command1->setEnabled(enabled);
    if (!enabled) return;
    Command1->setDefault(true);
    if (!SubmitMode()) Command1->setFocus();
}

bool ShowJobSubmiter(QWidget* owner) {
    SetTaskSubmitted(false);
    JobSubmiter window(owner);
    if (SubmitMode())
        window.Form_Activate();
    else
        window.exec();
    return TaskSubmitted();
}

} // namespace z9
