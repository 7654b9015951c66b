#include "VexBlink.h"

#include "common/Twips.h"
#include "widgets/ControlText.h"
#include "widgets/WindowTimer.h"

namespace z9 {
namespace {

constexpr int kInterval = 400; // ms a step
constexpr int kLeft = 100;     // twips
constexpr int kDesignWidth = 2400;
constexpr int kDesignHeight = 375;

} // namespace

VexBlink::VexBlink(QWidget* parent)
    : TextSurface(parent), timer1_(new WindowTimer(QStringLiteral("Timer1"), kInterval, this)) {
    InstallVexAccessibility();
    connect(timer1_, &WindowTimer::Timer, this, &VexBlink::Tick);
    resize(TwipsToPixelsX(kDesignWidth), TwipsToPixelsY(kDesignHeight));
}

void VexBlink::SetCaption(const std::string& caption) {
    caption_ = caption;
    const QString text = ControlText(caption);
    text_ = text + QStringLiteral("...");
    base_ = static_cast<int>(text.size());
    shown_ = base_;
    name_ = text;
    AccessibleNameChanged(this);
}

short VexBlink::Inter() const {
    return static_cast<short>(timer1_->Interval());
}

void VexBlink::SetInter(short ms) {
    timer1_->SetInterval(ms);
}

void VexBlink::Enable(bool on) {
    timer1_->SetEnabled(on);
}

void VexBlink::CapStill(const std::string& text) {
    const QString still = ControlText(text);
    Cls();
    Print(still, kLeft, CentredTop(TextHeight(still)));
    name_ = still;
    AccessibleNameChanged(this);
}

bool VexBlink::AccessibleBusy() const {
    return timer1_->Running();
}

void VexBlink::Tick() {
    const QString part = text_.left(shown_);
    Cls();
    Print(part, kLeft, CentredTop(TextHeight(part)));
    if (shown_ < text_.size())
        ++shown_;
    else
        shown_ = base_;
    if (name_ != text_.left(base_)) {
        name_ = text_.left(base_);
        AccessibleNameChanged(this);
    }
}

} // namespace z9
