#pragma once
// VexBlink: a caption followed by dots that come one by one, three at most,
// and start again ("Loading", "Loading.", "Loading..", "Loading...").
#include "widgets/TextSurface.h"
#include "widgets/VexAccessible.h"

#include <string>

namespace z9 {

class WindowTimer;

class VexBlink : public TextSurface, public AccessibleControl {
    Q_OBJECT
public:
    explicit VexBlink(QWidget* parent = nullptr);

    std::string Caption() const { return caption_; }
    void SetCaption(const std::string& caption);
    short Inter() const;
    void SetInter(short ms);
    // Starts or stops the animation.
    void Enable(bool on);
    // Prints a text once, without dots.
    void CapStill(const std::string& text);

    WindowTimer* Timer1() const { return timer1_; }

    QAccessible::Role AccessibleRole() const override { return QAccessible::StaticText; }
    QString AccessibleText() const override { return name_; }
    bool AccessibleBusy() const override;

public slots:
    void Tick();

private:
    WindowTimer* timer1_;
    std::string caption_;
    QString text_; // the caption and "..."
    int base_ = 0; // the caption's length
    int shown_ = 0;
    QString name_; // what the control says: the caption, or the still text
};

} // namespace z9
