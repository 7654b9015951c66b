#pragma once
// VexFieldSplitter: one row of the step list, a bold caption with the step's
// "Execute" check box at the right end. It translates between the three
// selection states of a step and its check box and reports the user's clicks.
#include <QWidget>
#include <string>

class QCheckBox;
class QFrame;
class QLabel;

namespace z9 {

class VexFieldSplitter : public QWidget {
    Q_OBJECT
public:
    // Check values.
    enum : int { kRuns = 0, kSkipped = 1, kAlwaysRuns = 2 };

    explicit VexFieldSplitter(QWidget* parent = nullptr);

    // The position of the step the row shows; it travels with Checked.
    short RowNumber = 0;

    std::string Caption() const;
    void SetCaption(const std::string& caption);

    // 0 checked (the step runs), 1 unchecked (skipped), 2 checked and disabled
    // (always runs). Writing it raises no Checked.
    int Check() const;
    void SetCheck(int value);

    QLabel* Label1() const { return label1_; }
    QCheckBox* Check1() const { return check1_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    // The user clicked the check box: the row number and the new Check value.
    void Checked(int row, int check);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void LayOut();

    QFrame* picture1_;
    QLabel* image1_;
    QLabel* label1_;
    QCheckBox* check1_;
    bool busy_ = false;
};

} // namespace z9
