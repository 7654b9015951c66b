#include "menu/app/Sopen.h"

#include "common/CodePageQt.h"
#include "common/Dialogs.h"
#include "common/FormBuilder.h"
#include "common/P8LocaleSettings.h"
#include "common/Twips.h"
#include "menu/app/DialogIcons.h"
#include "menu/app/MenuSettings.h"
#include "widgets/Frame3D.h"
#include "widgets/VexButton.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTimer>

namespace z9 {

using namespace std::string_literals;

namespace {

// ---- geometry, in twips of the client area

constexpr int kFormWidth = 5640;
constexpr int kFormHeight = 2130;
constexpr int kLeft = 180;
constexpr int kButtonSide = 440; // a 16-pixel picture with 100 twips round it
constexpr int kTextTop = 480;
constexpr int kTextWidth = kFormWidth - 2 * kLeft - kButtonSide - 120;
constexpr int kChoiceTop = 1020;
constexpr int kButtonTop = 1530;

} // namespace

Sopen::Sopen(MenuOpener fopen, QWidget* owner) : QDialog(owner), fopen_(std::move(fopen)) {
    setObjectName("Sopen");
    setWindowTitle("Open Zorvan Menu");
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);

    Label1 = MakeLabel(this, "Label1", "File Path:");
    Place(Label1, kLeft, 210, 2400, 255);
    Text1 = new QLineEdit(this);
    Text1->setObjectName("Text1");
    Text1->setAccessibleName("File Path");
    Label1->setBuddy(Text1);
    Place(Text1, kLeft, kTextTop, kTextWidth, 345);
    TBBr = MakeIconButton(this, "TBBr", DialogIcon::Browse, "Browse");
    Place(TBBr, kLeft + kTextWidth + 120, kTextTop - 45, kButtonSide, kButtonSide);

    Option1 = new QRadioButton("Create New Menu", this);
    Option1->setObjectName("Option1");
    Place(Option1, kLeft + 60, kChoiceTop, 2400, 300);
    Option2 = new QRadioButton("Open Existing Menu", this);
    Option2->setObjectName("Option2");
    Place(Option2, kLeft + 2640, kChoiceTop, 2460, 300);

    TBOk = MakeIconButton(this, "TBOk", DialogIcon::OpenMenu, "Ok");
    Place(TBOk, kFormWidth - kLeft - 2 * kButtonSide - 120, kButtonTop, kButtonSide, kButtonSide);
    TBCancel = MakeIconButton(this, "TBCancel", DialogIcon::Cancel, "Cancel");
    Place(TBCancel, kFormWidth - kLeft - kButtonSide, kButtonTop, kButtonSide, kButtonSide);

    SetFormFonts(this);
    setFixedSize(TwipsToPixelsX(kFormWidth), TwipsToPixelsY(kFormHeight));
    // Frames go on once the controls have their places.
    Frame3D(Text1, this, 1, 0, true);
    for (QWidget* button :
         {static_cast<QWidget*>(TBBr), static_cast<QWidget*>(TBOk), static_cast<QWidget*>(TBCancel)})
        Frame3D(button, this, 1, 0, false);
    Frame3D(Option1, this, 1, 0, true);
    Frame3D(Option2, this, 1, 0, true);

    QWidget* order[] = {Text1, TBBr, Option1, Option2, TBOk, TBCancel};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);

    connect(TBOk, &VexButton::ButtonClick, this, &Sopen::TBOk_Click);
    connect(TBCancel, &VexButton::ButtonClick, this, &Sopen::TBCancel_Click);
    connect(TBBr, &VexButton::ButtonClick, this, &Sopen::TBBr_Click);
    connect(Option1, &QRadioButton::clicked, this, [this] { SetMNew(true); });
    connect(Option2, &QRadioButton::clicked, this, [this] { SetMNew(false); });

    SetMNew(false);
    Text1->setText(FromAnsi(ReadLastMenu()));
    Text1->setFocus();
}

void Sopen::SetMNew(bool mNew) {
    mNew_ = mNew;
    (mNew ? Option1 : Option2)->setChecked(true);
    TBOk->BImage(DrawDialogIcon(mNew ? DialogIcon::CreateMenu : DialogIcon::OpenMenu));
    TBOk->ToolT(mNew ? "Create Menu" : "Open Menu");
}

void Sopen::TBOk_Click() {
    std::string path = ToAnsi(Text1->text());
    bool mNew = mNew_;
    const SopenStep step = SopenOk(path, mNew, fopen_);
    // The path may have gained ".z9m", and the user may have agreed to create the menu.
    if (path != ToAnsi(Text1->text())) Text1->setText(FromAnsi(path));
    if (mNew != mNew_) SetMNew(mNew);
    if (step == SopenStep::Close) {
        accept();
        return;
    }
    Text1->setFocus();
}

void Sopen::TBCancel_Click() {
    reject();
}

void Sopen::TBBr_Click() {
    const std::string path = OpenFileDialog("Browse", "", "Zorvan Menu (*.z9m)\0*.z9m\0"s, 1, false, this);
    if (!path.empty()) Text1->setText(FromAnsi(path));
}

void Sopen::Form_Activate() {
    Text1->selectAll();
}

bool Sopen::event(QEvent* event) {
    const bool handled = QDialog::event(event);
    if (event->type() == QEvent::WindowActivate) Form_Activate();
    return handled;
}

void Sopen::keyPressEvent(QKeyEvent* event) {
    const bool onButton = qobject_cast<VexButton*>(focusWidget()) != nullptr;
    if (!onButton && !(event->modifiers() & ~Qt::KeypadModifier)) {
        if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
            TBOk_Click();
            return;
        }
        if (event->key() == Qt::Key_Escape) {
            TBCancel_Click();
            return;
        }
    }
    QDialog::keyPressEvent(event);
}

void Sopen::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // The offscreen platform and some window managers never activate a
    // dialog; the path is selected all the same.
    QTimer::singleShot(0, this, [this] { Form_Activate(); });
}

bool ShowSopen(QWidget* owner, bool createNew, const MenuOpener& fopen) {
    Sopen dialog(fopen, owner);
    dialog.SetMNew(createNew);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace z9
