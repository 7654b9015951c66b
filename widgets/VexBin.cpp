#include "VexBin.h"

#include "common/Twips.h"
#include "widgets/WindowTimer.h"

#include <QEvent>
#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace z9 {
namespace {

constexpr int kInterval = 120;   // ms a bit
constexpr int kDigitWidth = 150; // twips, one digit picture
constexpr int kDigitHeight = 240;
constexpr int kDigitGap = 25; // between two pictures
constexpr int kDesignDigits = 8;

// A digit etched into the surface: drawn in the shadow colour with the
// highlight one pixel below and right of it.
QPixmap DigitPicture(int digit, const QPalette& pal) {
    const QSize size(TwipsToPixelsX(kDigitWidth), TwipsToPixelsY(kDigitHeight));
    const qreal ratio = qMax<qreal>(1, qApp ? qApp->devicePixelRatio() : 1);
    QPixmap pixmap(size * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);

    const qreal w = size.width() - 1;
    const qreal h = size.height() - 1;
    QPainterPath glyph;
    if (digit == 0) {
        glyph.addRoundedRect(QRectF(w * 0.2, h * 0.16, w * 0.56, h * 0.66), w * 0.26, w * 0.26);
    } else {
        glyph.moveTo(w * 0.3, h * 0.3);
        glyph.lineTo(w * 0.52, h * 0.16);
        glyph.lineTo(w * 0.52, h * 0.82);
        glyph.moveTo(w * 0.28, h * 0.82);
        glyph.lineTo(w * 0.76, h * 0.82);
    }
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal pen = qMax<qreal>(1.2, w * 0.15);
    p.strokePath(glyph.translated(1, 1), QPen(pal.color(QPalette::Light), pen));
    p.strokePath(glyph, QPen(pal.color(QPalette::Dark).darker(135), pen));
    return pixmap;
}

} // namespace

VexBin::VexBin(QWidget* parent)
    : QWidget(parent), timer1_(new WindowTimer(QStringLiteral("Timer1"), kInterval, this)),
      random_(std::random_device{}()) {
    InstallVexAccessibility();
    connect(timer1_, &WindowTimer::Timer, this, &VexBin::Tick);
    MakePictures();
    resize(sizeHint());
}

void VexBin::MakePictures() {
    pic_ = {DigitPicture(0, palette()), DigitPicture(1, palette())};
}

int VexBin::PictureWidth() const {
    return PixelsToTwipsX(pic_[0].deviceIndependentSize().width());
}

QSize VexBin::sizeHint() const {
    return {TwipsToPixelsX(kDesignDigits * (kDigitWidth + kDigitGap) - kDigitGap),
            TwipsToPixelsY(kDigitHeight)};
}

void VexBin::MkBin(const std::string& digits) {
    shown_ = digits;
    update();
}

bool VexBin::Enabled() const {
    return timer1_->Enabled();
}

void VexBin::SetEnabled(bool on) {
    timer1_->SetEnabled(on);
}

QString VexBin::AccessibleText() const {
    return QStringLiteral("Binary digits");
}

bool VexBin::AccessibleBusy() const {
    return timer1_->Running();
}

// A uniform number in [0, 1) rounded to the nearest whole number (a half to
// even, so 0.5 gives 0). Digits go from the front until the new one has room,
// also when the control has just become narrower.
void VexBin::Tick() {
    std::uniform_real_distribution<double> uniform(0.0, 1.0);
    const int bit = static_cast<int>(std::nearbyint(uniform(random_)));
    const int capacity = Capacity();
    while (!digits_.empty() && static_cast<int>(digits_.size()) >= capacity)
        digits_.erase(0, 1);
    digits_ += static_cast<char>('0' + bit);
    MkBin(digits_);
}

// Only pictures that fit whole count: a digit's picture and the gap after it.
// Measured at every use, so it follows every resize (also while hidden).
int VexBin::Capacity() const {
    return (PixelsToTwipsX(width()) + kDigitGap) / (PictureWidth() + kDigitGap);
}

void VexBin::paintEvent(QPaintEvent*) {
    QPainter p(this);
    int x = 0; // twips
    for (char c : shown_) {
        const int d = c - '0';
        if (d >= 0 && d < static_cast<int>(pic_.size())) p.drawPixmap(TwipsToPixelsX(x), 0, pic_[d]);
        x += PictureWidth() + kDigitGap;
    }
}

void VexBin::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::PaletteChange) {
        MakePictures();
        update();
    }
}

} // namespace z9
