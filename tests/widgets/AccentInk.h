#pragma once
// The accents of Tahoma's capital umlauts rise above the font's ascent; these
// help the tests check that a caption in red shows them whole.
#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QRect>
#include <QString>
#include <algorithm>

namespace z9::test {

// Tahoma at 10 points, the size whose umlauts rise highest above its ascent.
inline QFont Tahoma10() {
    QFont tahoma(QStringLiteral("Tahoma"));
    tahoma.setPointSize(10);
    return tahoma;
}

// How many pixels the dots of a capital U umlaut stand above the ascent of
// font; 0 when the font keeps them below it.
inline int UmlautOverhang(const QFont& font) {
    const QFontMetrics fm(font);
    return std::max(0, -fm.ascent() - fm.boundingRect(QString::fromUtf8("\u00DC")).top());
}

// The red pixels of area in image.
inline int RedPixels(const QImage& image, const QRect& area) {
    int red = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.red() > 150 && c.green() < 120 && c.blue() < 120) ++red;
        }
    return red;
}

} // namespace z9::test
