#include "VexItem.h"

#include "common/CodePage.h"
#include "common/PathParts.h"
#include "widgets/VexButton.h"

#include <QKeyEvent>

namespace z9 {

VexItem::VexItem(QWidget* parent) : QWidget(parent), l1_(new VexButton(this)) {
    InstallVexAccessibility();
    l1_->setObjectName(QStringLiteral("L1"));
    l1_->SetAccessibleRole(QAccessible::Link);
    // The item is the link the keyboard reaches; its button shows the focus.
    setFocusPolicy(Qt::TabFocus);
    l1_->setFocusPolicy(Qt::NoFocus);
    l1_->ShowFocusOf(this);
    l1_->SetFixedSize(true);
    connect(l1_, &VexButton::ButtonClick, this, [this] { emit MClick(Caption(), Link); });
    // A picture or a font given after the caption changes the button's size;
    // the item follows, so the end of the text is never cut off.
    connect(l1_, &VexButton::LaidOut, this, &VexItem::TakeButtonSize);
    LayOut();
}

std::string VexItem::Caption() const {
    return l1_->Caption();
}

void VexItem::SetCaption(const std::string& caption) {
    if (!caption.empty()) {
        l1_->SetCaption(caption);
    } else if (auto parts = SplitPath(Link)) {
        l1_->SetCaption(parts->File);
    }
    l1_->ToolT(Link);
    LayOut();
    AccessibleNameChanged(this);
}

void VexItem::BImage(const QPixmap& picture) {
    l1_->BImage(picture);
}

QFont VexItem::Font() const {
    return l1_->Font();
}

void VexItem::SetFont(const QFont& font) {
    l1_->SetFont(font);
}

QColor VexItem::FontColor() const {
    return l1_->FontColor();
}

void VexItem::SetFontColor(const QColor& color) {
    l1_->SetFontColor(color);
}

QString VexItem::AccessibleText() const {
    return l1_->AccessibleText();
}

void VexItem::AccessiblePress() {
    l1_->AccessiblePress();
}

// L1 at the top-left corner, given the item's height unless it sizes itself,
// laid out; the item takes its size.
void VexItem::LayOut() {
    if (layingOut_) return;
    layingOut_ = true;
    l1_->move(0, 0);
    if (!l1_->FixedSize()) l1_->resize(l1_->width(), height());
    l1_->ReCalc();
    resize(l1_->size());
    layingOut_ = false;
}

void VexItem::TakeButtonSize() {
    if (layingOut_ || size() == l1_->size()) return;
    layingOut_ = true;
    resize(l1_->size());
    layingOut_ = false;
}

void VexItem::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    LayOut();
}

void VexItem::keyPressEvent(QKeyEvent* event) {
    l1_->keyPressEvent(event);
}

void VexItem::keyReleaseEvent(QKeyEvent* event) {
    l1_->keyReleaseEvent(event);
}

void VexItem::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    l1_->update();
}

void VexItem::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    l1_->keyDown_ = false;
    l1_->update();
}

} // namespace z9
