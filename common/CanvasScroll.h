#pragma once
// The scroll bar beside a tall canvas (the submitter's fields, the menu page):
// a canvas taller than 32767 twips scrolls in steps of several twips, so the
// scroll bar's maximum stays within its range. Heights in whole twips.
namespace z9 {

// The width of that scroll bar in twips (17 pixels at 96 dpi).
inline constexpr int kScrollBarTwips = 255;

struct CanvasScroll {
    bool visible = false;
    int factor = 1;  // twips per scroll-bar unit
    int maximum = 0; // scroll-bar maximum (at most 32767)
    int largeChange = 0;
    int smallChange = 0;
};

// The scroll bar for a canvas in a viewport: none for a hidden canvas or one
// that fits; otherwise range = canvas - viewport + 100 and factor = range \ 32767 + 1.
CanvasScroll CalcCanvasScroll(int viewportHeight, int canvasHeight, bool canvasShown);

// Canvas top for a scroll-bar value.
inline int CanvasTop(const CanvasScroll& s, int value) {
    return s.visible ? -(value * s.factor) : 0;
}

} // namespace z9
