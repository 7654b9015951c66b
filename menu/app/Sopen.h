#pragma once
// Sopen, "Open Zorvan Menu": the modal dialog that opens an existing menu file
// or creates a new one and hands it to the menu window.
#include "menu/app/SopenOk.h"

#include <QDialog>
#include <string>

class QLabel;
class QLineEdit;
class QRadioButton;

namespace z9 {

class VexButton;

class Sopen : public QDialog {
    Q_OBJECT
public:
    // fopen is the menu window's FOpen.
    explicit Sopen(MenuOpener fopen, QWidget* owner = nullptr);

    // true: "Create New Menu", false: "Open Existing Menu". Setting it selects
    // the matching choice and gives TBOk its picture and tool tip.
    bool MNew() const { return mNew_; }
    void SetMNew(bool mNew);

    void TBOk_Click();
    void TBCancel_Click();
    void TBBr_Click();
    // The dialog became active: the whole path is selected.
    void Form_Activate();

    QLabel* Label1;
    QLineEdit* Text1;      // the path
    QRadioButton* Option1; // Create New Menu
    QRadioButton* Option2; // Open Existing Menu
    VexButton* TBOk;
    VexButton* TBCancel;
    VexButton* TBBr;

protected:
    bool event(QEvent* event) override;
    // Enter is OK and Escape is Cancel wherever the focus is, except on a
    // button, which presses itself.
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    MenuOpener fopen_;
    bool mNew_ = false;
};

// Shows the dialog modally over owner, "Create New Menu" chosen when createNew.
// True when it closed with a menu opened.
bool ShowSopen(QWidget* owner, bool createNew, const MenuOpener& fopen);

} // namespace z9
