#pragma once
// The menu window's toolbar strips: icon buttons with tool tips, laid out in
// groups along the strip, each in a raised 3-D frame.
#include "menu/app/MenuIcons.h"

#include <vector>

class QWidget;

namespace z9 {

class VexButton;

// A strip's button, kToolButtonTwips square, named `name`.
VexButton* MakeToolButton(QWidget* strip, const char* name);

struct ToolButton {
    VexButton* button;
    MenuIcon icon;
    const char* tip;
};
// Gives each button its icon and tool tip (its name for assistive technology).
void DressToolButtons(const std::vector<ToolButton>& buttons);

// Places the groups one after the other down (vertical) or along the strip,
// a gap between groups, and frames every button.
void ArrangeToolButtons(QWidget* strip, const std::vector<std::vector<VexButton*>>& groups, bool vertical);
// The twips a strip of these groups needs along its length.
int ToolStripLength(const std::vector<std::vector<VexButton*>>& groups);

inline constexpr int kToolButtonTwips = 480;

} // namespace z9
