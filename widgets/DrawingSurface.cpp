#include "DrawingSurface.h"

#include <QEvent>
#include <QPaintEvent>
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
    QRect bounds;
    for (const Stroke& stroke : strokes)
        bounds |= QRect(stroke.line.p1(), stroke.line.p2()).normalized();
    if (auto found = byOwner_.find(owner); found != byOwner_.end()) {
        if (found->second->strokes == strokes && std::next(found->second) == drawings_.end()) return;
        update(found->second->bounds);
        drawings_.erase(found->second);
        byOwner_.erase(found);
    }
    drawings_.push_back({owner, std::move(strokes), bounds});
    byOwner_[owner] = std::prev(drawings_.end());
    update(bounds);
}

void DrawingSurface::Erase(const std::string& owner) {
    auto found = byOwner_.find(owner);
    if (found == byOwner_.end()) return;
    update(found->second->bounds);
    drawings_.erase(found->second);
    byOwner_.erase(found);
}

std::vector<DrawingSurface::Stroke> DrawingSurface::Strokes() const {
    std::vector<Stroke> all;
    for (const auto& drawing : drawings_)
        all.insert(all.end(), drawing.strokes.begin(), drawing.strokes.end());
    return all;
}

void DrawingSurface::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    const QRect exposed = event->rect();
    for (const auto& drawing : drawings_) {
        if (!drawing.bounds.intersects(exposed)) continue;
        for (const Stroke& stroke : drawing.strokes) {
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
