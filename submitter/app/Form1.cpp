#include "submitter/app/Form1.h"

#include "common/CodePageQt.h"
#include "common/Desktop.h"
#include "common/Dialogs.h"
#include "common/FormBuilder.h"
#include "common/HelpFile.h"
#include "common/HostPath.h"
#include "common/MessageBox.h"
#include "common/P8LocaleSettings.h"
#include "common/Program.h"
#include "common/Settings.h"
#include "common/Twips.h"
#include "submitter/app/Association.h"
#include "submitter/app/CommandLine.h"
#include "submitter/base/ReportError.h"
#include "submitter/fields/MVexTask.h"
#include "submitter/fields/P8DT.h"
#include "submitter/fields/VexField.h"
#include "submitter/fields/VexFieldSplitter.h"
#include "submitter/submission/JobSubmiter.h"
#include "submitter/submission/Submission.h"
#include "widgets/VexLine.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QWheelEvent>

#include <filesystem>
#include <stdexcept>

#ifndef Z9_VERSION_MAJOR
#define Z9_VERSION_MAJOR 1
#define Z9_VERSION_MINOR 0
#define Z9_VERSION_REVISION 0
#endif

namespace z9 {

namespace {

// The main window is a window to a screen reader, not a plain container.
QAccessibleInterface* WindowFactory(const QString& key, QObject* object) {
    if (key != QLatin1String("z9::Form1")) return nullptr;
    return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Window);
}

// Design sizes, twips.
constexpr int kTopPanelHeight = 1035;
constexpr int kCommandPanelHeight = 735;
constexpr int kButtonTop = 225;
constexpr int kButtonHeight = 375;
constexpr int kSubmitWidth = 1575;
constexpr int kExitWidth = 1215;
constexpr int kSchPicHeight = 345;
constexpr int kLineHeight = 30;

int PxX(double twips) {
    return TwipsToPixelsX(twips);
}
int PxY(double twips) {
    return TwipsToPixelsY(twips);
}
int TwX(double px) {
    return PixelsToTwipsX(px);
}
int TwY(double px) {
    return PixelsToTwipsY(px);
}

VexLine* MakeLine(QWidget* parent, const QString& name) {
    auto* line = new VexLine(parent);
    line->setObjectName(name);
    return line;
}

QRect ScreenTwips() {
    QScreen* screen = QGuiApplication::primaryScreen();
    QRect r = screen ? screen->geometry() : QRect(0, 0, 1024, 768);
    return QRect(TwX(r.x()), TwY(r.y()), TwX(r.width()), TwY(r.height()));
}

} // namespace

