#include "menu/app/PageLayout.h"

#include "menu/document/MenuItem.h"

#include <algorithm>
#include <cmath>

namespace z9 {
namespace {

// Twips above (and the same below) each kind of control, and its left edge.
struct Spacing {
    int gap;
    int left;
};

std::optional<Spacing> SpacingOf(int type) {
    switch (type) {
    case vTitle:
        return Spacing{50, 120};
    case vLabel:
        return Spacing{150, 240};
    case vLink:
        return Spacing{50, 540};
    case vLine:
        return Spacing{50, 120};
    default:
        return std::nullopt;
    }
}

constexpr int kSpaceHeight = 500;

} // namespace

std::optional<ItemPlace> PageCursor::Begin(int type, int pageWidth, int screenWidth) {
    if (type == vSpace) {
        y_ += kSpaceHeight;
        return std::nullopt;
    }
    const std::optional<Spacing> spacing = SpacingOf(type);
    if (!spacing) return std::nullopt;
    y_ += static_cast<float>(spacing->gap);
    ItemPlace place{spacing->left, static_cast<int>(std::lround(y_)), 0};
    switch (type) {
    case vTitle:
        // A title never wraps: it may run past the page's right edge.
        place.width = screenWidth + 2000;
        break;
    case vLabel:
        place.width = pageWidth - 480;
        break;
    case vLine:
        place.width = pageWidth - 240;
        break;
    default:
        break;
    }
    return place;
}

void PageCursor::End(int type, int height) {
    if (const std::optional<Spacing> spacing = SpacingOf(type))
        y_ += static_cast<float>(height + spacing->gap);
}

double PageFontSize(double points) {
    return points > 100 ? 100 : points;
}

PictureBox FitPicture(int pictureWidth, int pictureHeight, int boxWidth, int boxHeight) {
    PictureBox box;
    if (pictureWidth <= 0 || pictureHeight <= 0 || boxWidth <= 0 || boxHeight <= 0) return box;
    double scale = std::min(
        {1.0, static_cast<double>(boxWidth) / pictureWidth, static_cast<double>(boxHeight) / pictureHeight});
    box.width = std::max(1, static_cast<int>(std::lround(pictureWidth * scale)));
    box.height = std::max(1, static_cast<int>(std::lround(pictureHeight * scale)));
    box.left = (boxWidth - box.width) / 2;
    box.top = (boxHeight - box.height) / 2;
    return box;
}

} // namespace z9
