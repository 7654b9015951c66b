#include "P8DT.h"

#include "common/AccessibleCaption.h"
#include "common/CodePageQt.h"
#include "common/P8LocaleSettings.h"
#include "common/Twips.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QBasicTimer>
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QTimerEvent>

#include <algorithm>

namespace z9 {
namespace {

// Design-time sizes, in twips.
constexpr int kDesignWidth = 1500;
constexpr int kSpinWidth = 240;
constexpr int kSpinInset = 30;

// The text box, locked against typing, still shows where its cursor stands:
// that is the part + and - and the spin bar step. A read-only QLineEdit draws
// no cursor of its own, so this one draws it, blinking as the desktop's does.
class LockedTextBox : public QLineEdit {
public:
    explicit LockedTextBox(QWidget* parent) : QLineEdit(parent) {
        connect(this, &QLineEdit::cursorPositionChanged, this, [this] { RestartBlink(); });
        connect(this, &QLineEdit::selectionChanged, this, [this] { update(); });
    }

protected:
    void paintEvent(QPaintEvent* event) override {
        QLineEdit::paintEvent(event);
        if (!isReadOnly() || !hasFocus() || hasSelectedText() || !caretShown_) return;
        const QRect place = cursorRect();
        const int width = std::max(1, style()->pixelMetric(QStyle::PM_TextCursorWidth, nullptr, this));
        QPainter painter(this);
        painter.fillRect(QRect(CaretX(place), place.top(), width, place.height()), palette().text());
    }
    void focusInEvent(QFocusEvent* event) override {
        QLineEdit::focusInEvent(event);
        RestartBlink();
    }
    void focusOutEvent(QFocusEvent* event) override {
        QLineEdit::focusOutEvent(event);
        blink_.stop();
        update();
    }
    void timerEvent(QTimerEvent* event) override {
        if (event->timerId() != blink_.timerId()) return QLineEdit::timerEvent(event);
        caretShown_ = !caretShown_;
        update();
    }

private:
    // QLineEdit's cursor rectangle reaches a few pixels either side of the
    // cursor's own position.
    static int CaretX(const QRect& place) { return place.left() + 5; }

    void RestartBlink() {
        caretShown_ = true;
        const int flash = QApplication::cursorFlashTime();
        if (hasFocus() && flash > 0)
            blink_.start(flash / 2, this);
        else
            blink_.stop();
        update();
    }

