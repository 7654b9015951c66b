#pragma once
// Geometry in twips, as the programs state it, and the screen's pixels. A twip
// is 1/1440 inch; the screen's logical DPI gives twips per pixel (15 at 96 dpi).
class QWidget;

namespace z9 {

// Twips per pixel of the primary screen; 15 when there is no screen.
double TwipsPerPixelX();
double TwipsPerPixelY();

// Conversions, rounded to the nearest whole unit.
int TwipsToPixelsX(double twips);
int TwipsToPixelsY(double twips);
int PixelsToTwipsX(double pixels);
int PixelsToTwipsY(double pixels);

// The thickness of the window's frame and caption in twips: the frame's height
// less the client area's height (vertical), or the same with widths. 0 for no window.
int TrueWindowSize(QWidget* window, bool vertical);

} // namespace z9
