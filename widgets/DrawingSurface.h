#pragma once
// A window's persistent drawing: lines drawn on the window stay there, beneath
// its controls, until something is drawn over them. Z9Line and Frame3D draw here.
#include <QColor>
#include <QLine>
#include <QWidget>
#include <string>
#include <utility>
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
    // Everything drawn, in painting order.
    std::vector<Stroke> Strokes() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit DrawingSurface(QWidget* window);

    std::vector<std::pair<std::string, std::vector<Stroke>>> drawings_;
};

} // namespace z9
