#include "menu/app/Options.h"

#include "common/FormBuilder.h"
#include "common/P8LocaleSettings.h"
#include "common/Twips.h"
#include "menu/app/DialogIcons.h"
#include "menu/app/MenuSettings.h"
#include "menu/support/Z9Support.h"
#include "widgets/Frame3D.h"
#include "widgets/VexButton.h"

#include <QLabel>
#include <QRadioButton>

namespace z9 {
namespace {

// ---- geometry, in twips of the client area

constexpr int kFormWidth = 4920;
constexpr int kFormHeight = 2880;
constexpr int kLeft = 180;
constexpr int kChoiceLeft = 360;
constexpr int kChoiceTop = 540;
constexpr int kChoiceStep = 360;
constexpr int kChoiceWidth = kFormWidth - kChoiceLeft - kLeft;
constexpr int kButtonSide = 440;
constexpr int kButtonTop = kFormHeight - kButtonSide - 180;

constexpr const char* kChoices[] = {
    "Open File In The Application Directory",
    "Open Home Location",
    "Open Last File",
    "Always Show Open Menu",
};

} // namespace

Options::Options(QWidget* owner) : QDialog(owner) {
    setObjectName("Options");
    setWindowTitle("Options");
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);

    Label1 = MakeLabel(this, "Label1", "On Start-Up:");
    Place(Label1, kLeft, 180, 2400, 255);
    for (std::size_t i = 0; i < Option1.size(); ++i) {
        Option1[i] = new QRadioButton(kChoices[i], this);
        Option1[i]->setObjectName(QStringLiteral("Option1_%1").arg(i));
        Place(Option1[i], kChoiceLeft, kChoiceTop + static_cast<int>(i) * kChoiceStep, kChoiceWidth - 60,
              300);
    }

    VexButton2 = MakeIconButton(this, "VexButton2", DialogIcon::Support, "Zorvan Support");
    Place(VexButton2, kLeft, kButtonTop, kButtonSide, kButtonSide);
    VexButton2->SetEnabledM(true);
    TBOk = MakeIconButton(this, "TBOk", DialogIcon::Apply, "Apply");
    Place(TBOk, kFormWidth - kLeft - 2 * kButtonSide - 120, kButtonTop, kButtonSide, kButtonSide);
    TBCancel = MakeIconButton(this, "TBCancel", DialogIcon::Cancel, "Cancel");
    Place(TBCancel, kFormWidth - kLeft - kButtonSide, kButtonTop, kButtonSide, kButtonSide);

    SetFormFonts(this);
    setFixedSize(TwipsToPixelsX(kFormWidth), TwipsToPixelsY(kFormHeight));
    // The choices sit in one sunken frame, the buttons each in a raised one.
    const int choicesHeight = static_cast<int>(Option1.size()) * kChoiceStep;
    auto* choices = new QWidget(this);
    choices->setObjectName("Frame1");
    choices->setAttribute(Qt::WA_TransparentForMouseEvents);
    Place(choices, kChoiceLeft - 120, kChoiceTop - 60, kChoiceWidth + 60, choicesHeight + 60);
    choices->lower();
    Frame3D(choices, this, 1, 0, true);
    for (VexButton* button : {VexButton2, TBOk, TBCancel})
        Frame3D(button, this, 1, 0, false);

    QWidget* order[] = {Option1[0], Option1[1], Option1[2], Option1[3], TBOk, TBCancel, VexButton2};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);

    connect(TBOk, &VexButton::ButtonClick, this, &Options::TBOk_Click);
    connect(TBCancel, &VexButton::ButtonClick, this, &Options::TBCancel_Click);
    connect(VexButton2, &VexButton::ButtonClick, this, &Options::VexButton2_Click);

    const long stored = ReadStartOpen();
    // A value no choice has selects none; Apply then stores the one the user picks.
    if (stored >= 0 && stored < static_cast<long>(Option1.size())) {
        Option1[static_cast<std::size_t>(stored)]->setChecked(true);
        Option1[static_cast<std::size_t>(stored)]->setFocus();
    } else {
        Option1[0]->setFocus();
    }
}

int Options::Choice() const {
    for (std::size_t i = 0; i < Option1.size(); ++i)
        if (Option1[i]->isChecked()) return static_cast<int>(i);
    return -1;
}

void Options::TBOk_Click() {
    const int choice = Choice();
    if (choice >= 0) StoreStartOpen(choice);
    accept();
}

void Options::TBCancel_Click() {
    reject();
}

void Options::VexButton2_Click() {
    ShowSupportForm(this);
}

void ShowOptions(QWidget* owner) {
    Options dialog(owner);
    dialog.exec();
}

} // namespace z9
