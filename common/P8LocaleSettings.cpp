#include "P8LocaleSettings.h"

#include "CodePage.h"
#include "CodePageQt.h"

#include <QFont>
#include <QLocale>
#include <QString>
#include <QWidget>
#include <algorithm>
#include <ctime>
#include <optional>

namespace z9 {
namespace {

bool IsPictureLetter(QChar c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

// Length of the run of the same character starting at i.
qsizetype RunLength(const QString& text, qsizetype i) {
    qsizetype n = 1;
    while (i + n < text.size() && text[i + n] == text[i])
        ++n;
    return n;
}

// Copies a quoted literal starting at text[i] ('...') to out, quotes included;
// returns the index after it.
qsizetype CopyQuoted(const QString& text, qsizetype i, QString& out) {
    qsizetype end = text.indexOf(u'\'', i + 1);
    if (end < 0) end = text.size() - 1;
    out += text.mid(i, end - i + 1);
    return end + 1;
}

// A Qt date/time format in Windows picture syntax: the AM/PM marker (AP, ap,
// A, a, and the day period B that some locales carry) becomes tt; the time
// zone t goes, with the blanks and the brackets round it. Day, month, year,
// hour, minute and second fields are written alike in both.
QString WindowsPicture(const QString& qt) {
    QString out;
    qsizetype i = 0;
    while (i < qt.size()) {
        QChar c = qt[i];
        if (c == u'\'') {
            i = CopyQuoted(qt, i, out);
        } else if (c == u'A' || c == u'a') {
            ++i;
            if (i < qt.size() && (qt[i] == u'P' || qt[i] == u'p')) ++i;
            out += QStringLiteral("tt");
        } else if (c == u'B') {
            i += RunLength(qt, i);
            out += QStringLiteral("tt");
        } else if (c == u't') {
            i += RunLength(qt, i);
            bool bracketed = !out.isEmpty() && (out.back() == u'(' || out.back() == u'[') && i < qt.size() &&
                             (qt[i] == u')' || qt[i] == u']');
            if (bracketed) {
                out.chop(1);
                ++i;
            }
            while (!out.isEmpty() && out.back() == u' ')
                out.chop(1);
            while (i < qt.size() && qt[i] == u' ')
                ++i;
            if (!out.isEmpty() && i < qt.size()) out += u' ';
        } else {
            out += c;
            ++i;
        }
    }
    return out.trimmed();
}

// The text between the field starting at `from` and the next field, quotes removed.
QString SeparatorAfter(const QString& picture, qsizetype from) {
    qsizetype i = from + RunLength(picture, from);
    QString separator;
    while (i < picture.size() && !IsPictureLetter(picture[i])) {
        if (picture[i] == u'\'') {
            qsizetype end = picture.indexOf(u'\'', i + 1);
            if (end < 0) end = picture.size();
            separator += picture.mid(i + 1, end - i - 1);
            i = end + 1;
        } else {
            separator += picture[i++];
        }
    }
    return separator;
}

// Index of the first field (outside quotes) whose letter is one of `letters`, or -1.
qsizetype FindField(const QString& picture, const QString& letters) {
    for (qsizetype i = 0; i < picture.size();) {
        if (picture[i] == u'\'') {
            qsizetype end = picture.indexOf(u'\'', i + 1);
            if (end < 0) return -1;
            i = end + 1;
        } else if (letters.contains(picture[i])) {
            return i;
        } else {
            ++i;
        }
    }
    return -1;
}

// Short date. Qt's data writes two-digit years for some locales (en_US M/d/yy,
// de_DE dd.MM.yy) where Windows writes four; a two-digit year loses the century
// of every date written with it, so the year is always widened to yyyy.
QString ShortDatePicture(const QLocale& locale) {
    QString picture = WindowsPicture(locale.dateFormat(QLocale::ShortFormat));
    qsizetype y = FindField(picture, QStringLiteral("y"));
    if (y >= 0) {
        qsizetype n = RunLength(picture, y);
        if (n < 4) picture.replace(y, n, QStringLiteral("yyyy"));
    }
    return picture;
}

// A picture of fields and separators only: no words of the language, quoted
// or not.
bool IsPlainPicture(const QString& picture) {
    for (QChar c : picture)
        if (c.unicode() >= 0x80 || c == u'\'') return false;
    return true;
}

// Long time. Qt's long format serves when it is plain; where it carries words
// of the language (ja_JP H時mm分ss秒) Windows writes digits and separators, so
// the short format is taken and given seconds after the minutes. Where even
// that has words between its fields (fr_CA HH 'h' mm) there is no one separator
// to cut the time at, so it is written with its hour field and ':'.
QString TimePicture(const QLocale& locale) {
    QString picture = WindowsPicture(locale.timeFormat(QLocale::LongFormat));
    if (IsPlainPicture(picture)) return picture;

    picture = WindowsPicture(locale.timeFormat(QLocale::ShortFormat));
    qsizetype hour = FindField(picture, QStringLiteral("hH"));
    qsizetype minute = FindField(picture, QStringLiteral("m"));
    if (hour < 0 || minute < 0) return picture;
    if (!IsPlainPicture(picture)) {
        QString designator = FindField(picture, QStringLiteral("t")) >= 0 ? QStringLiteral(" tt") : QString();
        picture = picture.mid(hour, RunLength(picture, hour)) + QStringLiteral(":mm") + designator;
        hour = 0;
        minute = picture.indexOf(u'm');
    }
    if (FindField(picture, QStringLiteral("s")) >= 0) return picture;
    QString separator = SeparatorAfter(picture, hour);
    picture.insert(minute + RunLength(picture, minute), separator + QStringLiteral("ss"));
    return picture;
}

QString TimeSeparator(const QString& picture) {
    qsizetype hour = FindField(picture, QStringLiteral("hH"));
    return hour >= 0 ? SeparatorAfter(picture, hour) : QString();
}

QString DateSeparator(const QString& picture) {
    qsizetype first = FindField(picture, QStringLiteral("dMy"));
    return first >= 0 ? SeparatorAfter(picture, first) : QString();
}

// The narrow no-break space some locales group digits with has no place in the
// single-byte code pages; the no-break space stands in for it.
std::string AnsiValue(QString text) {
    text.replace(QChar(0x202F), QChar(0x00A0));
    return ToAnsi(text);
}

QString Padded(int value, qsizetype width) {
    return QStringLiteral("%1").arg(value, int(width), 10, QChar(u'0'));
}

} // namespace

std::string GetLocaleString(int type) {
    if (!ProgramLocaleNamed()) {
        if (std::optional<std::string> value = SystemLocaleValue(type)) return *value;
    }
    QLocale locale = ProgramLocale();
    switch (type) {
    case LOCALE_SDECIMAL_ID:
        return AnsiValue(locale.decimalPoint());
    case LOCALE_STHOUSAND_ID:
        return AnsiValue(locale.groupSeparator());
    case LOCALE_SDATE_ID:
        return AnsiValue(DateSeparator(ShortDatePicture(locale)));
    case LOCALE_STIME_ID:
        return AnsiValue(TimeSeparator(TimePicture(locale)));
    case LOCALE_SSHORTDATE_ID:
        return AnsiValue(ShortDatePicture(locale));
    case LOCALE_S1159_ID:
        return AnsiValue(locale.amText());
    case LOCALE_S2359_ID:
        return AnsiValue(locale.pmText());
    case LOCALE_STIMEFORMAT_ID:
        return AnsiValue(TimePicture(locale));
    case LOCALE_IDEFAULTANSICODEPAGE_ID:
        return std::to_string(CodePageForLocaleName(locale.name().toStdString()));
    default:
        return {};
    }
}

void UseLocale(const std::string& name) {
    SetProgramLocale(name);
}

int CharsetForCodePage(int codePage) {
    switch (codePage) {
    case 932:
        return 128;
    case 936:
        return 134;
    case 949:
        return 129;
    case 950:
        return 136;
    case 1250:
        return 238;
    case 1251:
        return 204;
    case 1253:
        return 161;
    case 1254:
        return 162;
    case 1255:
        return 177;
    case 1256:
        return 178;
    case 1257:
        return 186;
    default:
        return 0;
    }
}

int CharsetForCodePage(const std::string& codePage) {
    if (codePage.empty() || codePage.size() > 5) return 0;
    for (char c : codePage)
        if (c < '0' || c > '9') return 0;
    return CharsetForCodePage(std::stoi(codePage));
}

int LocaleCharset() {
    return CharsetForCodePage(GetLocaleString(LOCALE_IDEFAULTANSICODEPAGE_ID));
}

// Qt fonts carry no character set: Qt picks glyphs by the characters themselves.
// The charset is kept as the program's for whoever stores or compares fonts.
void SetFormFonts(QWidget* window) {
    SetProgramCharset(LocaleCharset());
    if (!window) return;
    // The window's own font too, so controls created later start with Tahoma.
    QList<QWidget*> widgets = window->findChildren<QWidget*>();
    widgets.prepend(window);
    for (QWidget* widget : widgets) {
        QFont font = widget->font();
        font.setFamily(QString::fromLatin1(kProgramFontName));
        widget->setFont(font);
    }
}

std::string FormatDateTimePicture(const std::string& picture, TimePoint t) {
    QLocale locale = ProgramLocale();
    QString in = FromAnsi(picture);
    std::tm tm = LocalTime(t);
    // Windows writes the genitive month name when the picture also has the day number.
    bool dayNumber = false;
    for (qsizetype i = 0; i < in.size();) {
        if (in[i] == u'\'') {
            qsizetype end = in.indexOf(u'\'', i + 1);
            i = end < 0 ? in.size() : end + 1;
            continue;
        }
        qsizetype n = RunLength(in, i);
        if (in[i] == u'd' && n <= 2) dayNumber = true;
        i += n;
    }

    QString out;
    qsizetype i = 0;
    while (i < in.size()) {
        QChar c = in[i];
        if (c == u'\'') {
            if (i + 1 < in.size() && in[i + 1] == u'\'') {
                out += u'\'';
                i += 2;
                continue;
            }
            qsizetype end = in.indexOf(u'\'', i + 1);
            if (end < 0) end = in.size();
            out += in.mid(i + 1, end - i - 1);
            i = end + 1;
            continue;
        }
        qsizetype n = RunLength(in, i);
        int hour12 = tm.tm_hour % 12 == 0 ? 12 : tm.tm_hour % 12;
        QString designator = tm.tm_hour < 12 ? locale.amText() : locale.pmText();
        switch (c.unicode()) {
        case u'd':
            if (n <= 2)
                out += Padded(tm.tm_mday, n);
            else // Qt counts the days from Monday = 1, tm from Sunday = 0
                out += locale.dayName(tm.tm_wday == 0 ? 7 : tm.tm_wday,
                                      n == 3 ? QLocale::ShortFormat : QLocale::LongFormat);
            break;
        case u'M':
            if (n <= 2)
                out += Padded(tm.tm_mon + 1, n);
            else if (dayNumber)
                out += locale.monthName(tm.tm_mon + 1, n == 3 ? QLocale::ShortFormat : QLocale::LongFormat);
            else
                out += locale.standaloneMonthName(tm.tm_mon + 1,
                                                  n == 3 ? QLocale::ShortFormat : QLocale::LongFormat);
            break;
        case u'y':
            if (n <= 2)
                out += Padded((tm.tm_year + 1900) % 100, n);
            else
                out += Padded(tm.tm_year + 1900, 4);
            break;
        case u'h':
            out += Padded(hour12, std::min<qsizetype>(n, 2));
            break;
        case u'H':
            out += Padded(tm.tm_hour, std::min<qsizetype>(n, 2));
            break;
        case u'm':
            out += Padded(tm.tm_min, std::min<qsizetype>(n, 2));
            break;
        case u's':
            out += Padded(tm.tm_sec, std::min<qsizetype>(n, 2));
            break;
        case u't':
            out += n == 1 ? designator.left(1) : designator;
            break;
        default:
            out += in.mid(i, n);
            break;
        }
        i += n;
    }
    return ToAnsi(out);
}

std::string GeneralDateTimeText(TimePoint t) {
    return FormatDateTimePicture(GetLocaleString(LOCALE_SSHORTDATE_ID), t) + " " +
           FormatDateTimePicture(GetLocaleString(LOCALE_STIMEFORMAT_ID), t);
}

} // namespace z9
