#include "VexLabel.h"

#include "common/Twips.h"
#include "widgets/ControlText.h"

#include <QEvent>
#include <QLabel>
#include <algorithm>

namespace z9 {
namespace {

constexpr int kDesignWidth = 2400; // twips

} // namespace

VexLabel::VexLabel(QWidget* parent) : QWidget(parent), label1_(new QLabel(this)) {
    InstallVexAccessibility();
    label1_->setObjectName(QStringLiteral("Label1"));
    label1_->setTextFormat(Qt::PlainText);
    label1_->setWordWrap(true);
    label1_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label1_->installEventFilter(this);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    resize(TwipsToPixelsX(kDesignWidth), fontMetrics().height());
    LayOut();
}

void VexLabel::SetCaption(const std::string& caption) {
    caption_ = caption;
    label1_->setText(ControlText(caption));
    LayOut();
    AccessibleNameChanged(this);
}

QFont VexLabel::Font() const {
    return label1_->font();
}

void VexLabel::SetFont(const QFont& font) {
    label1_->setFont(font); // lays out again
}

QColor VexLabel::FontColor() const {
    return label1_->palette().color(QPalette::Active, QPalette::WindowText);
}

void VexLabel::SetFontColor(const QColor& color) {
    QPalette pal = label1_->palette();
    pal.setColor(QPalette::Active, QPalette::WindowText, color);
    pal.setColor(QPalette::Inactive, QPalette::WindowText, color);
    label1_->setPalette(pal);
}

QString VexLabel::AccessibleText() const {
    return label1_->text();
}

// Label1 at the top-left corner, as wide as the control, as high as its text
// needs (one line when empty); the control takes its height.
void VexLabel::LayOut() {
    if (layingOut_) return;
    layingOut_ = true;
    const int width = this->width();
    // Accents above the first line and marks below the last get room inside
    // the label, so they are not cut off.
    const QMargins ink = InkOverhang(label1_->fontMetrics(), label1_->text());
    label1_->setContentsMargins(0, ink.top(), 0, ink.bottom());
    int height = label1_->text().isEmpty() ? label1_->fontMetrics().height() : label1_->heightForWidth(width);
    height = std::max(height, 0);
    label1_->setGeometry(0, 0, width, height);
    if (this->height() != height) resize(width, height);
    layingOut_ = false;
}

bool VexLabel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == label1_ && event->type() == QEvent::FontChange) LayOut();
    return QWidget::eventFilter(watched, event);
}

void VexLabel::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    LayOut();
}

} // namespace z9
