#include "VexButton.h"

#include "common/CodePageQt.h"
#include "common/Twips.h"
#include "widgets/ControlText.h"

#include <QEnterEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

namespace z9 {
namespace {

// Layout, in twips.
constexpr int kLeft = 100;        // picture (or text) from the left edge
constexpr int kTextGap = 100;     // text after the picture
constexpr int kRightMargin = 500; // natural width past the text
constexpr int kFixedMargin = 200; // fixed height over the text's
constexpr int kPictureMargin = 100;
// Design-time size.
constexpr int kDesignWidth = 1200;
constexpr int kDesignHeight = 375;

// Hover and pressed looks: a light wash of the selection colour inside an
// etched edge, raised under the pointer and sunken while pressed.
constexpr int kHoverAlpha = 26;
constexpr int kDownAlpha = 52;

void Bevel(QPainter& p, const QRect& r, const QColor& topLeft, const QColor& bottomRight) {
    p.setPen(topLeft);
    p.drawLine(r.topLeft(), r.topRight());
    p.drawLine(r.topLeft(), r.bottomLeft());
    p.setPen(bottomRight);
    p.drawLine(r.bottomLeft(), r.bottomRight());
    p.drawLine(r.topRight(), r.bottomRight());
}

} // namespace

VexButton::VexButton(QWidget* parent)
    : QWidget(parent), image1_(new QLabel(this)), label1_(new QLabel(this)) {
    InstallVexAccessibility();
    image1_->setObjectName(QStringLiteral("Image1"));
    label1_->setObjectName(QStringLiteral("Label1"));
    label1_->setTextFormat(Qt::PlainText);
    image1_->hide();
    label1_->installEventFilter(this);

    // The hand is the control's own pointer; the picture and the label take it too.
    for (QWidget* w :
         {static_cast<QWidget*>(this), static_cast<QWidget*>(image1_), static_cast<QWidget*>(label1_)})
        w->setCursor(Qt::PointingHandCursor);

    // Reached by Tab, not by clicks, so a click leaves the focus (and the
    // selection of an edit box) where it was.
    setFocusPolicy(Qt::TabFocus);
    resize(TwipsToPixelsX(kDesignWidth), TwipsToPixelsY(kDesignHeight));
    LayOut();
}

std::string VexButton::Caption() const {
    return caption_;
}

void VexButton::SetCaption(const std::string& caption) {
    caption_ = caption;
    label1_->setText(ControlText(caption));
    LayOut();
    AccessibleNameChanged(this);
}

void VexButton::SetFixedSize(bool fixed) {
    fixedSize_ = fixed;
    LayOut();
}

void VexButton::BImage(const QPixmap& picture) {
    image1_->setPixmap(picture);
    image1_->resize(picture.deviceIndependentSize().toSize());
    image1_->show();
    hasPicture_ = true;
    LayOut();
}

void VexButton::ReCalc() {
    LayOut();
}

void VexButton::DisablePointer() {
    unsetCursor();
    image1_->unsetCursor();
    label1_->unsetCursor();
}

bool VexButton::EnabledM() const {
    return !testAttribute(Qt::WA_ForceDisabled);
}

void VexButton::SetEnabledM(bool enabled) {
    setEnabled(enabled);
    label1_->setEnabled(enabled);
    image1_->setEnabled(enabled);
}

void VexButton::ToolT(const std::string& text) {
    QString tip = FromAnsi(text);
    image1_->setToolTip(tip);
    label1_->setToolTip(tip);
    AccessibleNameChanged(this);
}

QFont VexButton::Font() const {
    return label1_->font();
}

void VexButton::SetFont(const QFont& font) {
    label1_->setFont(font); // the label's font change lays out again
}

QColor VexButton::FontColor() const {
    return label1_->palette().color(QPalette::Active, QPalette::WindowText);
}

// Disabled text keeps the system's grey.
void VexButton::SetFontColor(const QColor& color) {
    QPalette pal = label1_->palette();
    pal.setColor(QPalette::Active, QPalette::WindowText, color);
    pal.setColor(QPalette::Inactive, QPalette::WindowText, color);
    label1_->setPalette(pal);
}

// The label's size for its text in its font (measured here, so a font just
// set counts at once); an empty text keeps the height of a line.
QSize VexButton::TextSize() const {
    const QFontMetrics fm = label1_->fontMetrics();
    if (label1_->text().isEmpty()) return {0, fm.height()};
    return fm.size(Qt::TextExpandTabs, label1_->text());
}

bool VexButton::Down() const {
    return (mouseDown_ && mouseInside_) || keyDown_;
}

void VexButton::ShowFocusOf(QWidget* owner) {
    focusOwner_ = owner;
    update();
}

void VexButton::SetAccessibleRole(QAccessible::Role role) {
    role_ = role;
}

QString VexButton::AccessibleText() const {
    QString name = label1_->text().simplified();
    return name.isEmpty() ? label1_->toolTip() : name;
}

void VexButton::AccessiblePress() {
    emit ButtonClick();
}

// All in twips; H is the control's height. The label sizes itself to its text.
void VexButton::LayOut() {
    if (layingOut_) return;
    layingOut_ = true;
    const QSize text = TextSize();
    const int labelWidth = PixelsToTwipsX(text.width());
    const int labelHeight = PixelsToTwipsY(text.height());
    const int pictureWidth = hasPicture_ ? PixelsToTwipsX(image1_->width()) : 0;
    const int pictureHeight = hasPicture_ ? PixelsToTwipsY(image1_->height()) : 0;

    const int labelLeft = hasPicture_ ? kLeft + pictureWidth + kTextGap : kLeft;
    naturalWidth_ = labelLeft + labelWidth + kRightMargin;
    // The text's height + 200; a picture taller than that would be cut, so
    // the button then grows to the picture's height + 100.
    int fixedHeight = labelHeight + kFixedMargin;
    if (hasPicture_) fixedHeight = std::max(fixedHeight, pictureHeight + kPictureMargin);
    if (fixedSize_) resize(TwipsToPixelsX(naturalWidth_), TwipsToPixelsY(fixedHeight));
    const int H = PixelsToTwipsY(this->height());
    int labelTop = (H - labelHeight) / 2;
    if (fixedSize_) labelTop = (fixedHeight - labelHeight) / 2; // 100 unless a picture is taller
    if (hasPicture_) image1_->move(TwipsToPixelsX(kLeft), TwipsToPixelsY((H - pictureHeight) / 2));
    // The accented capitals of some fonts rise above the font's ascent: the
    // label reaches into the margin by as much, its text where the line puts it.
    const QMargins ink = InkOverhang(label1_->fontMetrics(), label1_->text());
    label1_->setContentsMargins(0, ink.top(), 0, ink.bottom());
    label1_->setGeometry(QRect(QPoint(TwipsToPixelsX(labelLeft), TwipsToPixelsY(labelTop)), text)
                             .marginsAdded(QMargins(0, ink.top(), 0, ink.bottom())));
    layingOut_ = false;
    update();
    emit LaidOut();
}

void VexButton::SetHovered(bool hovered) {
    if (hovered_ == hovered) return;
    hovered_ = hovered;
    update();
}

bool VexButton::ShowsFocus() const {
    return hasFocus() || (focusOwner_ && focusOwner_->hasFocus());
}

bool VexButton::eventFilter(QObject* watched, QEvent* event) {
    if (watched == label1_ && event->type() == QEvent::FontChange) LayOut();
    return QWidget::eventFilter(watched, event);
}

void VexButton::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    LayOut();
}

