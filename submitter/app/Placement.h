#pragma once
// Where the main window stands: stored in twips under StartSet, fitted to its
// content and kept on the screen.
#include <string>

namespace z9 {

struct Placement {
    int left = 1000;
    int top = 1000;
    int width = 10000;
    int height = 8000;
    bool operator==(const Placement&) const = default;
};

// Window height for the content: canvas + command panel + top panel + 600,
// at most 85 % of the screen height (all twips).
int FitHeight(int canvasHeight, int commandPanelHeight, int topPanelHeight, int screenHeight);

// Pulls a window that runs past the right or bottom edge back so that it ends
// there, then moves a negative left or top to 0.
Placement KeepOnScreen(Placement p, int screenWidth, int screenHeight);

// The smallest window, in twips.
inline constexpr int kMinWindowWidth = 6700;
inline constexpr int kMinWindowHeight = 2300;

// StartSet of the submitter's own key, as stored (defaults where a value is
// missing or unreadable); the application key is back at rest afterwards.
Placement ReadPlacement();
// Writes the four values as strings.
void SavePlacement(const Placement& p);

} // namespace z9
