#pragma once
// A main window's outer place on the screen in twips (frame and caption
// included), as the programs store it in StartSet.
#include "common/WindowPlacement.h"

class QWidget;

namespace z9 {

// The window's frame position and outer size.
Placement WindowPlacementOf(QWidget* window);

// Moves and sizes the window so that its outer frame takes p. The frame is
// only known once the window is shown: a window placed before that gets its
// size again when it is first shown.
void PlaceWindow(QWidget* window, const Placement& p);

} // namespace z9
