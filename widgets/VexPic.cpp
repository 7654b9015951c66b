#include "VexPic.h"

#include "common/Twips.h"
#include "widgets/ControlText.h"
#include "widgets/WindowTimer.h"

namespace z9 {
namespace {

constexpr int kInterval = 35; // ms a character
constexpr int kLeft = 100;    // twips, with FixedPos
constexpr int kDesignWidth = 4800;
constexpr int kDesignHeight = 480;

} // namespace

VexPic::VexPic(QWidget* parent)
    : TextSurface(parent), timer1_(new WindowTimer(QStringLiteral("Timer1"), kInterval, this)) {
    InstallVexAccessibility();
    connect(timer1_, &WindowTimer::Timer, this, &VexPic::Tick);
    resize(TwipsToPixelsX(kDesignWidth), TwipsToPixelsY(kDesignHeight));
}

void VexPic::SetCaption(const std::string& caption) {
    caption_ = caption;
    text_ = ControlText(caption);
    shown_ = 0;
    timer1_->SetEnabled(true);
    // Unless fixed, the control is as high as the text, with room for the
    // accents above its first line and the marks below its last.
    const QMargins ink = fixedPos_ ? QMargins() : InkOverhang(fontMetrics(), text_);
    SetInkRoom(ink.top());
    if (!fixedPos_) resize(width(), TwipsToPixelsY(TextHeight(text_)) + ink.top() + ink.bottom());
    AccessibleNameChanged(this);
}

short VexPic::Inter() const {
    return static_cast<short>(timer1_->Interval());
}

void VexPic::SetInter(short ms) {
    timer1_->SetInterval(ms);
}

bool VexPic::AccessibleBusy() const {
    return timer1_->Running();
}

void VexPic::Tick() {
    const int n = shown_;
    Cls();
    const QString part = text_.left(n);
    if (fixedPos_) {
        Print(part, kLeft, CentredTop(LineHeight()));
    } else {
        Print(part, 0, 0);
    }
    ++shown_;
    if (n == text_.size()) {
        timer1_->SetEnabled(false);
        emit Complete();
    }
}

} // namespace z9