Form1::Form1(QWidget* parent) : QWidget(parent) {
    static const bool speaksAsAWindow = (QAccessible::installFactory(WindowFactory), true);
    (void)speaksAsAWindow;
    setObjectName("Form1");
    setAttribute(Qt::WA_DeleteOnClose, false);

    Tpic2 = new QWidget(this);
    Tpic2->setObjectName("Tpic2");
    Label1 = MakeLabel(Tpic2, "Label1", "Task Name: ");
    Label2 = MakeLabel(Tpic2, "Label2", "Environment Fields: ");
    VexLine1 = MakeLine(Tpic2, "VexLine1");
    VexLine3 = MakeLine(Tpic2, "VexLine3");

    P2 = new QWidget(this);
    P2->setObjectName("P2");
    P1 = new QWidget(P2);
    P1->setObjectName("P1");
    P1->setAutoFillBackground(false);
    VS1 = new QScrollBar(Qt::Vertical, P2);
    VS1->setObjectName("VS1");
    VS1->hide();
    Label3 = MakeLabel(P2, "Label3", "This Task Does Not Contain Any Environment Fields!");
    Label3->setAlignment(Qt::AlignCenter);
    Label3->hide();

    // Templates: element 0 of each array, never shown.
    TFS1.push_back(new VexFieldSplitter(P1));
    TFS1[0]->setObjectName("TFS1_0");
    TFS1[0]->hide();
    TF1.push_back(new VexField(P1));
    TF1[0]->setObjectName("TF1_0");
    TF1[0]->hide();
    TL1.push_back(MakeLine(P1, "TL1_0"));
    TL1[0]->hide();

    SchPic = new QWidget(P1);
    SchPic->setObjectName("SchPic");
    Label16 = MakeLabel(SchPic, "Label16", "Scheduled Time:");
    P8DT2 = new P8DT(SchPic);
    P8DT2->setObjectName("P8DT2");
    P8DT1 = new P8DT(SchPic);
    P8DT1->setObjectName("P8DT1");
    P8DT2->SetAccessibleCaption(QStringLiteral("Scheduled date"));
    P8DT1->SetAccessibleCaption(QStringLiteral("Scheduled time"));
    P8DT2->SetCaptionLabel(Label16);
    P8DT1->SetCaptionLabel(Label16);
    Command3 = MakeButton(SchPic, "Command3", "<< Now >>");
    Place(Label16, 0, 60, 1400, 255);
    Place(P8DT2, 1450, 0, 1500, 315);
    Place(P8DT1, 3050, 0, 1300, 315);
    Place(Command3, 4450, 0, 1200, kSchPicHeight - 30);
    Place(SchPic, 250, 0, 5700, kSchPicHeight);

    Tpic1 = new QWidget(this);
    Tpic1->setObjectName("Tpic1");
    VexLine2 = MakeLine(Tpic1, "VexLine2");
    Command1 = MakeButton(Tpic1, "Command1", "&Submit Task");
    Command2 = MakeButton(Tpic1, "Command2", "&Exit");
    Command1->setDefault(false);

    Place(Tpic2, 0, 0, 10000, kTopPanelHeight);
    Place(Label1, 240, 165, 9000, 330);
    Place(Label2, 240, 615, 9000, 255);
    Place(VexLine1, 60, 45, 9880, kLineHeight);
    Place(VexLine3, 60, kTopPanelHeight - 60, 9880, kLineHeight);
    Place(Tpic1, 0, 0, 10000, kCommandPanelHeight);
    Place(VexLine2, 60, 45, 9880, kLineHeight);
    Place(Command1, 0, kButtonTop, kSubmitWidth, kButtonHeight);
    Place(Command2, 0, kButtonTop, kExitWidth, kButtonHeight);

    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
    connect(Command3, &QPushButton::clicked, this, [this] { Command3_Click(); });
    connect(VS1, &QScrollBar::valueChanged, this, [this] { CalcEFScr(); });
    VS1->installEventFilter(this);
    P1->installEventFilter(this);
    P2->installEventFilter(this);
    connect(qApp, &QApplication::focusChanged, this, &Form1::FocusChanged);
}

// The form stops hearing of focus changes before it is taken apart: closing
// the window moves the focus, and that must not reach a half-destroyed form.
Form1::~Form1() {
    if (qApp) disconnect(qApp, &QApplication::focusChanged, this, &Form1::FocusChanged);
}

