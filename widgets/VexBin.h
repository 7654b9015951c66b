#pragma once
// VexBin: a strip of binary digits that scrolls to the left, a random bit
// coming in at the right end on every tick of Timer1.
#include "widgets/VexAccessible.h"

#include <QPixmap>
#include <QWidget>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace z9 {

class WindowTimer;

class VexBin : public QWidget, public AccessibleControl {
    Q_OBJECT
public:
    explicit VexBin(QWidget* parent = nullptr);

    // Draws the digits from the left edge, one picture after the other.
    void MkBin(const std::string& digits);
    // The animation timer.
    bool Enabled() const;
    void SetEnabled(bool on);

    // How many digit pictures fit whole into the control's width.
    int Capacity() const;
    const std::string& Digits() const { return digits_; }
    // The digits drawn last.
    const std::string& Shown() const { return shown_; }
    // Element d shows the digit d.
    const std::vector<QPixmap>& Pic() const { return pic_; }
    // Starts the random bits afresh from a seed (the same seed, the same bits).
    void Seed(std::uint32_t seed) { random_.seed(seed); }

    WindowTimer* Timer1() const { return timer1_; }

    QSize sizeHint() const override;

    QAccessible::Role AccessibleRole() const override { return QAccessible::Animation; }
    QString AccessibleText() const override;
    QString AccessibleValue() const override { return QString::fromLatin1(shown_); }
    bool AccessibleBusy() const override;

public slots:
    void Tick();

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void MakePictures();
    int PictureWidth() const;

    WindowTimer* timer1_;
    std::vector<QPixmap> pic_;
    std::mt19937 random_;
    std::string digits_ = "0";
    std::string shown_;
};

} // namespace z9
