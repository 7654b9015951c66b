// MenuGallery: every drawn control of the menu program in its states on one
// form: buttons with and without picture, fixed and free size, disabled,
// hovered, pressed and focused; links, one with the file-name caption; the
// label, the typing and blinking captions, the binary strip; lines and 3-D
// frames, the inverted one of a combo box among them.
//
//   MenuGallery [--locale NAME] [--screenshot PATH]
//
// With --screenshot the form is drawn once, saved as PNG and the program ends.
#include "common/P8LocaleSettings.h"
#include "common/Twips.h"
#include "tools/gallery/GalleryShot.h"
#include "widgets/Frame3D.h"
#include "widgets/VexBin.h"
#include "widgets/VexBlink.h"
#include "widgets/VexButton.h"
#include "widgets/VexItem.h"
#include "widgets/VexLabel.h"
#include "widgets/VexLine.h"
#include "widgets/VexPic.h"
#include "widgets/Z9Line.h"

#include <QApplication>
#include <QComboBox>
#include <QEnterEvent>
#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QStyle>
#include <QWidget>
#include <memory>
#include <vector>

namespace z9 {
namespace {

// Geometry in twips.
constexpr int kFormWidth = 12600;
constexpr int kStripWidth = 720;
constexpr int kLeft = 1080; // the sections, right of the toolbar strip
constexpr int kAnnotationGap = 60;

int Px(int twips) {
    return TwipsToPixelsX(twips);
}
int PxY(int twips) {
    return TwipsToPixelsY(twips);
}
int Tw(int pixels) {
    return PixelsToTwipsY(pixels);
}

QPixmap Icon(QStyle::StandardPixmap which) {
    return QApplication::style()->standardIcon(which).pixmap(QSize(16, 16), qApp->devicePixelRatio());
}

class Gallery {
public:
    Gallery() : form_(new QWidget) {
        form_->setObjectName(QStringLiteral("MenuGallery"));
        form_->setWindowTitle(QStringLiteral("Menu Gallery"));
    }

    QWidget* Build() {
        Toolbar();
        int y = 150;
        y = Header(y);
        y = Buttons(y);
        y = Links(y);
        y = Captions(y);
        y = LinesAndFrames(y);
        SetFormFonts(form_);
        form_->setFixedSize(Px(kFormWidth), PxY(y + 150));
        strip_->setFixedHeight(form_->height() - PxY(300));
        separator_->setFixedHeight(form_->height() - PxY(300));
        return form_;
    }

