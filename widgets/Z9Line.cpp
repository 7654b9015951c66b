#include "Z9Line.h"

#include "common/Twips.h"
#include "widgets/DrawingSurface.h"

#include <atomic>

namespace z9 {
namespace {

const QColor kGrey(0x84, 0x84, 0x84);
const QColor kWhite(0xFF, 0xFF, 0xFF);
constexpr float kOffset = 15; // the white line, beside the grey one

// A window's size in twips: the outer size of a top-level window, as it is stated for forms.
QSize SizeInTwips(const QWidget* frm) {
    QSize px = frm->isWindow() ? frm->frameGeometry().size() : frm->size();
    return {PixelsToTwipsX(px.width()), PixelsToTwipsY(px.height())};
}

} // namespace

Z9Line::Z9Line() {
    static std::atomic<unsigned long long> next{0};
    key_ = "Z9Line#" + std::to_string(++next);
}

void Z9Line::InitZ9Line(float x, float Y, QWidget* frm, bool LVertical, bool LDbl, float l) {
    frm_ = frm;
    if (frm) DrawingSurface::Of(frm);
    Clear();
    x_ = x;
    y_ = Y;
    l_ = l;
    dbl_ = LDbl;
    vertical_ = LVertical;
    Refresh();
}

float Z9Line::Length() const {
    if (l_ != 0 || !frm_) return l_;
    QSize size = SizeInTwips(frm_);
    return vertical_ ? size.height() - 2 * y_ - 350 : size.width() - 2 * x_ - 100;
}

void Z9Line::Refresh() {
    Paint(false);
}

void Z9Line::Clear() {
    Paint(true);
}

void Z9Line::Paint(bool erase) {
    if (!frm_) return;
    const float length = Length();
    auto at = [](float xTw, float yTw) { return QPoint(TwipsToPixelsX(xTw), TwipsToPixelsY(yTw)); };
    const QColor background = frm_->palette().color(frm_->backgroundRole());
    std::vector<DrawingSurface::Stroke> strokes;
    if (vertical_) {
        if (dbl_) strokes.push_back({QLine(at(x_, y_), at(x_, y_ + length)), kGrey});
        strokes.push_back({QLine(at(x_ + kOffset, y_), at(x_ + kOffset, y_ + length)), kWhite});
    } else {
        if (dbl_) strokes.push_back({QLine(at(x_, y_), at(x_ + length, y_)), kGrey});
        strokes.push_back({QLine(at(x_, y_ + kOffset), at(x_ + length, y_ + kOffset)), kWhite});
    }
    if (erase)
        for (auto& stroke : strokes)
            stroke.color = background;
    DrawingSurface::Of(frm_)->Draw(key_, std::move(strokes));
}

} // namespace z9
