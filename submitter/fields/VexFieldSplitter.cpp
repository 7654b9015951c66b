#include "VexFieldSplitter.h"

#include "common/CodePageQt.h"
#include "common/Twips.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace z9 {
namespace {

// Design-time sizes, in twips.
constexpr int kRowHeight = 375;
constexpr int kImageSize = 240;
constexpr int kImageLeft = 90;
constexpr int kCaptionGap = 90;
constexpr int kCheckPadding = 120;

// The row's background: a header band in the window's button colours.
class RowBackground : public QFrame {
public:
    using QFrame::QFrame;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        const QPalette& pal = palette();
        QLinearGradient band(0, 0, 0, height());
        band.setColorAt(0, pal.color(QPalette::Button).lighter(108));
        band.setColorAt(1, pal.color(QPalette::Button).darker(106));
        p.fillRect(rect(), band);
        p.setPen(pal.color(QPalette::Light));
        p.drawLine(0, 0, width() - 1, 0);
        p.setPen(pal.color(QPalette::Mid));
        p.drawLine(0, height() - 1, width() - 1, height() - 1);
    }
};

// The step mark at the row's left: a round badge with a run arrow.
QPixmap StepImage(int size, const QPalette& pal) {
    const qreal ratio = 2;
    QPixmap pixmap(QSize(size, size) * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QColor badge = pal.color(QPalette::Highlight);
    p.setPen(badge.darker(125));
    p.setBrush(badge);
    p.drawEllipse(QRectF(0.5, 0.5, size - 1, size - 1));
    QPainterPath arrow;
    arrow.moveTo(size * 0.38, size * 0.27);
    arrow.lineTo(size * 0.74, size * 0.5);
    arrow.lineTo(size * 0.38, size * 0.73);
    arrow.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(pal.color(QPalette::HighlightedText));
    p.drawPath(arrow);
    return pixmap;
}

} // namespace

VexFieldSplitter::VexFieldSplitter(QWidget* parent)
    : QWidget(parent), picture1_(new RowBackground(this)), image1_(new QLabel(picture1_)),
      label1_(new QLabel(picture1_)), check1_(new QCheckBox(QStringLiteral("Execute"), picture1_)) {
    picture1_->setObjectName(QStringLiteral("Picture1"));
    image1_->setObjectName(QStringLiteral("Image1"));
    label1_->setObjectName(QStringLiteral("Label1"));
    check1_->setObjectName(QStringLiteral("Check1"));

    picture1_->setFixedHeight(TwipsToPixelsY(kRowHeight));
    const int imageSize = TwipsToPixelsX(kImageSize);
    image1_->setPixmap(StepImage(imageSize, palette()));
    image1_->setGeometry(TwipsToPixelsX(kImageLeft), (picture1_->height() - imageSize) / 2, imageSize,
                         imageSize);

    QFont captionFont(QStringLiteral("Tahoma"), 8);
    captionFont.setBold(true);
    label1_->setFont(captionFont);
    label1_->setTextFormat(Qt::PlainText); // a step name is text, never markup
    check1_->setFont(QFont(QStringLiteral("Tahoma"), 8));
    // Every change of the box is the user's (mouse, keyboard, or an assistive
    // tool's toggle action), except the row's own writes.
    connect(check1_, &QCheckBox::toggled, this, [this] {
        if (!busy_) emit Checked(RowNumber, Check());
    });

    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setFixedHeight(picture1_->height());
    resize(sizeHint());
    LayOut();
}

std::string VexFieldSplitter::Caption() const {
    return ToAnsi(label1_->text());
}

// Qt fonts carry no character set (glyphs follow the characters), so the
// program's character set needs no copying here; the check box takes Tahoma.
void VexFieldSplitter::SetCaption(const std::string& caption) {
    QString text = FromAnsi(caption);
    label1_->setText(text);
    setAccessibleName(text);
    // "Execute" alone does not say which step a screen reader stands on.
    check1_->setAccessibleName(QStringLiteral("Execute ") + text);
    QFont checkFont = check1_->font();
    checkFont.setFamily(QStringLiteral("Tahoma"));
    check1_->setFont(checkFont);
    LayOut();
}

int VexFieldSplitter::Check() const {
    if (!check1_->isEnabledTo(picture1_)) return kAlwaysRuns;
    return check1_->checkState() == Qt::Unchecked ? kSkipped : kRuns;
}

void VexFieldSplitter::SetCheck(int value) {
    busy_ = true;
    check1_->setEnabled(value != kAlwaysRuns);
    check1_->setChecked(value == kRuns || value == kAlwaysRuns);
    busy_ = false;
}

QSize VexFieldSplitter::sizeHint() const {
    int width = TwipsToPixelsX(kImageLeft + kImageSize + kCaptionGap) + label1_->sizeHint().width() +
                check1_->sizeHint().width() + TwipsToPixelsX(kCheckPadding * 2);
    return {width, picture1_->height()};
}

QSize VexFieldSplitter::minimumSizeHint() const {
    return {0, picture1_->height()};
}

void VexFieldSplitter::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    LayOut();
}

// The row has the background's fixed height; the background takes the row's
// width; the check box sits at the background's right end, full height.
void VexFieldSplitter::LayOut() {
    if (height() != picture1_->height()) setFixedHeight(picture1_->height());
    if (picture1_->width() != width()) picture1_->resize(width(), picture1_->height());

    const QRect inner = picture1_->contentsRect();
    const int checkWidth = check1_->sizeHint().width() + TwipsToPixelsX(kCheckPadding);
    check1_->setGeometry(inner.right() + 1 - checkWidth, inner.top(), checkWidth, inner.height());

    const int captionHeight = label1_->sizeHint().height();
    const int captionLeft = image1_->geometry().right() + 1 + TwipsToPixelsX(kCaptionGap);
    label1_->setGeometry(captionLeft, image1_->y() + (image1_->height() - captionHeight) / 2,
                         qMax(0, check1_->x() - captionLeft), captionHeight);
}

} // namespace z9
