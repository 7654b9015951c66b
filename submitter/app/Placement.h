#pragma once
// Where the submitter's main window stands: StartSet of its own key
// (common/WindowPlacement.h), fitted to its content and kept on the screen.
#include "common/WindowPlacement.h"

namespace z9 {

// Window height for the content: canvas + command panel + top panel + 600,
// at most 85 % of the screen height (all twips).
int FitHeight(int canvasHeight, int commandPanelHeight, int topPanelHeight, int screenHeight);

// The smallest window, in twips.
inline constexpr int kMinWindowWidth = 6700;
inline constexpr int kMinWindowHeight = 2300;

// StartSet of the submitter's own key, as stored (defaults where a value is
// missing or unreadable); the application key is back at rest afterwards.
Placement ReadPlacement();
// Writes the four values as strings.
void SavePlacement(const Placement& p);

} // namespace z9
