#include "TextSurface.h"

#include "common/Twips.h"

#include <QPainter>

namespace z9 {

TextSurface::TextSurface(QWidget* parent) : QWidget(parent) {}

QColor TextSurface::FontColor() const {
    return palette().color(QPalette::Active, QPalette::WindowText);
}

void TextSurface::SetFontColor(const QColor& color) {
    QPalette pal = palette();
    pal.setColor(QPalette::Active, QPalette::WindowText, color);
    pal.setColor(QPalette::Inactive, QPalette::WindowText, color);
    setPalette(pal);
}

void TextSurface::Cls() {
    printed_.clear();
    left_ = top_ = 0;
    update();
}

void TextSurface::Print(const QString& text, int left, int top) {
    printed_ = text;
    left_ = left;
    top_ = top;
    update();
}

int TextSurface::TextHeight(const QString& text) const {
    const int lines = static_cast<int>(text.count(QLatin1Char('\n'))) + 1;
    return PixelsToTwipsY(lines * fontMetrics().height());
}

int TextSurface::CentredTop(int textHeight) const {
    return (PixelsToTwipsY(height()) - textHeight) / 2;
}

void TextSurface::SetInkRoom(int pixels) {
    inkRoom_ = pixels;
    update();
}

void TextSurface::paintEvent(QPaintEvent*) {
    if (printed_.isEmpty()) return;
    QPainter p(this);
    p.setPen(palette().color(QPalette::WindowText));
    const int x = TwipsToPixelsX(left_);
    const int y = TwipsToPixelsY(top_) + inkRoom_;
    p.drawText(QRect(x, y, qMax(0, width() - x), 0x7fff), Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip,
               printed_);
}

} // namespace z9