    // After the form is shown: the frames on the shown geometry, the hover,
    // press and focus states, as a user's pointer and keyboard leave them.
    void Settle() {
        for (QWidget* w : framedRaised_)
            Frame3D(w, w->parentWidget(), 1, 0, false);
        for (QWidget* w : framedSunken_)
            Frame3D(w, w->parentWidget(), 1, 0, true);
        for (QWidget* w : hovered_) {
            QPointF local(w->width() / 2.0, w->height() / 2.0);
            QEnterEvent enter(local, w->mapTo(form_, local), w->mapToGlobal(local));
            QApplication::sendEvent(w, &enter);
        }
        if (pressed_) {
            QPointF local(pressed_->width() / 2.0, pressed_->height() / 2.0);
            QEnterEvent enter(local, pressed_->mapTo(form_, local), pressed_->mapToGlobal(local));
            QApplication::sendEvent(pressed_, &enter);
            QMouseEvent press(QEvent::MouseButtonPress, local, pressed_->mapToGlobal(local), Qt::LeftButton,
                              Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(pressed_, &press);
        }
        if (focused_) focused_->setFocus(Qt::TabFocusReason);
    }

private:
    QLabel* Heading(const QString& text, int y) {
        auto* label = new QLabel(text, form_);
        QFont font(QStringLiteral("Tahoma"), 9);
        font.setBold(true);
        label->setFont(font);
        label->adjustSize();
        label->move(Px(kLeft), PxY(y));
        return label;
    }

    // A small grey note under a sample.
    void Note(const QString& text, const QWidget* under, int extraTop = 0) {
        auto* label = new QLabel(text, form_);
        Annotate(label);
        label->move(under->x(), under->geometry().bottom() + 1 + PxY(kAnnotationGap + extraTop));
    }

    static void Annotate(QLabel* label) {
        QPalette pal = label->palette();
        pal.setColor(QPalette::WindowText, pal.color(QPalette::Dark).darker(140));
        label->setPalette(pal);
        label->setFont(QFont(QStringLiteral("Tahoma"), 7));
        label->adjustSize();
    }

    // The toolbar strip of the menu window: icon buttons with tool tips.
    void Toolbar() {
        strip_ = new QWidget(form_);
        strip_->setObjectName(QStringLiteral("T1"));
        strip_->setGeometry(Px(120), PxY(150), Px(kStripWidth), PxY(6000));
        struct Tool {
            const char* name;
            const char* tip;
            QStyle::StandardPixmap icon;
        };
        const std::vector<Tool> tools = {
            {"TB1", "Back", QStyle::SP_ArrowBack},
            {"TB2", "Revert", QStyle::SP_BrowserReload},
            {"TB3", "Home", QStyle::SP_DirHomeIcon},
            {"TB5", "Edit", QStyle::SP_FileDialogDetailedView},
            {"TB6", "Options", QStyle::SP_FileDialogInfoView},
            {"TBHelp", "Help", QStyle::SP_DialogHelpButton},
        };
        int y = 120;
        for (const Tool& tool : tools) {
            auto* button = new VexButton(strip_);
            button->setObjectName(QString::fromLatin1(tool.name));
            button->setGeometry(Px(120), PxY(y), Px(480), PxY(480));
            button->BImage(Icon(tool.icon));
            button->ToolT(tool.tip);
            framedRaised_.push_back(button);
            y += 600;
        }
        hovered_.push_back(strip_->findChild<VexButton*>(QStringLiteral("TB3")));
        strip_->findChild<VexButton*>(QStringLiteral("TB6"))->SetEnabledM(false);

        auto* separator = new ucLNV(form_);
        separator->setObjectName(QStringLiteral("LNH"));
        separator->setGeometry(Px(120 + kStripWidth + 60), PxY(150), separator->width(), PxY(6000));
        separator_ = separator;
    }

    int Header(int y) {
        auto* header = new VexPic(form_);
        header->setObjectName(QStringLiteral("VexPic1"));
        header->SetFixedPos(true);
        QFont font(QStringLiteral("Tahoma"), 14);
        font.setBold(true);
        header->SetFont(font);
        header->SetFontColor(QColor(0x1F, 0x3A, 0x68));
        header->setGeometry(Px(kLeft - 100), PxY(y), Px(6000), PxY(480));
        header->SetCaption("Operations menu.z9m");
        header->SetInter(0); // held mid-word for the picture
        for (int i = 0; i < 14; ++i)
            header->Tick();
        Note(QStringLiteral("VexPic typing its caption (FixedPos)"), header);
        return y + 480 + 400;
    }

    int Buttons(int y) {
        Heading(QStringLiteral("Buttons"), y);
        y += 330;
        struct Sample {
            const char* name;
            const char* caption;
            QStyle::StandardPixmap icon; // NCustomBase: none
            const char* note;
        };
        const std::vector<Sample> samples = {
            {"TBOk", "Open", QStyle::SP_CustomBase, "fixed size"},
            {"TBOpen", "Open Menu", QStyle::SP_DialogOpenButton, "with picture"},
            {"TBSave", "Save Menu", QStyle::SP_DialogSaveButton, "disabled"},
            {"TBSetHome", "Set Home", QStyle::SP_DirHomeIcon, "hovered"},
            {"TBNew", "New Menu", QStyle::SP_FileIcon, "pressed"},
            {"TBCancel", "Cancel", QStyle::SP_CustomBase, "keyboard focus"},
        };
        int x = kLeft;
        int bottom = y;
        for (const Sample& sample : samples) {
            auto* button = new VexButton(form_);
            button->setObjectName(QString::fromLatin1(sample.name));
            button->SetFont(QFont(QStringLiteral("Tahoma"), 8));
            button->SetFixedSize(true);
            button->SetCaption(sample.caption);
            if (sample.icon != QStyle::SP_CustomBase) button->BImage(Icon(sample.icon));
            button->move(Px(x), PxY(y));
            framedRaised_.push_back(button);
            Note(QString::fromLatin1(sample.note), button, 40);
            const QString note = QString::fromLatin1(sample.note);
            if (note == QLatin1String("disabled")) button->SetEnabledM(false);
            if (note == QLatin1String("hovered")) hovered_.push_back(button);
            if (note == QLatin1String("pressed")) pressed_ = button;
            if (note == QLatin1String("keyboard focus")) focused_ = button;
            x += Tw(button->width()) + 240;
            bottom = std::max(bottom, y + Tw(button->height()));
        }
        y = bottom + 480;

        // Free size: the content centred in the height the container gives.
        auto* free = new VexButton(form_);
        free->setObjectName(QStringLiteral("TBBr"));
        free->SetCaption("Browse...");
        free->BImage(Icon(QStyle::SP_DirOpenIcon));
        free->setGeometry(Px(kLeft), PxY(y), Px(2400), PxY(600));
        framedRaised_.push_back(free);
        Note(QStringLiteral("free size (2400 x 600 twips)"), free, 40);

        auto* icon = new VexButton(form_);
        icon->setObjectName(QStringLiteral("TBUp"));
        icon->BImage(Icon(QStyle::SP_ArrowUp));
        icon->ToolT("Move Up");
        icon->SetFixedSize(true);
        icon->move(Px(kLeft + 2400 + 300), PxY(y));
        framedRaised_.push_back(icon);
        Note(QStringLiteral("picture only"), icon, 40);
        return y + 600 + 600;
    }

    int Links(int y) {
        Heading(QStringLiteral("Links"), y);
        y += 360;
        struct Sample {
            const char* link;
            const char* caption;
            QStyle::StandardPixmap icon;
            const char* note;
        };
        const std::vector<Sample> samples = {
            {"Z9SUB C:\\Zorvan\\Tasks\\nightly-backup.z9f", "Nightly backup", QStyle::SP_FileIcon, "task"},
            {"C:\\Menus\\Reports\\Monthly sales.z9f", "", QStyle::SP_FileIcon, "caption from the file name"},
            {"C:\\Menus\\reports.z9m", "Reports menu", QStyle::SP_DirIcon, "hovered"},
            {"notepad.exe C:\\Zorvan\\readme.txt", "Read me", QStyle::SP_ComputerIcon, "program"},
        };
        int x = kLeft + 120;
        int index = 1;
        for (const Sample& sample : samples) {
            auto* item = new VexItem(form_);
            item->setObjectName(QStringLiteral("VexItem1_%1").arg(index++));
            item->Link = sample.link;
            item->SetFont(QFont(QStringLiteral("Tahoma"), 9));
            item->SetFontColor(QColor(0x00, 0x33, 0x99));
            item->SetCaption(sample.caption);
            item->BImage(Icon(sample.icon));
            item->move(Px(x), PxY(y));
            framedSunken_.push_back(item);
            Note(QString::fromLatin1(sample.note), item, 40);
            if (QString::fromLatin1(sample.note) == QLatin1String("hovered")) hovered_.push_back(item->L1());
            x += Tw(item->width()) + 300;
        }
        return y + 400 + 700;
    }

    int Captions(int y) {
        Heading(QStringLiteral("Labels and animated captions"), y);
        y += 360;
        auto* label = new VexLabel(form_);
        label->setObjectName(QStringLiteral("TL_1"));
        label->setGeometry(Px(kLeft + 120), PxY(y), Px(4200), 10);
        label->SetCaption("A label wraps its text at the control's width and takes the height the text "
                          "needs, so a long explanation on a menu page stays readable.");
        Note(QStringLiteral("VexLabel"), label, 0);

        const int right = kLeft + 4800;
        auto* blink = new VexBlink(form_);
        blink->setObjectName(QStringLiteral("VexBlink1"));
        blink->setGeometry(Px(right), PxY(y - 60), Px(2000), PxY(360));
        blink->SetCaption("Loading");
        blink->Tick();
        blink->Tick();
        blink->Tick();
        Note(QStringLiteral("VexBlink, two dots in"), blink, 0);

        auto* still = new VexBlink(form_);
        still->setObjectName(QStringLiteral("VexBlink2"));
        still->setGeometry(Px(right + 2200), PxY(y - 60), Px(1600), PxY(360));
        still->CapStill("Ready");
        Note(QStringLiteral("CapStill"), still, 0);

        auto* bin = new VexBin(form_);
        bin->setObjectName(QStringLiteral("VexBin1"));
        bin->setGeometry(Px(right + 100), PxY(y + 700), Px(16 * 175), bin->height());
        bin->Seed(2024);
        for (int i = 0; i < 40; ++i)
            bin->Tick();
        Note(QStringLiteral("VexBin"), bin, 0);
        return std::max(y + Tw(label->height()), y + 700 + Tw(bin->height())) + 700;
    }

    int LinesAndFrames(int y) {
        Heading(QStringLiteral("Lines and frames"), y);
        y += 420;
        auto* line = new VexLine(form_);
        line->setObjectName(QStringLiteral("TLN_1"));
        line->setGeometry(Px(kLeft), PxY(y), Px(kFormWidth - kLeft - 240), line->height());
        Note(QStringLiteral("VexLine"), line, 0);
        y += 450;

        lineY_ = y;
        auto* drawn = new QLabel(QStringLiteral("Z9Line, drawn on the form"), form_);
        drawn->move(Px(kLeft), PxY(y + 30 + kAnnotationGap));
        Annotate(drawn);
        y += 480;

        auto* text = new QLineEdit(QStringLiteral("C:\\Menus\\Start.z9m"), form_);
        text->setObjectName(QStringLiteral("Text1"));
        text->setGeometry(Px(kLeft + 120), PxY(y), Px(3000), PxY(330));
        framedSunken_.push_back(text);
        Note(QStringLiteral("sunken frame"), text, 40);

        auto* combo = new QComboBox(form_);
        combo->setObjectName(QStringLiteral("Combo1"));
        combo->addItems({QStringLiteral("2 - last menu"), QStringLiteral("1 - home menu")});
        combo->setGeometry(Px(kLeft + 3600), PxY(y), Px(2400), PxY(330));
        framedSunken_.push_back(combo);
        Note(QStringLiteral("sunken asked, \"COM\" name: raised"), combo, 40);
        return y + 330 + 450;
    }

public:
    // The drawn line needs the form's final size.
    void DrawLines() { z9Line_.InitZ9Line(kLeft, lineY_, form_, false, true, kFormWidth - kLeft - 240); }

private:
    QWidget* form_;
    QWidget* strip_ = nullptr;
    QWidget* separator_ = nullptr;
    std::vector<QWidget*> framedRaised_;
    std::vector<QWidget*> framedSunken_;
    std::vector<QWidget*> hovered_;
    QWidget* pressed_ = nullptr;
    QWidget* focused_ = nullptr;
    Z9Line z9Line_;
    int lineY_ = 0;
};

} // namespace
} // namespace z9

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QString screenshot;
    if (!z9::PrepareGallery("MenuGallery", screenshot)) return 2;

    z9::Gallery gallery;
    std::unique_ptr<QWidget> form(gallery.Build());
    form->show();
    form->activateWindow();
    QApplication::processEvents();
    gallery.DrawLines();
    gallery.Settle();
    QApplication::processEvents();
    if (screenshot.isEmpty()) return QApplication::exec();
    return z9::SaveGalleryShot(form.get(), screenshot, "MenuGallery");
}
