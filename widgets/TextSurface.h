#pragma once
// The drawing surface of the animated captions: text printed at a position in
// twips stays there until the surface is cleared.
#include <QColor>
#include <QString>
#include <QWidget>

namespace z9 {

class TextSurface : public QWidget {
    Q_OBJECT
public:
    explicit TextSurface(QWidget* parent = nullptr);

    QFont Font() const { return font(); }
    void SetFont(const QFont& font) { setFont(font); }
    QColor FontColor() const;
    void SetFontColor(const QColor& color);

    // What the surface shows and where (twips), as printed last.
    QString Printed() const { return printed_; }
    int PrintedLeft() const { return left_; }
    int PrintedTop() const { return top_; }

protected:
    void Cls();
    void Print(const QString& text, int left, int top);
    // The height of the text in the surface's font, in twips.
    int TextHeight(const QString& text) const;
    int LineHeight() const { return TextHeight(QString()); }
    // The top, in twips, that centres a text of that height vertically.
    int CentredTop(int textHeight) const;
    // Pixels kept above every printed position for accents that rise above
    // the font's line.
    void SetInkRoom(int pixels);
    void paintEvent(QPaintEvent* event) override;

private:
    QString printed_;
    int left_ = 0;
    int top_ = 0;
    int inkRoom_ = 0;
};

} // namespace z9
