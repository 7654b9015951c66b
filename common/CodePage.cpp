#include "CodePage.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <iconv.h>
#include <mutex>
#include <optional>
#include <unordered_map>

#ifdef _WIN32
#include <windows.h>
#endif

namespace z9 {
namespace {

int chosenCodePage = 0;
std::optional<QLocale> namedLocale;

#ifndef _WIN32
// One table per single-byte code page: byte -> UTF-16 unit and back. Bytes the
// code page leaves undefined map to U+0080..U+009F as Windows maps them, so all
// 256 bytes survive a round trip.
struct SingleByteTable {
    std::array<char16_t, 256> toUnicode{};
    std::unordered_map<char16_t, unsigned char> fromUnicode;
};

const SingleByteTable* TableFor(int codePage) {
    static std::mutex mutex;
    static std::unordered_map<int, SingleByteTable> tables;
    std::lock_guard<std::mutex> lock(mutex);
    auto found = tables.find(codePage);
    if (found != tables.end()) return &found->second;

    std::string name = "CP" + std::to_string(codePage);
    iconv_t cd = iconv_open("UTF-16LE", name.c_str());
    if (cd == reinterpret_cast<iconv_t>(-1)) return nullptr;
    SingleByteTable table;
    for (int b = 0; b < 256; ++b) {
        char in = static_cast<char>(b);
        char out[8] = {};
        char* inPtr = &in;
        char* outPtr = out;
        size_t inLeft = 1, outLeft = sizeof out;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        size_t r = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
        char16_t unit = static_cast<char16_t>(b);
        if (r != static_cast<size_t>(-1) && outLeft == sizeof out - 2)
            unit = static_cast<char16_t>(static_cast<unsigned char>(out[0]) |
                                         (static_cast<unsigned char>(out[1]) << 8));
        table.toUnicode[b] = unit;
    }
    iconv_close(cd);
    for (int b = 255; b >= 0; --b) table.fromUnicode[table.toUnicode[b]] = static_cast<unsigned char>(b);
    return &tables.emplace(codePage, std::move(table)).first->second;
}

bool IsDoubleByte(int codePage) {
    return codePage == 932 || codePage == 936 || codePage == 949 || codePage == 950;
}

std::string IconvName(int codePage) {
    switch (codePage) {
    case 936: return "GBK";
    case 950: return "BIG5";
    default: return "CP" + std::to_string(codePage);
    }
}

// Converts with iconv, replacing what cannot be converted by `bad` and going on.
std::string Convert(const std::string& from, const std::string& to, const std::string& text,
                    const std::string& bad, size_t badInputUnit) {
    iconv_t cd = iconv_open(to.c_str(), from.c_str());
    if (cd == reinterpret_cast<iconv_t>(-1)) return {};
    std::string out;
    char* in = const_cast<char*>(text.data());
    size_t inLeft = text.size();
    char buffer[4096];
    while (inLeft > 0) {
        char* outPtr = buffer;
        size_t outLeft = sizeof buffer;
        size_t r = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        out.append(buffer, outPtr - buffer);
        if (r == static_cast<size_t>(-1) && errno != E2BIG) {
            out += bad;
            size_t skip = std::min(badInputUnit, inLeft);
            in += skip;
            inLeft -= skip;
            // The rest of a UTF-8 character that cannot be converted goes with its first byte.
            if (from == "UTF-8")
                while (inLeft > 0 && (static_cast<unsigned char>(*in) & 0xC0) == 0x80) {
                    ++in;
                    --inLeft;
                }
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
        }
    }
    iconv_close(cd);
    return out;
}
#endif

} // namespace

int CodePageForLocale(const QLocale& locale) {
    switch (locale.language()) {
    case QLocale::Czech:
    case QLocale::Polish:
    case QLocale::Slovak:
    case QLocale::Slovenian:
    case QLocale::Hungarian:
    case QLocale::Croatian:
    case QLocale::Romanian:
    case QLocale::Albanian:
    case QLocale::Bosnian:
        return 1250;
    case QLocale::Russian:
    case QLocale::Ukrainian:
    case QLocale::Belarusian:
    case QLocale::Bulgarian:
    case QLocale::Serbian:
    case QLocale::Macedonian:
    case QLocale::Kazakh:
    case QLocale::Kyrgyz:
    case QLocale::Mongolian:
    case QLocale::Tatar:
        return 1251;
    case QLocale::Greek: return 1253;
    case QLocale::Turkish:
    case QLocale::Azerbaijani:
    case QLocale::Uzbek:
        return 1254;
    case QLocale::Hebrew:
    case QLocale::Yiddish:
        return 1255;
    case QLocale::Arabic:
    case QLocale::Persian:
    case QLocale::Urdu:
        return 1256;
    case QLocale::Estonian:
    case QLocale::Latvian:
    case QLocale::Lithuanian:
        return 1257;
    case QLocale::Vietnamese: return 1258;
    case QLocale::Thai: return 874;
    case QLocale::Japanese: return 932;
    case QLocale::Korean: return 949;
    case QLocale::Chinese:
        return (locale.script() == QLocale::TraditionalChineseScript ||
                locale.territory() == QLocale::Taiwan || locale.territory() == QLocale::HongKong)
                   ? 950
                   : 936;
    default: return 1252;
    }
}

QLocale ProgramLocale() {
    QLocale locale = namedLocale ? *namedLocale : QLocale::system();
    if (locale.language() == QLocale::C) return QLocale(QLocale::English, QLocale::UnitedStates);
    return locale;
}

void SetProgramLocale(const std::string& name) {
    if (name.empty())
        namedLocale.reset();
    else
        namedLocale = QLocale(QString::fromStdString(name));
}

bool ProgramLocaleNamed() { return namedLocale.has_value(); }

int AnsiCodePage() {
    if (chosenCodePage) return chosenCodePage;
#ifdef _WIN32
    if (!namedLocale) return static_cast<int>(GetACP());
#endif
    return CodePageForLocale(ProgramLocale());
}

void SetAnsiCodePage(int codePage) { chosenCodePage = codePage; }

QString FromAnsi(const std::string& bytes) {
    if (bytes.empty()) return {};
#ifdef _WIN32
    UINT cp = static_cast<UINT>(AnsiCodePage());
    int n = MultiByteToWideChar(cp, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(cp, 0, bytes.data(), static_cast<int>(bytes.size()), wide.data(), n);
    return QString::fromWCharArray(wide.data(), n);
#else
    int cp = AnsiCodePage();
    if (IsDoubleByte(cp)) {
        std::string utf8 = Convert(IconvName(cp), "UTF-8", bytes, "?", 1);
        return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
    }
    const SingleByteTable* table = TableFor(cp);
    if (!table) table = TableFor(1252);
    QString text(static_cast<qsizetype>(bytes.size()), Qt::Uninitialized);
    QChar* out = text.data();
    for (unsigned char b : bytes) *out++ = QChar(table ? table->toUnicode[b] : char16_t(b));
    return text;
#endif
}

std::string ToAnsi(const QString& text) {
    if (text.isEmpty()) return {};
#ifdef _WIN32
    UINT cp = static_cast<UINT>(AnsiCodePage());
    std::wstring wide = text.toStdWString();
    int n = WideCharToMultiByte(cp, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr,
                                nullptr);
    std::string bytes(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(cp, 0, wide.data(), static_cast<int>(wide.size()), bytes.data(), n, nullptr,
                        nullptr);
    return bytes;
#else
    int cp = AnsiCodePage();
    if (IsDoubleByte(cp)) {
        QByteArray utf8 = text.toUtf8();
        return Convert("UTF-8", IconvName(cp), std::string(utf8.constData(), utf8.size()), "?", 1);
    }
    const SingleByteTable* table = TableFor(cp);
    if (!table) table = TableFor(1252);
    std::string bytes;
    bytes.reserve(static_cast<size_t>(text.size()));
    for (qsizetype i = 0; i < text.size(); ++i) {
        char16_t unit = text[i].unicode();
        // A character beyond the 16-bit range is one character, and one '?'.
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            bytes += '?';
            ++i;
            continue;
        }
        if (table) {
            auto found = table->fromUnicode.find(unit);
            bytes += found != table->fromUnicode.end() ? static_cast<char>(found->second) : '?';
        } else {
            bytes += unit < 256 ? static_cast<char>(unit) : '?';
        }
    }
    return bytes;
#endif
}

} // namespace z9