bool Form1::Form_Load(const std::string& argumentLine) {
    title_ = WindowTitle(Z9_VERSION_MAJOR, Z9_VERSION_MINOR, Z9_VERSION_REVISION);
    RegisterFileType();
    SetCanvasHeight(600);
    helpFile_ = ProgramHelpFile("Z9SUB.HLP");
    SetFormFonts(this);
    SetAppKey(kMenuAppKey);
    QFont big(QStringLiteral("Times New Roman"), 12);
    big.setBold(true);
    Label1->setFont(big);

    P8DT1->SetP8Date(false);
    P8DT2->SetP8Date(true);
    Command3_Click();
    SchPic->hide();
    setWindowTitle(FromAnsi(title_));

    CommandLine command = ParseCommandLine(argumentLine);
    if (command.help) {
        // Where nobody can close a box, the help goes to the terminal.
        if (PersonCanAnswer())
            ReportError(HelpText(), 64);
        else
            PrintHelp();
        exitCode_ = 0;
        return false;
    }
    SetSubmitMode(command.submitMode);

    std::vector<std::string> parts = command.parts;
    if (!command.HasFileName() && !command.submitMode) {
        std::string chosen = OpenFileDialog("Zorvan Submitter - Select Zorvan File", "",
                                            std::string("Zorvan Files (*.z9f)\0*.z9f\0", 27), 1, true, this);
        if (chosen.empty()) {
            exitCode_ = 0;
            return false;
        }
        // A chosen path is split as a command line is; a " /s" in it is part of the path.
        parts = SplitAtAssignments(chosen);
    }
    if (command.submitMode && !command.HasFileName()) {
        ReportError("Filename required.\n\nPlease enter filename in the command line and try again.", 48);
        exitCode_ = 1;
        return false;
    }
    if (!OpenTask(parts)) {
        exitCode_ = 1;
        return false;
    }

    Placement p = ReadPlacement();
    QRect screen = ScreenTwips();
    p.height = FitHeight(canvasHeight_, kCommandPanelHeight, kTopPanelHeight, screen.height());
    p = KeepOnScreen(p, screen.width(), screen.height());
    ApplyPlacement(p);
    Form_Resize();

    if (SubmitMode()) {
        P2->setEnabled(false);
        exitCode_ = Command1_Click() ? 0 : 1;
        return false;
    }
    setMinimumSize(PxX(kMinWindowWidth), PxY(kMinWindowHeight));
    return true;
}

bool Form1::OpenTask(const std::vector<std::string>& parts) {
    if (!PrepareTask(parts, opened_)) return false;
    UpdateFields(true);

    const TaskRecord& task = Task();
    setWindowTitle(FromAnsi(title_ + " - " + task.TaskName + " (" + opened_.path + ")"));
    Label1->setText(FromAnsi("Task Name: " + task.TaskName));
    Label1->setAccessibleName(Label1->text());
    Label2->setText(FromAnsi("Environment Fields: " + std::to_string(TF1.size() - 1)));
    Label2->setAccessibleName(Label2->text());
    if (TF1.size() == 1 && TFS1.size() == 1 && !opened_.scheduling) {
        P1->hide();
        VS1->hide();
        Label3->show();
    }
    if (!ValidateAllEnvFields()) {
        ReportError("The environment variables in task are entered incorrectly.\n\nPlease notify system "
                    "administrator.\n\nZorvan program cannot continue.",
                    48);
        return false;
    }
    return true;
}

void Form1::ClearCon() {
    for (size_t i = 1; i < TFS1.size(); ++i)
        delete TFS1[i];
    for (size_t i = 1; i < TF1.size(); ++i)
        delete TF1[i];
    TFS1.resize(1);
    TF1.resize(1);
    TFS1[0]->hide();
    TF1[0]->hide();
    headerOfStep_.clear();
    editorOfRecord_.clear();
}

namespace {

// The records of each step, in file order, found in one pass.
std::vector<std::vector<size_t>> RecordsOfSteps(const TaskRecord& task) {
    std::vector<std::vector<size_t>> recordsOfStep(task.Steps.size());
    for (size_t r = 0; r < task.Environs.size(); ++r) {
        std::optional<std::int32_t> step = ToWholeNumber(task.Environs[r].Step);
        if (step && *step >= 1 && static_cast<size_t>(*step) <= task.Steps.size())
            recordsOfStep[*step - 1].push_back(r);
    }
    return recordsOfStep;
}

} // namespace

void Form1::UpdateFields(bool build) {
    BusyCursor busy;
    if (build) {
        P1->hide();
        ClearCon();
    }
    if (build && (TFS1.size() > 1 || TF1.size() > 1)) return;
    building_ = true;
    TaskRecord& task = Task();
    if (build) {
        headerOfStep_.assign(task.Steps.size(), nullptr);
        editorOfRecord_.assign(task.Environs.size(), nullptr);
        rowHeight_.assign(task.Environs.size(), 0);
    }

    int y = 0;
    if (opened_.scheduling)
        y = PlaceSchedule(build, y);
    else
        SchPic->hide();
    const std::vector<std::vector<size_t>> recordsOfStep = RecordsOfSteps(task);
    for (size_t s = 0; s < task.Steps.size(); ++s)
        y = PlaceStep(s, recordsOfStep[s], build, y);

    if (TFS1.size() > 1 || opened_.scheduling) {
        SetCanvasHeight(y - 150);
        P1->show();
    } else {
        P1->hide();
    }
    ResizeFields();
    building_ = false;
}

