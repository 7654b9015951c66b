#include "WindowFrame.h"

#include "Twips.h"

#include <QEvent>
#include <QWidget>

#include <algorithm>

namespace z9 {
namespace {

void ApplySize(QWidget* window, const Placement& p) {
    const int frameW = TrueWindowSize(window, false), frameH = TrueWindowSize(window, true);
    window->resize(TwipsToPixelsX(std::max(0, p.width - frameW)),
                   TwipsToPixelsY(std::max(0, p.height - frameH)));
}

// Gives a window placed before its first show its size once the frame is known.
class PendingPlacement : public QObject {
public:
    PendingPlacement(QWidget* window, const Placement& p) : QObject(window), window_(window), wanted_(p) {
        setObjectName(QStringLiteral("PendingPlacement"));
        window->installEventFilter(this);
    }
    // Another placement came first.
    void Cancel() {
        window_->removeEventFilter(this);
        deleteLater();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == window_ && event->type() == QEvent::Show) {
            window_->removeEventFilter(this);
            if (TrueWindowSize(window_, false) > 0 || TrueWindowSize(window_, true) > 0)
                ApplySize(window_, wanted_);
            deleteLater();
        }
        return false;
    }

private:
    QWidget* window_;
    Placement wanted_;
};

} // namespace

Placement WindowPlacementOf(QWidget* window) {
    const QRect frame = window->frameGeometry();
    return {PixelsToTwipsX(frame.x()), PixelsToTwipsY(frame.y()), PixelsToTwipsX(frame.width()),
            PixelsToTwipsY(frame.height())};
}

void PlaceWindow(QWidget* window, const Placement& p) {
    // A placement still waiting for the first show gives way to this one.
    for (QObject* child : window->children())
        if (auto* pending = dynamic_cast<PendingPlacement*>(child)) pending->Cancel();
    window->move(TwipsToPixelsX(p.left), TwipsToPixelsY(p.top));
    ApplySize(window, p);
    if (!window->isVisible()) new PendingPlacement(window, p);
}

} // namespace z9
