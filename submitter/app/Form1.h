#pragma once
// Form1, the submitter's main window: the task's name, the scheduling panel,
// one header per step with the editors of its variables on a scrolling canvas,
// and the Submit and Exit commands. Form_Load is the program's start-up.
#include "common/CanvasScroll.h"
#include "submitter/app/OpenTask.h"
#include "submitter/app/Placement.h"
#include "submitter/app/TaskView.h"

#include <QWidget>
#include <string>
#include <vector>

class QLabel;
class QPushButton;
class QScrollBar;

namespace z9 {

class P8DT;
class VexField;
class VexFieldSplitter;
class VexLine;

class Form1 : public QWidget {
    Q_OBJECT
public:
    explicit Form1(QWidget* parent = nullptr);
    ~Form1() override;

    // Start-up from the whole argument string. True: show the window. False:
    // the program ends with ExitCode().
    bool Form_Load(const std::string& argumentLine);
    int ExitCode() const { return exitCode_; }

    // Loads parts[0], applies the assignments and builds the window; false after a report.
    bool OpenTask(const std::vector<std::string>& parts);
    void UpdateFields(bool build);
    void ClearCon();
    void ResizeFields();
    void CalcEFScr();
    void Form_Resize();

    // Submit: the checks, then the submit window. True when the task was submitted.
    bool Command1_Click();
    // Exit.
    void Command2_Click();
    // "<< Now >>"
    void Command3_Click();

    // Placement in twips (frame position, outer size).
    Placement CurrentPlacement() const;
    void ApplyPlacement(const Placement& p);

    const std::string& WindowTitleText() const { return title_; }
    const std::string& HelpFile() const { return helpFile_; }
    void ShowHelp();
    bool Scheduling() const { return opened_.scheduling; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The controls, by their names (tests find them the same way, by objectName).
    QWidget* Tpic1 = nullptr;
    QWidget* Tpic2 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QWidget* P2 = nullptr;
    QWidget* P1 = nullptr;
    QScrollBar* VS1 = nullptr;
    std::vector<VexFieldSplitter*> TFS1; // element 0 is the hidden template
    std::vector<VexField*> TF1;          // element 0 is the hidden template
    std::vector<VexLine*> TL1;           // element 0 is the hidden template
    QWidget* SchPic = nullptr;
    QLabel* Label16 = nullptr;
    P8DT* P8DT1 = nullptr; // time
    P8DT* P8DT2 = nullptr; // date
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* Command3 = nullptr;
    VexLine* VexLine1 = nullptr;
    VexLine* VexLine2 = nullptr;
    VexLine* VexLine3 = nullptr;

    void HeaderChecked(int row, int check);
    void FieldChanged(const std::string& value, const std::string& position, const std::string& index);
    void FocusChanged(QWidget* old, QWidget* now);
    VexField* EditorHolding(QWidget* w) const;
    // Scrolls the canvas so that w, a control on it, can be seen.
    void ScrollIntoView(QWidget* w);
    // The steps of UpdateFields; y is the running position on the canvas in twips.
    VexFieldSplitter* NewHeader(const std::string& caption, int row, int check);
    VexField* NewEditor(size_t record);
    int PlaceHeader(VexFieldSplitter* header, int y);
    int PlaceSchedule(bool build, int y);
    int PlaceStep(size_t step, const std::vector<size_t>& records, bool build, int y);
    void SetCanvasHeight(int twips);
    void PlaceCanvasWidth();
    bool SubmitTask();

    std::string title_;
    std::string helpFile_;
    OpenedTask opened_;
    int exitCode_ = 0;
    bool building_ = false;
    bool scrolling_ = false;
    bool validating_ = false;
    int canvasHeight_ = 600; // twips
    CanvasScroll scroll_;
    std::vector<VexFieldSplitter*> headerOfStep_;
    std::vector<VexField*> editorOfRecord_;
    std::vector<int> rowHeight_; // twips, per record with an editor
    Placement wanted_;
    bool placementPending_ = false;
};

} // namespace z9
