#include "Frame3D.h"

#include "widgets/DrawingSurface.h"

namespace z9 {

void Frame3D(QWidget* control, QWidget* surface, int width, int first, bool sunken) {
    if (!control || !surface || (control != surface && !surface->isAncestorOf(control))) return;
    if (control->objectName().toUpper().startsWith(QLatin1String("COM"))) sunken = !sunken;

    // One pixel outside the left and top edges, at the right and bottom edges.
    QPoint origin = control->mapTo(surface, QPoint(0, 0));
    QRect outer(QPoint(origin.x() - 1, origin.y() - 1),
                QPoint(origin.x() + control->width(), origin.y() + control->height()));
    const QPalette& pal = surface->palette();
    QColor shadow = pal.color(QPalette::Dark);
    QColor highlight = pal.color(QPalette::Light);
    QColor topLeft = sunken ? shadow : highlight;
    QColor bottomRight = sunken ? highlight : shadow;

    std::vector<DrawingSurface::Stroke> strokes;
    for (int i = first; i < first + width; ++i) {
        QRect r = outer.adjusted(-i, -i, i, i);
        strokes.push_back({QLine(r.topLeft(), r.topRight()), topLeft});
        strokes.push_back({QLine(r.topLeft(), r.bottomLeft()), topLeft});
        strokes.push_back({QLine(r.bottomLeft(), r.bottomRight()), bottomRight});
        strokes.push_back({QLine(r.topRight(), r.bottomRight()), bottomRight});
    }
    DrawingSurface* drawing = DrawingSurface::Of(surface);
    const std::string owner = "Frame3D:" + std::to_string(reinterpret_cast<quintptr>(control));
    if (!drawing->HasDrawing(owner)) {
        // The frame goes with its control.
        QObject::connect(control, &QObject::destroyed, drawing, [drawing, owner] { drawing->Erase(owner); });
    }
    drawing->Draw(owner, std::move(strokes));
}

} // namespace z9
