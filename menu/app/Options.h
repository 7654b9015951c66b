#pragma once
// Options: what the menu program opens at start-up, and the way to the
// support form.
#include <QDialog>
#include <array>

class QLabel;
class QRadioButton;

namespace z9 {

class VexButton;

class Options : public QDialog {
    Q_OBJECT
public:
    explicit Options(QWidget* owner = nullptr);

    // The index of the chosen start-up choice (the value "StartOpen").
    int Choice() const;

    void TBOk_Click();       // Apply
    void TBCancel_Click();   // Cancel
    void VexButton2_Click(); // Zorvan Support

    QLabel* Label1;
    // 0 the first menu in the program's folder, 1 the home menu, 2 the last
    // file, 3 the open dialog.
    std::array<QRadioButton*, 4> Option1;
    VexButton* TBOk;
    VexButton* TBCancel;
    VexButton* VexButton2;
};

// Shows the options modally over owner.
void ShowOptions(QWidget* owner);

} // namespace z9
