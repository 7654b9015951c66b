#include "VexLine.h"

#include "common/Twips.h"

#include <QPainter>

namespace z9 {
namespace {

// Design-time geometry, in twips: the lines start this far in from the edge.
constexpr int kStart = 30;
constexpr int kThickness = 30;
constexpr int kLength = 1500;

} // namespace

VexLine::VexLine(bool vertical, QWidget* parent) : QWidget(parent), vertical_(vertical) {
    InstallVexAccessibility();
    // Button shadow above (left of) the 3-D highlight.
    shadow_.Color = QPalette::Dark;
    highlight_.Color = QPalette::Light;
    shadow_.X1 = vertical ? 0 : kStart;
    shadow_.Y1 = vertical ? kStart : 0;
    setSizePolicy(vertical ? QSizePolicy::Fixed : QSizePolicy::Expanding,
                  vertical ? QSizePolicy::Expanding : QSizePolicy::Fixed);
    resize(sizeHint());
    LayOut();
}

QSize VexLine::sizeHint() const {
    return vertical_ ? QSize(TwipsToPixelsX(kThickness), TwipsToPixelsY(kLength))
                     : QSize(TwipsToPixelsX(kLength), TwipsToPixelsY(kThickness));
}

void VexLine::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    LayOut();
}

void VexLine::LayOut() {
    if (vertical_) {
        shadow_.X2 = shadow_.X1;
        shadow_.Y2 = PixelsToTwipsY(height()) - shadow_.Y1;
        highlight_.Y1 = shadow_.Y1;
        highlight_.Y2 = shadow_.Y2;
        highlight_.X1 = highlight_.X2 = shadow_.X1 + static_cast<int>(TwipsPerPixelX() + 0.5);
    } else {
        shadow_.Y2 = shadow_.Y1;
        shadow_.X2 = PixelsToTwipsX(width()) - shadow_.X1;
        highlight_.X1 = shadow_.X1;
        highlight_.X2 = shadow_.X2;
        highlight_.Y1 = highlight_.Y2 = shadow_.Y1 + static_cast<int>(TwipsPerPixelY() + 0.5);
    }
    update();
}

void VexLine::paintEvent(QPaintEvent*) {
    QPainter p(this);
    for (const Shape* shape : {&shadow_, &highlight_}) {
        p.setPen(QPen(palette().color(shape->Color), 0));
        QPoint from(TwipsToPixelsX(shape->X1), TwipsToPixelsY(shape->Y1));
        QPoint to(TwipsToPixelsX(shape->X2), TwipsToPixelsY(shape->Y2));
        // The end point itself is not drawn.
        if (vertical_)
            to.ry() -= 1;
        else
            to.rx() -= 1;
        p.drawLine(from, to);
    }
}

} // namespace z9
