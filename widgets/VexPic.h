#pragma once
// VexPic: a caption that types itself, one more character every tick of
// Timer1, and reports Complete when the whole text stands.
#include "widgets/TextSurface.h"
#include "widgets/VexAccessible.h"

#include <string>

namespace z9 {

class WindowTimer;

class VexPic : public TextSurface, public AccessibleControl {
    Q_OBJECT
public:
    explicit VexPic(QWidget* parent = nullptr);

    std::string Caption() const { return caption_; }
    // Starts typing from an empty text. Unless FixedPos, the control takes
    // the height of the text.
    void SetCaption(const std::string& caption);
    // True: the text stands 100 twips from the left, one line centred
    // vertically; false: at the top-left corner.
    bool FixedPos() const { return fixedPos_; }
    void SetFixedPos(bool fixedPos) { fixedPos_ = fixedPos; }
    // Milliseconds between two characters; 0 holds the typing.
    short Inter() const;
    void SetInter(short ms);

    WindowTimer* Timer1() const { return timer1_; }

    QAccessible::Role AccessibleRole() const override { return QAccessible::StaticText; }
    QString AccessibleText() const override { return text_; }
    bool AccessibleBusy() const override;

public slots:
    void Tick();

signals:
    void Complete();

private:
    WindowTimer* timer1_;
    std::string caption_;
    QString text_;
    int shown_ = 0;
    bool fixedPos_ = false;
};

} // namespace z9
