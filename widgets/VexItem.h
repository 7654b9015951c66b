#pragma once
// VexItem: one link of a menu page, a fixed-size VexButton (L1) showing the
// item's icon and caption, with the link as tool tip. A click reports the
// caption and the link.
#include "widgets/VexAccessible.h"

#include <QColor>
#include <QFont>
#include <QPixmap>
#include <QWidget>
#include <string>

namespace z9 {

class VexButton;

class VexItem : public QWidget, public AccessibleControl {
    Q_OBJECT
public:
    explicit VexItem(QWidget* parent = nullptr);

    // The target: a path, a program or a document.
    std::string Link;

    std::string Caption() const;
    // An empty caption shows the file name of Link (nothing changes when Link
    // cannot be split). The tool tip becomes Link.
    void SetCaption(const std::string& caption);
    void BImage(const QPixmap& picture);
    QFont Font() const;
    void SetFont(const QFont& font);
    QColor FontColor() const;
    void SetFontColor(const QColor& color);

    VexButton* L1() const { return l1_; }

    QAccessible::Role AccessibleRole() const override { return QAccessible::Link; }
    QString AccessibleText() const override;
    bool AccessiblePressable() const override { return true; }
    void AccessiblePress() override;

signals:
    void MClick(const std::string& caption, const std::string& link);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void LayOut();
    void TakeButtonSize();

    VexButton* l1_;
    bool layingOut_ = false;
};

} // namespace z9