VexFieldSplitter* Form1::NewHeader(const std::string& caption, int row, int check) {
    auto* header = new VexFieldSplitter(P1);
    header->setObjectName(QStringLiteral("TFS1_%1").arg(TFS1.size()));
    header->SetCaption(caption);
    header->setAccessibleName(FromAnsi(caption));
    header->RowNumber = static_cast<short>(row);
    header->SetCheck(check);
    connect(header, &VexFieldSplitter::Checked, this, &Form1::HeaderChecked);
    header->show();
    TFS1.push_back(header);
    return header;
}

VexField* Form1::NewEditor(size_t record) {
    auto* editor = new VexField(P1);
    editor->setObjectName(QStringLiteral("TF1_%1").arg(TF1.size()));
    editor->SetFieldDef(MakeFieldDef(record, Task().Environs[record]));
    editor->Update();
    connect(editor, &VexField::FieldChange, this,
            [this](const std::string& value, const std::string& position, const std::string& index,
                   const std::string&) { FieldChanged(value, position, index); });
    TF1.push_back(editor);
    rowHeight_[record] = editor->Resize();
    editorOfRecord_[record] = editor;
    return editor;
}

int Form1::PlaceHeader(VexFieldSplitter* header, int y) {
    header->move(PxX(100), PxY(y + 100));
    return y + 100 + TwY(header->height()) + 200;
}

int Form1::PlaceSchedule(bool build, int y) {
    const TaskRecord& task = Task();
    if (build) NewHeader(task.TaskName.empty() ? "Task Options" : task.TaskName, -1, 2);
    y = PlaceHeader(TFS1[1], y);
    // Only when the rows are built: ticking a step must not undo a time the user chose.
    std::optional<DateTime> at = build ? ReadDateTimeText(task.ScheduledTime) : std::nullopt;
    if (at) {
        P8DT1->SetValue(*at);
        P8DT2->SetValue(*at);
    }
    SchPic->move(PxX(250), PxY(y + 100));
    SchPic->show();
    return y + 100 + TwY(SchPic->height()) + 150;
}

int Form1::PlaceStep(size_t s, const std::vector<size_t>& records, bool build, int y) {
    const TaskRecord& task = Task();
    VexFieldSplitter* header = headerOfStep_[s];
    if (build) {
        // Records of steps that get no header get no editor.
        if (!NeedsHead(task, s)) return y;
        const std::string& name = task.Steps[s].StepName;
        header = NewHeader(name.empty() ? "Step " + std::to_string(s + 1) : name, static_cast<int>(s),
                           HeaderCheck(task.Steps[s].Execute));
        headerOfStep_[s] = header;
    }
    if (!header) return y;
    header->SetCheck(HeaderCheck(task.Steps[s].Execute));
    y = PlaceHeader(header, y);

    const bool shown = EditorsShown(task.Steps[s].Execute);
    for (size_t r : records) {
        VexField* editor = build ? NewEditor(r) : editorOfRecord_[r];
        if (shown) {
            editor->move(PxX(250), PxY(y));
            editor->show();
            y += rowHeight_[r] + 150;
        } else {
            editor->hide();
        }
    }
    return y;
}

void Form1::SetCanvasHeight(int twips) {
    canvasHeight_ = twips;
    P1->resize(P1->width(), PxY(twips));
}

void Form1::ResizeFields() {
    const int width = TwX(P1->width());
    for (size_t i = 1; i < TFS1.size(); ++i)
        TFS1[i]->resize(PxX(width - TwX(TFS1[i]->x()) - 200), TFS1[i]->height());
    for (size_t i = 1; i < TF1.size(); ++i)
        TF1[i]->resize(PxX(width - TwX(TF1[i]->x()) - 400), TF1[i]->height());
    for (size_t i = 1; i < TL1.size(); ++i)
        TL1[i]->resize(PxX(width - TwX(TL1[i]->x()) - 400), TL1[i]->height());
    CalcEFScr();
}

