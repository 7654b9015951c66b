#pragma once
// Building a window's controls from its design in twips: placing them, and
// labels and buttons that carry their system names and speak to assistive
// technology.
#include <QString>

class QLabel;
class QPushButton;
class QWidget;

namespace z9 {

// Places a control in twips of its parent's client area.
void Place(QWidget* control, int left, int top, int width, int height);

// A label named `name` (its objectName) that shows its caption as plain text
// (never as markup) and whose accessible name is the caption.
QLabel* MakeLabel(QWidget* parent, const QString& name, const QString& caption);

// A push button named `name`; the caption may mark its access key with '&',
// which its accessible name leaves out.
QPushButton* MakeButton(QWidget* parent, const QString& name, const QString& caption);

} // namespace z9