    QBasicTimer blink_;
    bool caretShown_ = true;
};

// For a screen reader the spin bar is a spin button whose increase steps the
// part up: the bar's own value runs the other way (a click on its upper arrow
// lowers it), which would read backwards.
class SpinInterface : public QAccessibleWidget {
public:
    explicit SpinInterface(QWidget* bar) : QAccessibleWidget(bar, QAccessible::SpinBox) {}
    QStringList actionNames() const override { return {increaseAction(), decreaseAction()}; }
    void doAction(const QString& name) override {
        auto* owner = qobject_cast<P8DT*>(widget()->parentWidget());
        if (!owner || !widget()->isEnabled()) return;
        if (name == increaseAction())
            owner->P8IncCh(1);
        else if (name == decreaseAction())
            owner->P8IncCh(-1);
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }
    AccessibleRelations relations(QAccessible::Relation match) const override {
        return WithCaptionRelations(QAccessibleWidget::relations(match), object(), match);
    }
};

QAccessibleInterface* SpinFactory(const QString& key, QObject* object) {
    if (key != QLatin1String("QScrollBar") || object->objectName() != QLatin1String("P8Inc")) return nullptr;
    auto* bar = static_cast<QWidget*>(object);
    return qobject_cast<P8DT*>(bar->parentWidget()) ? new SpinInterface(bar) : nullptr;
}

} // namespace

P8DT::P8DT(QWidget* parent)
    : QWidget(parent), txt1_(new LockedTextBox(this)), p8Inc_(new QScrollBar(Qt::Vertical, this)),
      lookup_(GetLocaleString) {
    static const bool spinSpeaks = (QAccessible::installFactory(SpinFactory), true);
    (void)spinSpeaks;
    txt1_->setObjectName(QStringLiteral("TxT1"));
    p8Inc_->setObjectName(QStringLiteral("P8Inc"));
    txt1_->installEventFilter(this);
    // The text keeps clear of the spin bar that sits inside its right edge.
    txt1_->setTextMargins(0, 0, TwipsToPixelsX(kSpinWidth + kSpinInset), 0);

    p8Inc_->setRange(0, 32767);
    p8Inc_->setSingleStep(1);
    p8Inc_->setPageStep(1);
    p8Inc_->setFocusPolicy(Qt::NoFocus);
    p8Inc_->setFocusProxy(txt1_);
    setFocusProxy(txt1_);
    setFocusPolicy(Qt::StrongFocus);
    connect(p8Inc_, &QScrollBar::valueChanged, this, &P8DT::SpinChanged);

    SetP8Date(true);
    P8Locked(true);
    p8Inc_->setValue(kSpinRest);
    lastSpin_ = kSpinRest;
    resize(sizeHint());
    LayOut();
}

std::string P8DT::P8GetLocale(int P8LSet) const {
    std::string value = lookup_ ? lookup_(P8LSet) : std::string();
    // The value ends at its terminating zero and fits the 255-character buffer.
    value = value.substr(0, value.find('\0'));
    if (value.size() > 254) value.resize(254);
    return value;
}

void P8DT::SetAccessibleCaption(const QString& caption) {
    setAccessibleName(caption);
    txt1_->setAccessibleName(caption);
    p8Inc_->setAccessibleName(caption);
}

void P8DT::SetCaptionLabel(QLabel* label) {
    RelateCaption(label, txt1_);
    RelateCaption(label, p8Inc_);
}

void P8DT::P8Locked(bool P8Lk) {
    txt1_->setReadOnly(P8Lk);
}

void P8DT::SetP8Date(bool b) {
    lastError_ = SetupMode(format_, b, [this](int type) { return P8GetLocale(type); });
}

DateTime P8DT::Value() const {
    return ReadText(format_, ToAnsi(txt1_->text())).value_or(kZeroDate);
}

void P8DT::SetValue(const DateTime& v) {
    txt1_->setText(FromAnsi(WriteValue(format_, v)));
    emit DateChanged(v);
}

void P8DT::P8IncCh(int P8Val) {
    std::string text = ToAnsi(txt1_->text());
    int selLength = txt1_->selectionLength();
    int cursor = selLength > 0 ? txt1_->selectionStart() : txt1_->cursorPosition();
    std::optional<StepResult> stepped = StepText(format_, text, cursor, P8Val);
    if (!stepped) return;
    txt1_->setText(FromAnsi(stepped->Text));
    if (selLength > 0)
        txt1_->setSelection(stepped->Cursor, selLength);
    else
        txt1_->setCursorPosition(stepped->Cursor);
    emit DateChanged(Value());
}

QFont P8DT::Font() const {
    return txt1_->font();
}

void P8DT::SetFont(const QFont& font) {
    txt1_->setFont(font);
    updateGeometry();
}

void P8DT::SetLocaleLookup(LocaleLookup lookup) {
    lookup_ = std::move(lookup);
}

QSize P8DT::sizeHint() const {
    return {TwipsToPixelsX(kDesignWidth), txt1_->sizeHint().height()};
}

QSize P8DT::minimumSizeHint() const {
    return {TwipsToPixelsX(kSpinWidth * 3), txt1_->minimumSizeHint().height()};
}

void P8DT::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    LayOut();
}

void P8DT::LayOut() {
    txt1_->setGeometry(0, 0, width(), height());
    int textWidth = PixelsToTwipsX(txt1_->width());
    int textHeight = PixelsToTwipsY(txt1_->height());
    p8Inc_->setGeometry(TwipsToPixelsX(textWidth - kSpinWidth - kSpinInset), TwipsToPixelsY(kSpinInset),
                        TwipsToPixelsX(kSpinWidth), TwipsToPixelsY(textHeight - 2 * kSpinInset));
}

void P8DT::SpinChanged(int value) {
    if (value == lastSpin_) return;
    P8IncCh(value < lastSpin_ ? 1 : -1);
    p8Inc_->setValue(kSpinRest); // comes back here with the rest value: nothing more happens
    txt1_->setFocus();
}

bool P8DT::eventFilter(QObject* watched, QEvent* event) {
    if (watched == txt1_ && event->type() == QEvent::KeyPress) {
        const QString key = static_cast<QKeyEvent*>(event)->text();
        if (key == QLatin1String("+")) {
            P8IncCh(1);
            return true;
        }
        if (key == QLatin1String("-")) {
            P8IncCh(-1);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace z9