void Form1::CalcEFScr() {
    if (scrolling_) return;
    scrolling_ = true;
    const bool wasVisible = !VS1->isHidden();
    scroll_ = CalcCanvasScroll(TwY(P2->height()), canvasHeight_, !P1->isHidden());
    if (scroll_.visible) {
        VS1->setMaximum(scroll_.maximum);
        VS1->setPageStep(scroll_.largeChange);
        VS1->setSingleStep(scroll_.smallChange);
        VS1->show();
    } else {
        VS1->hide();
    }
    P1->move(0, PxY(CanvasTop(scroll_, scroll_.visible ? VS1->value() : 0)));
    scrolling_ = false;
    // The scroll bar takes its width from the canvas.
    if (wasVisible != scroll_.visible) {
        PlaceCanvasWidth();
        ResizeFields();
    }
}

void Form1::PlaceCanvasWidth() {
    const int inner = P2->width();
    if (!VS1->isHidden()) {
        const int bar = PxX(kScrollBarTwips);
        VS1->setGeometry(inner - bar, 0, bar, P2->height());
        P1->resize(inner - bar, P1->height());
    } else {
        P1->resize(inner, P1->height());
    }
}

void Form1::Form_Resize() {
    if (isMinimized()) return;
    const int innerW = TwX(width());
    const int innerH = TwY(height());
    for (VexLine* line : {VexLine1, VexLine2, VexLine3})
        line->setGeometry(PxX(60), line->y(), PxX(innerW - 120), line->height());
    Tpic2->setGeometry(0, 0, width(), PxY(kTopPanelHeight));
    Tpic1->setGeometry(0, height() - PxY(kCommandPanelHeight), width(), PxY(kCommandPanelHeight));
    const int viewport = std::max(0, innerH - kTopPanelHeight - kCommandPanelHeight - 50);
    P2->setGeometry(0, PxY(kTopPanelHeight), width(), PxY(viewport));
    PlaceCanvasWidth();
    Command2->move(PxX(innerW - kExitWidth - 50), PxY(kButtonTop));
    Command1->move(PxX(innerW - kSubmitWidth - kExitWidth - 200), PxY(kButtonTop));
    Label3->adjustSize();
    Label3->move((P2->width() - Label3->width()) / 2, (P2->height() - Label3->height()) / 2);
    ResizeFields();
}

void Form1::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Form_Resize();
}

void Form1::HeaderChecked(int row, int check) {
    TaskRecord& task = Task();
    if (row < 0 || static_cast<size_t>(row) >= task.Steps.size()) return;
    task.Steps[row].Execute = ExecuteAfterCheck(task.Steps[row].Execute, check);
    UpdateFields(false);
}

void Form1::FieldChanged(const std::string& value, const std::string& position, const std::string& index) {
    if (building_) return;
    std::optional<std::int32_t> at = ToWholeNumber(position);
    TaskRecord& task = Task();
    if (!at || *at < 0 || static_cast<size_t>(*at) >= task.Environs.size()) return;
    EnvironRecord& record = task.Environs[*at];
    record.Value = value;
    VexField* editor = editorOfRecord_.size() > static_cast<size_t>(*at) ? editorOfRecord_[*at] : nullptr;
    if (editor && editor->FieldType() == ftCombo) record.Min = index;
}

VexField* Form1::EditorHolding(QWidget* w) const {
    for (; w && w != P1; w = w->parentWidget())
        if (auto* field = qobject_cast<VexField*>(w)) return field != TF1[0] ? field : nullptr;
    return nullptr;
}

void Form1::FocusChanged(QWidget* old, QWidget* now) {
    if (validating_ || !now || now->window() != this) return;
    VexField* left = EditorHolding(old);
    if (left && left != EditorHolding(now) && left->isVisible()) {
        // The user cannot leave a field that does not pass its check.
        validating_ = true;
        const bool passed = left->FChk();
        if (!passed) left->FSetFocus();
        validating_ = false;
        if (!passed) return;
    }
    ScrollIntoView(QApplication::focusWidget());
}

