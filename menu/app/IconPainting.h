#pragma once
// What the menu program's drawn icons share: their palette, pen and sheet of
// paper in the 16-unit grid, and the painting of a 16-unit drawing into a
// pixmap (MenuIcons.cpp).
#include <QColor>
#include <QPen>
#include <QPixmap>

#include <functional>

class QPainter;

namespace z9::icons {

// A quiet palette: dark outlines, one blue for actions, soft fills.
inline const QColor kInk(64, 64, 64);
inline const QColor kPaper(252, 252, 252);
inline const QColor kBlue(47, 109, 181);
inline const QColor kGreen(46, 139, 87);
inline const QColor kRed(190, 58, 52);
inline const QColor kFolder(226, 184, 84);
inline const QColor kFolderInk(150, 112, 30);

// A pen with round ends and joins.
QPen Pen(const QColor& color, qreal width = 1.0);

// A sheet of paper with a folded corner.
void Sheet(QPainter& p);

// A drawing in the 16-unit grid, painted `side` device-independent pixels
// square at the given pixel ratio on a transparent ground.
QPixmap PaintIcon(int side, qreal pixelRatio, const std::function<void(QPainter&)>& draw);

} // namespace z9::icons
