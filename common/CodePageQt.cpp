#include "CodePageQt.h"

#include "CodePage.h"

namespace z9 {

QLocale ProgramLocale() {
    QLocale locale =
        ProgramLocaleNamed() ? QLocale(QString::fromStdString(ProgramLocaleName())) : QLocale::system();
    if (locale.language() == QLocale::C) return QLocale(QLocale::English, QLocale::UnitedStates);
    return locale;
}

QString FromAnsi(const std::string& bytes) {
    std::u16string text = AnsiToUtf16(bytes);
    return QString(reinterpret_cast<const QChar*>(text.data()), static_cast<qsizetype>(text.size()));
}

std::string ToAnsi(const QString& text) {
    return Utf16ToAnsi(
        std::u16string(reinterpret_cast<const char16_t*>(text.utf16()), static_cast<size_t>(text.size())));
}

} // namespace z9
