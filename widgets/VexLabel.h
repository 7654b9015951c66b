#pragma once
// VexLabel: a word-wrapping text (Label1) as wide as the control; the control
// grows or shrinks to the height the text needs.
#include "widgets/VexAccessible.h"

#include <QColor>
#include <QFont>
#include <QWidget>
#include <string>

class QLabel;

namespace z9 {

class VexLabel : public QWidget, public AccessibleControl {
    Q_OBJECT
public:
    explicit VexLabel(QWidget* parent = nullptr);

    std::string Caption() const { return caption_; }
    void SetCaption(const std::string& caption);
    QFont Font() const;
    void SetFont(const QFont& font);
    QColor FontColor() const;
    void SetFontColor(const QColor& color);

    QLabel* Label1() const { return label1_; }

    QAccessible::Role AccessibleRole() const override { return QAccessible::StaticText; }
    QString AccessibleText() const override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void LayOut();

    QLabel* label1_;
    std::string caption_;
    bool layingOut_ = false;
};

} // namespace z9
