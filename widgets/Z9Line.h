#pragma once
// Z9Line: an etched separator drawn on a window's persistent drawing, a grey
// line with a white one beside it (or only the white one).
#include <QPointer>
#include <QWidget>
#include <string>

namespace z9 {

class Z9Line {
public:
    Z9Line();

    // x, Y and l in twips. A length of 0 runs the line across the window:
    // its height - 2*Y - 350 (vertical) or its width - 2*x - 100 (horizontal).
    void InitZ9Line(float x, float Y, QWidget* frm, bool LVertical = false, bool LDbl = false, float l = 0);
    void Refresh();
    // Draws the same lines in the window's background colour.
    void Clear();

    // The length the line is drawn with, in twips.
    float Length() const;

private:
    void Paint(bool erase);

    std::string key_;
    QPointer<QWidget> frm_;
    float x_ = 0;
    float y_ = 0;
    float l_ = 0;
    bool vertical_ = false;
    bool dbl_ = false;
};

} // namespace z9
