#pragma once
// A caption as a control shows it: the ANSI text in the host's characters,
// each CR LF (or lone CR or LF) a line break.
#include <QMargins>
#include <QString>
#include <string>

class QFontMetrics;

namespace z9 {

QString ControlText(const std::string& ansi);

// How far the ink of a caption reaches above its first line's ascent (top)
// and below its last line's descent (bottom), in pixels: Tahoma draws the dots
// of its capital umlauts above its ascent. A control that sizes itself by the
// font's lines leaves that much room so they are not cut off.
QMargins InkOverhang(const QFontMetrics& fm, const QString& text);

} // namespace z9
