#include "DrawingSurface.h"

#include <QEvent>
#include <QPainter>

namespace z9 {

DrawingSurface::DrawingSurface(QWidget* window) : QWidget(window) {
    setObjectName(QStringLiteral("DrawingSurface"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    setGeometry(window->rect());
    window->installEventFilter(this);
    lower();
    show();
}

DrawingSurface* DrawingSurface::Of(QWidget* window) {
    if (!window) return nullptr;
    auto* surface = window->findChild<DrawingSurface*>(QString(), Qt::FindDirectChildrenOnly);
    return surface ? surface : new DrawingSurface(window);
}

void DrawingSurface::Draw(const std::string& owner, std::vector<Stroke> strokes) {
    for (auto it = drawings_.begin(); it != drawings_.end(); ++it) {
        if (it->first == owner) {
            drawings_.erase(it);
            break;
        }
    }
    drawings_.emplace_back(owner, std::move(strokes));
    update();
}

std::vector<DrawingSurface::Stroke> DrawingSurface::Strokes() const {
    std::vector<Stroke> all;
    for (const auto& drawing : drawings_)
        all.insert(all.end(), drawing.second.begin(), drawing.second.end());
    return all;
}

void DrawingSurface::paintEvent(QPaintEvent*) {
    QPainter p(this);
    for (const auto& drawing : drawings_) {
        for (const Stroke& stroke : drawing.second) {
            p.setPen(QPen(stroke.color, 0));
            p.drawLine(stroke.line);
        }
    }
}

bool DrawingSurface::eventFilter(QObject* watched, QEvent* event) {
    if (watched == parentWidget() && event->type() == QEvent::Resize) setGeometry(parentWidget()->rect());
    return QWidget::eventFilter(watched, event);
}

} // namespace z9
