#pragma once
// VexLine: an etched horizontal separator, a shadow line with a highlight line
// one pixel below it, the same margin at both ends. ucLNV is the vertical one.
#include "widgets/VexAccessible.h"

#include <QPalette>
#include <QWidget>

namespace z9 {

class VexLine : public QWidget, public AccessibleControl {
    Q_OBJECT
public:
    explicit VexLine(QWidget* parent = nullptr) : VexLine(false, parent) {}

    // A line shape, in twips of the control.
    struct Shape {
        int X1 = 0;
        int Y1 = 0;
        int X2 = 0;
        int Y2 = 0;
        QPalette::ColorRole Color = QPalette::Dark;
    };
    const Shape& ShadowLine() const { return shadow_; }
    const Shape& HighlightLine() const { return highlight_; }

    QSize sizeHint() const override;

    QAccessible::Role AccessibleRole() const override { return QAccessible::Separator; }
    QString AccessibleText() const override { return {}; }

protected:
    VexLine(bool vertical, QWidget* parent);
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void LayOut();

    bool vertical_;
    Shape shadow_;
    Shape highlight_;
};

class ucLNV : public VexLine {
    Q_OBJECT
public:
    explicit ucLNV(QWidget* parent = nullptr) : VexLine(true, parent) {}
};

} // namespace z9
