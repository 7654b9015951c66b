#include "submitter/fields/VexField.h"

#include "common/AccessibleCaption.h"
#include "common/CodePageQt.h"
#include "common/Dialogs.h"
#include "common/Twips.h"
#include "submitter/fields/VexMsg.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStringList>
#include <algorithm>
#include <cmath>

namespace z9 {

namespace {

const QString kTahoma = QStringLiteral("Tahoma");

// Twips measured across the row; pixel sizes never go below zero.
int PxX(double twips) {
    return std::max(0, TwipsToPixelsX(twips));
}
int PxY(double twips) {
    return std::max(0, TwipsToPixelsY(twips));
}

// The open-file dialog's file types: pairs of description and pattern, each ended by NUL.
std::string BrowseFilter() {
    const char* const parts[] = {"All Files (*.*)",           "*.*",        "Text Documents (*.txt)", "*.txt",
                                 "Batch Files (*.cmd,*.bat)", "*.cmd;*.bat"};
    std::string filter;
    for (const char* part : parts)
        filter.append(part).push_back('\0');
    return filter;
}

// A field's combo box speaks its caption as its name and its item as its
// value; Qt's own on Linux names it by the item, so the caption is lost.
class FieldComboInterface : public QAccessibleWidget {
public:
    explicit FieldComboInterface(QComboBox* combo) : QAccessibleWidget(combo, QAccessible::ComboBox) {}
    QString text(QAccessible::Text t) const override {
        const auto* combo = static_cast<QComboBox*>(widget());
        if (t == QAccessible::Value) return combo->currentText();
        if (t == QAccessible::Name && !combo->accessibleName().isEmpty()) return combo->accessibleName();
        return QAccessibleWidget::text(t);
    }
    QStringList actionNames() const override { return {showMenuAction(), pressAction()}; }
    void doAction(const QString& name) override {
        auto* combo = static_cast<QComboBox*>(widget());
        if (!combo->isEnabled()) return;
        if (name == showMenuAction() || name == pressAction()) combo->showPopup();
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }
    AccessibleRelations relations(QAccessible::Relation match) const override {
        return WithCaptionRelations(QAccessibleWidget::relations(match), object(), match);
    }
};

QAccessibleInterface* FieldComboFactory(const QString& key, QObject* object) {
    if (key != QLatin1String("QComboBox") || object->objectName() != QLatin1String("C1")) return nullptr;
    auto* combo = static_cast<QComboBox*>(object);
    return qobject_cast<VexField*>(combo->parentWidget()) ? new FieldComboInterface(combo) : nullptr;
}

} // namespace

VexField::VexField(QWidget* parent) : QWidget(parent) {
    static const bool comboSpeaks = (QAccessible::installFactory(FieldComboFactory), true);
    (void)comboSpeaks;
    // Children made afterwards start with Tahoma.
    QFont tahoma = font();
    if (tahoma.family() != kTahoma) {
        tahoma.setFamily(kTahoma);
        setFont(tahoma);
    }

    l1_ = new QLabel(this);
    l1_->setObjectName(QStringLiteral("L1"));
    l1_->setTextFormat(Qt::PlainText); // captions are text, never markup
    l1_->installEventFilter(this);

    t1_ = new QLineEdit(this);
    t1_->setObjectName(QStringLiteral("T1"));
    connect(t1_, &QLineEdit::textChanged, this, [this] { REvent(); });
    RelateCaption(l1_, t1_);

    MeasureEditors();
    Layout();
}

QPushButton* VexField::EnsureB1() {
    if (!b1_) {
        b1_ = new QPushButton(QStringLiteral("Browse"), this);
        b1_->setObjectName(QStringLiteral("B1"));
        b1_->setAccessibleName(QStringLiteral("Browse"));
        b1_->setEnabled(enabled_);
        connect(b1_, &QPushButton::clicked, this, [this] { Browse(); });
    }
    return b1_;
}

QComboBox* VexField::EnsureC1() {
    if (!c1_) {
        c1_ = new QComboBox(this);
        c1_->setObjectName(QStringLiteral("C1"));
        c1_->setEditable(false);
        RelateCaption(l1_, c1_);
        c1_->setAccessibleName(l1_->text());
        c1_->setEnabled(enabled_);
        connect(c1_, &QComboBox::currentIndexChanged, this, [this] {
            if (!filling_) REvent();
        });
    }
    return c1_;
}

QCheckBox* VexField::EnsureCh1() {
    if (!ch1_) {
        ch1_ = new QCheckBox(this);
        ch1_->setObjectName(QStringLiteral("Ch1"));
        ch1_->setEnabled(enabled_);
        connect(ch1_, &QCheckBox::toggled, this, [this] { REvent(); });
    }
    return ch1_;
}

void VexField::MeasureEditors() {
    // A text box as tall as its font asks, but never a cramped one.
    editorHeight_ = std::max(t1_->sizeHint().height(), PxY(315));
}

void VexField::SetFieldType(int type) {
    if (type < ftFolder) type_ = type;
    FChk();
    Layout();
}

std::string VexField::Caption() const {
    return ToAnsi(l1_->text());
}

void VexField::SetCaption(const std::string& caption) {
    QString text = FromAnsi(caption);
    l1_->setText(text);
    l1_->setAccessibleName(text);
    t1_->setAccessibleName(text);
    if (c1_) c1_->setAccessibleName(text);
}

std::string VexField::Results() {
    switch (type_) {
    case ftCheck:
        return ch1_ && ch1_->isChecked() ? def_[fdMax] : def_[fdMin];
    case ftCombo: {
        if (!c1_) return {};
        def_[fdMin] = std::to_string(c1_->currentIndex());
        return ComboItemValue(ToAnsi(c1_->currentText()), def_[fdFormat]);
    }
    case ftText:
    case ftNumber:
    case ftFile:
    case ftDate:
    case ftTime:
    case ftFolder:
        return ToAnsi(t1_->text());
    default:
        return {};
    }
}

void VexField::SetResults(const std::string& value) {
    switch (type_) {
    case ftCheck:
        EnsureCh1()->setChecked(value == def_[fdMax]);
        break;
    case ftCombo:
        FillCombo(value);
        break;
    case ftText:
    case ftNumber:
    case ftFile:
    case ftDate:
    case ftTime:
    case ftFolder:
        t1_->setText(FromAnsi(value));
        SetPasswordCharacter(type_ == ftText ? def_[fdFormat] : std::string());
        break;
    default:
        break;
    }
    if (t1_->font().family() != kTahoma) {
        QFont tahoma = t1_->font();
        tahoma.setFamily(kTahoma);
        t1_->setFont(tahoma);
    }
}

void VexField::FillCombo(const std::string& list) {
    QComboBox* c1 = EnsureC1();
    // The wanted index is read before anything is selected.
    std::optional<std::int32_t> wanted = ToWholeNumber(def_[fdMin]);
    std::vector<std::string> items = SplitComboList(list);
    std::string joined;
    for (size_t i = 0; i < items.size(); ++i) {
        if (i > 0) joined += '\n';
        joined += items[i];
    }
    // One conversion for the whole list: lists from files may be long.
    QStringList shown = FromAnsi(joined).split(QChar(u'\n'));

    filling_ = true;
    c1->clear();
    c1->addItems(shown);
    c1->setCurrentIndex(0);
    if (wanted && *wanted >= 0 && *wanted < c1->count()) c1->setCurrentIndex(*wanted);
    filling_ = false;
    REvent();
}

void VexField::SetPasswordCharacter(const std::string& format) {
    // A longer text masks with its first character.
    std::string mask = format.size() > 1 ? format.substr(0, 1) : format;
    QString sheet;
    if (!mask.empty()) {
        QString ch = FromAnsi(mask);
        if (!ch.isEmpty())
            sheet = QStringLiteral("QLineEdit { lineedit-password-character: %1; }").arg(ch.at(0).unicode());
    }
    t1_->setEchoMode(sheet.isEmpty() ? QLineEdit::Normal : QLineEdit::Password);
    if (sheet != passwordSheet_) {
        passwordSheet_ = sheet;
        t1_->setStyleSheet(sheet);
    }
}

int VexField::Resize() {
    Layout();
    return PixelsToTwipsY(height());
}

void VexField::REvent() {
    std::string value = Results();
    emit FieldChange(value, def_[fdPosition], def_[fdMin], def_[fdMax]);
}

bool VexField::FChk() {
    if (type_ == ftCheck || type_ == ftCombo) return true;
    return ValidateEnvField(def_[fdType], def_[fdVariable], ToAnsi(t1_->text()), def_[fdMin], def_[fdMax],
                            def_[fdFormat], def_[fdPercent]);
}

void VexField::Update() {
    const std::string& type = def_[fdType];
    if (!type.empty() && type[0] >= '0' && type[0] <= '9') type_ = type[0] - '0';

    SetResults(type_ == ftCombo ? ComboItems(def_[fdMax]) : def_[fdValue]);

    if (type_ == ftCheck) {
        SetCaption({});
        QString text = FromAnsi(def_[fdCaption]);
        QCheckBox* ch1 = EnsureCh1();
        ch1->setText(text);
        ch1->setAccessibleName(text);
    } else {
        SetCaption(def_[fdCaption]);
    }

    const std::string& percent = def_[fdPercent];
    if (percent.empty() || percent == " ")
        percent_ = 33;
    else if (std::optional<std::int32_t> share = ToWholeNumber(percent))
        percent_ = *share;
    Layout();
}

void VexField::FSetFocus() {
    QWidget* editor = nullptr;
    switch (type_) {
    case ftCheck:
        editor = ch1_;
        break;
    case ftCombo:
        editor = c1_;
        break;
    case ftText:
    case ftNumber:
    case ftFile:
    case ftDate:
    case ftTime:
    case ftFolder:
        editor = t1_;
        break;
    default:
        break;
    }
    if (editor && editor->isEnabled()) editor->setFocus(Qt::OtherFocusReason);
}

void VexField::FEnabled(bool FE) {
    enabled_ = FE;
    for (QWidget* control :
         {static_cast<QWidget*>(l1_), static_cast<QWidget*>(t1_), static_cast<QWidget*>(b1_),
          static_cast<QWidget*>(c1_), static_cast<QWidget*>(ch1_)})
        if (control) control->setEnabled(FE);
}

QFont VexField::Font() const {
    return t1_->font();
}

void VexField::Layout() {
    if (inLayout_) return;
    inLayout_ = true;

    int percent = percent_ == 0 ? 33 : percent_;
    double controlWidth = width() * TwipsPerPixelX();
    // A share far outside 20..80 (a damaged task file) still gives widths an int holds.
    const double limit = 1e9;
    captionWidth_ =
        static_cast<int>(std::clamp(std::nearbyint(controlWidth * percent / 100.0), -limit, limit)) - 100;
    editorWidth_ = static_cast<int>(std::nearbyint(controlWidth)) - captionWidth_ - 200;

    const int labelTop = 75;
    l1_->setGeometry(0, PxY(labelTop), PxX(captionWidth_), l1_->sizeHint().height());
    const int editorLeft = PxX(captionWidth_ + 100);
    const int editorHeight = editorHeight_;

    bool showT1 = false, showB1 = false, showC1 = false, showCh1 = false;
    switch (type_) {
    case ftText:
    case ftNumber:
    case ftDate:
    case ftTime:
        showT1 = true;
        t1_->setGeometry(editorLeft, 0, PxX(editorWidth_), editorHeight);
        break;
    case ftFile:
    case ftFolder: {
        showT1 = showB1 = true;
        QPushButton* b1 = EnsureB1();
        int buttonWidth = PixelsToTwipsX(b1->sizeHint().width());
        t1_->setGeometry(editorLeft, 0, PxX(editorWidth_ - buttonWidth - 100), editorHeight);
        b1->setGeometry(t1_->x() + t1_->width() + PxX(100), t1_->y(), TwipsToPixelsX(buttonWidth),
                        editorHeight);
        break;
    }
    case ftCheck: {
        showCh1 = true;
        QCheckBox* ch1 = EnsureCh1();
        // Level with the caption, inside the row.
        int top = l1_->y();
        int h = std::max(1, std::min(ch1->sizeHint().height(), PxY(PixelsToTwipsY(editorHeight) + 50) - top));
        ch1->setGeometry(editorLeft, top, PxX(editorWidth_), h);
        break;
    }
    case ftCombo:
        showC1 = true;
        EnsureC1()->setGeometry(editorLeft, 0, PxX(editorWidth_), editorHeight);
        break;
    default:
        break;
    }
    // The row's height follows the text box's, whichever editor shows.
    if (!showT1) t1_->resize(t1_->width(), editorHeight);
    t1_->setVisible(showT1);
    if (b1_) b1_->setVisible(showB1);
    if (c1_) c1_->setVisible(showC1);
    if (ch1_) ch1_->setVisible(showCh1);

    rowHeight_ = PixelsToTwipsY(t1_->height()) + 50;
    int rowPixels = PxY(rowHeight_);
    if (height() != rowPixels) resize(this->width(), rowPixels);
    inLayout_ = false;
}

void VexField::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Layout();
}

void VexField::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange && t1_) {
        MeasureEditors();
        Layout();
    }
}

bool VexField::eventFilter(QObject* watched, QEvent* event) {
    if (watched == l1_ && event->type() == QEvent::MouseButtonDblClick) {
        ShowHelp();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void VexField::Browse() {
    std::string chosen;
    if (type_ == ftFile)
        chosen = OpenFileDialog("Browse", {}, BrowseFilter(), 1, true, window());
    else if (type_ == ftFolder)
        chosen = BrowseForFolder("Please select a folder:", window());
    if (!chosen.empty()) t1_->setText(FromAnsi(chosen));
}

void VexField::ShowHelp() {
    VexMsg help(window());
    help.Text(def_[fdHelp]);
    help.exec();
}

} // namespace z9
