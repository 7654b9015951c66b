#include "ControlText.h"

#include "common/CodePageQt.h"

namespace z9 {

QString ControlText(const std::string& ansi) {
    QString text = FromAnsi(ansi);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

} // namespace z9
