#pragma once
// Where a main window stands, in twips, as both programs store it in section
// StartSet of the application key (common/Settings.h): MainLeft, MainTop,
// MainWidth and MainHeight.
namespace z9 {

struct Placement {
    int left = 1000;
    int top = 1000;
    int width = 10000;
    int height = 8000;
    bool operator==(const Placement&) const = default;
};

// StartSet as stored under the current application key; the defaults where a
// value is missing or is no number (a number stored as a number type is read too).
Placement ReadStartSet();
// Writes the four values, as strings (type 0, the submitter) or as 32-bit numbers
// (type 4, the menu program). Failures are ignored: the next start finds the old values.
void SaveStartSet(const Placement& p, long type);

// Pulls a window that runs past the right or bottom edge back so that it ends
// there, then moves a negative left or top to 0.
Placement KeepOnScreen(Placement p, int screenWidth, int screenHeight);

} // namespace z9