void Form1::ScrollIntoView(QWidget* w) {
    if (!w || VS1->isHidden() || !P1->isAncestorOf(w)) return;
    const int top = TwY(w->mapTo(P1, QPoint(0, 0)).y());
    const int bottom = top + TwY(w->height());
    const int viewTop = -TwY(P1->y());
    const int viewHeight = TwY(P2->height());
    int wanted = viewTop;
    if (top < viewTop)
        wanted = top - 100;
    else if (bottom > viewTop + viewHeight)
        wanted = bottom + 100 - viewHeight;
    if (wanted != viewTop) VS1->setValue((std::max(0, wanted) + scroll_.factor - 1) / scroll_.factor);
}

bool Form1::eventFilter(QObject* watched, QEvent* event) {
    if (watched == VS1 && event->type() == QEvent::FocusIn && TFS1.size() > 1) {
        TFS1[1]->setFocus();
        return false;
    }
    if ((watched == P1 || watched == P2) && event->type() == QEvent::Wheel && !VS1->isHidden()) {
        QApplication::sendEvent(VS1, event);
        return true;
    }
    if (watched == P2 && event->type() == QEvent::Resize) CalcEFScr();
    return QWidget::eventFilter(watched, event);
}

void Form1::Command3_Click() {
    DateTime now = LocalDateTime(Clock::Now());
    P8DT1->SetValue(now);
    P8DT2->SetValue(now);
}

bool Form1::Command1_Click() {
    SetTaskSubmitted(false);
    TaskRecord& task = Task();
    if (opened_.scheduling) task.ScheduledTime = DateTimeText(DateTimeSum(P8DT2->Value(), P8DT1->Value()));
    if (!ValidateAllEnvFields() || !CheckStepsMarked(task)) return false;
    // Plain values come back from this copy, whatever the submission made of them.
    const std::vector<EnvironRecord> plain = task.Environs;
    SwitchPasswordValues(task, 'E');
    bool submitted = false;
    try {
        submitted = SubmitTask();
    } catch (const std::exception& e) {
        ReportError(std::string("Submit Error: ") + e.what(), 16);
    }
    for (size_t i = 0; i < plain.size() && i < task.Environs.size(); ++i)
        task.Environs[i].Value = plain[i].Value;
    if (submitted && !SubmitMode()) close();
    return submitted;
}

void Form1::Command2_Click() {
    close();
}

void Form1::closeEvent(QCloseEvent* event) {
    if (!(windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen)) &&
        !SubmitMode())
        SavePlacement(CurrentPlacement());
    QWidget::closeEvent(event);
}

Placement Form1::CurrentPlacement() const {
    QRect frame = frameGeometry();
    return {TwX(frame.x()), TwY(frame.y()), TwX(frame.width()), TwY(frame.height())};
}

void Form1::ApplyPlacement(const Placement& p) {
    wanted_ = p;
    move(PxX(p.left), PxY(p.top));
    const int frameW = TrueWindowSize(this, false), frameH = TrueWindowSize(this, true);
    resize(PxX(std::max(0, p.width - frameW)), PxY(std::max(0, p.height - frameH)));
    // Before the window is first shown its frame is not known yet.
    placementPending_ = !isVisible();
}

void Form1::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (placementPending_) {
        placementPending_ = false;
        const int frameW = TrueWindowSize(this, false), frameH = TrueWindowSize(this, true);
        if (frameW > 0 || frameH > 0)
            resize(PxX(std::max(0, wanted_.width - frameW)), PxY(std::max(0, wanted_.height - frameH)));
    }
}

void Form1::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1) {
        ShowHelp();
        return;
    }
    QWidget::keyPressEvent(event);
}

void Form1::ShowHelp() {
    ShowHelpFile(helpFile_);
}

bool Form1::SubmitTask() {
    return ShowJobSubmiter(this);
}

} // namespace z9