void VexButton::paintEvent(QPaintEvent*) {
    if (!isEnabled()) return;
    QPainter p(this);
    const QPalette& pal = palette();
    const QRect r = rect();
    if (Down() || hovered_) {
        QColor wash = pal.color(QPalette::Highlight);
        wash.setAlpha(Down() ? kDownAlpha : kHoverAlpha);
        p.fillRect(rect(), wash);
        const QColor shadow = pal.color(QPalette::Dark);
        const QColor light = pal.color(QPalette::Light);
        if (Down())
            Bevel(p, r, shadow, light);
        else
            Bevel(p, r, light, shadow);
    }
    if (ShowsFocus()) {
        QPen dotted(pal.color(QPalette::WindowText), 0, Qt::DotLine);
        p.setPen(dotted);
        p.setBrush(Qt::NoBrush);
        p.drawRect(r.adjusted(2, 2, -3, -3));
    }
}

void VexButton::enterEvent(QEnterEvent* event) {
    QWidget::enterEvent(event);
    SetHovered(true);
}

void VexButton::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    SetHovered(false);
}

// Presses and releases over the picture or the label arrive here too: the
// labels pass them on to the control.
void VexButton::mousePressEvent(QMouseEvent* event) {
    mouseDown_ = true;
    mouseInside_ = true;
    update();
    event->accept();
    emit MouseDown();
}

void VexButton::mouseMoveEvent(QMouseEvent* event) {
    if (!mouseDown_) return;
    const bool inside = rect().contains(event->position().toPoint());
    if (inside != mouseInside_) {
        mouseInside_ = inside;
        update();
    }
}

void VexButton::mouseReleaseEvent(QMouseEvent* event) {
    const bool over = rect().contains(event->position().toPoint());
    if (event->buttons() == Qt::NoButton) mouseDown_ = false;
    mouseInside_ = over;
    SetHovered(over);
    update();
    event->accept();
    if (over) emit ButtonClick();
}

void VexButton::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Space:
        if (!event->isAutoRepeat()) {
            keyDown_ = true;
            update();
        }
        event->accept();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        event->accept();
        emit ButtonClick();
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

void VexButton::keyReleaseEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Space && !event->isAutoRepeat()) {
        event->accept();
        if (!keyDown_) return;
        keyDown_ = false;
        update();
        emit ButtonClick();
        return;
    }
    QWidget::keyReleaseEvent(event);
}

void VexButton::focusOutEvent(QFocusEvent* event) {
    keyDown_ = false;
    QWidget::focusOutEvent(event);
    update();
}

// Disabled or hidden, the button forgets the pointer and the keys it had.
void VexButton::Rest() {
    mouseDown_ = mouseInside_ = keyDown_ = hovered_ = false;
    update();
}

void VexButton::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::EnabledChange && !isEnabled()) Rest();
}

void VexButton::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    Rest();
}

} // namespace z9
