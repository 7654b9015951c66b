#pragma once
// A 3-D frame drawn round a control on the window that holds it.
class QWidget;

namespace z9 {

// Draws `width` rings round `control` on `surface` (an ancestor of it), starting
// `first` pixels out from the control's edge: sunken (shadow above and left,
// highlight below and right) or raised. Combo boxes (names beginning "COM")
// take the opposite relief. Drawing again replaces the control's last frame.
void Frame3D(QWidget* control, QWidget* surface, int width, int first, bool sunken);

} // namespace z9
