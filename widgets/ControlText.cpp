#include "ControlText.h"

#include "common/CodePageQt.h"

#include <QFontMetrics>
#include <algorithm>

namespace z9 {

QString ControlText(const std::string& ansi) {
    QString text = FromAnsi(ansi);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

QMargins InkOverhang(const QFontMetrics& fm, const QString& text) {
    if (text.isEmpty()) return {};
    const QRect first = fm.boundingRect(text.section(QLatin1Char('\n'), 0, 0));
    const QRect last = fm.boundingRect(text.section(QLatin1Char('\n'), -1));
    return {0, std::max(0, -fm.ascent() - first.top()), 0, std::max(0, last.bottom() - (fm.descent() - 1))};
}

} // namespace z9
