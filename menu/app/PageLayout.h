#pragma once
// Where the menu page puts its items, in twips: LoadFields walks down the page
// from 100 twips, each kind of item with its own left edge and gaps above and
// below. And where the logo stands in its box. No Qt here.
#include <optional>

namespace z9 {

// A control's place on the page; width 0 keeps the control's own width.
struct ItemPlace {
    int left = 0;
    int top = 0;
    int width = 0;
    bool operator==(const ItemPlace&) const = default;
};

class PageCursor {
public:
    // The next free position, twips from the top of the page.
    float Y() const { return y_; }

    // The place of the next item of `type` (an ItemType) on a page `pageWidth`
    // wide; the screen width sets how far a title may run. Nothing for an item
    // that shows no control: a space moves the position on by itself, a hidden
    // item or an unknown type takes no room.
    std::optional<ItemPlace> Begin(int type, int pageWidth, int screenWidth);
    // The control placed by Begin is `height` twips high.
    void End(int type, int height);

private:
    float y_ = 100;
};

// A font size as the page shows it: sizes above 100 points are shown at 100.
double PageFontSize(double points);

// A picture placed in a box: no larger than the box (keeping its proportions)
// and centred in it.
struct PictureBox {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const PictureBox&) const = default;
};
PictureBox FitPicture(int pictureWidth, int pictureHeight, int boxWidth, int boxHeight);

} // namespace z9
