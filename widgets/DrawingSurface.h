#pragma once
// A window's persistent drawing: lines drawn on the window stay there, beneath
// its controls, until something is drawn over them. Z9Line and Frame3D draw here.
#include <QColor>
#include <QLine>
#include <QRect>
#include <QWidget>
#include <list>
#include <string>
#include <unordered_map>
#include <vector>

namespace z9 {

class DrawingSurface : public QWidget {
    Q_OBJECT
public:
    // One line in pixels of the window, both end points drawn.
    struct Stroke {
        QLine line;
        QColor color;
        bool operator==(const Stroke&) const = default;
    };

    // The window's surface, made on first use.
    static DrawingSurface* Of(QWidget* window);

    // Replaces what `owner` drew last (so drawing again never piles up) and
    // paints it over what others drew before.
    void Draw(const std::string& owner, std::vector<Stroke> strokes);
    // Takes away what `owner` drew (a control that is gone).
    void Erase(const std::string& owner);
    bool HasDrawing(const std::string& owner) const { return byOwner_.count(owner) != 0; }
    // Everything drawn, in painting order.
    std::vector<Stroke> Strokes() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit DrawingSurface(QWidget* window);

    // One owner's lines and the rectangle they cover, so a page with
    // thousands of framed links redraws and repaints only what changed.
    struct Drawing {
        std::string owner;
        std::vector<Stroke> strokes;
        QRect bounds;
    };
    std::list<Drawing> drawings_; // painting order
    std::unordered_map<std::string, std::list<Drawing>::iterator> byOwner_;
};

} // namespace z9
