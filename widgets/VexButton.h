#pragma once
// VexButton: a flat button of an optional picture (Image1) and a text (Label1)
// that reports a click when a mouse button is released over it. It sizes
// itself to its content (FixedSize) or centres the content in the height its
// container gives. Hovering lifts it, pressing sinks it; Tab reaches it and
// Space or Enter presses it.
#include "widgets/VexAccessible.h"

#include <QColor>
#include <QFont>
#include <QPixmap>
#include <QPointer>
#include <QWidget>
#include <string>

class QLabel;

namespace z9 {

class VexButton : public QWidget, public AccessibleControl {
    Q_OBJECT
public:
    explicit VexButton(QWidget* parent = nullptr);

    std::string Caption() const;
    void SetCaption(const std::string& caption);
    bool FixedSize() const { return fixedSize_; }
    void SetFixedSize(bool fixed);
    // Shows the picture left of the text.
    void BImage(const QPixmap& picture);
    void ReCalc();
    // The pointer of the control, the picture and the label back to the system's.
    void DisablePointer();
    bool EnabledM() const;
    void SetEnabledM(bool enabled);
    // The tool tip of the picture and the label.
    void ToolT(const std::string& text);
    QFont Font() const;
    void SetFont(const QFont& font);
    QColor FontColor() const;
    void SetFontColor(const QColor& color);

    bool HasPicture() const { return hasPicture_; }
    // Right edge of the text + 500, in twips.
    int NaturalWidth() const { return naturalWidth_; }
    QLabel* Image1() const { return image1_; }
    QLabel* Label1() const { return label1_; }

    // Hover and pressed looks, as drawn.
    bool Hovered() const { return hovered_; }
    bool Down() const;

    // An item that takes the keyboard for its button: the button draws its
    // focus mark while `owner` has the focus.
    void ShowFocusOf(QWidget* owner);
    void SetAccessibleRole(QAccessible::Role role);

    QAccessible::Role AccessibleRole() const override { return role_; }
    QString AccessibleText() const override;
    bool AccessiblePressable() const override { return true; }
    void AccessiblePress() override;

signals:
    // A mouse button released over the control, its picture or its label (or
    // the keyboard's Space or Enter).
    void ButtonClick();
    // A mouse button pressed over any of the three.
    void MouseDown();
    // The layout ran (the size may have changed).
    void LaidOut();

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    friend class VexItem; // takes the keyboard for its button
    void LayOut();
    QSize TextSize() const;
    void SetHovered(bool hovered);
    bool ShowsFocus() const;
    void Rest();

    QLabel* image1_;
    QLabel* label1_;
    std::string caption_;
    bool fixedSize_ = false;
    bool hasPicture_ = false;
    int naturalWidth_ = 0;
    bool layingOut_ = false;

    bool hovered_ = false;
    bool mouseDown_ = false;   // a mouse button is held that was pressed here
    bool mouseInside_ = false; // ... and the pointer is over the control
    bool keyDown_ = false;     // Space is held
    QPointer<QWidget> focusOwner_;
    QAccessible::Role role_ = QAccessible::PushButton;
};

} // namespace z9
