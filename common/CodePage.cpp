#include "CodePage.h"

#include "AsciiText.h"

namespace z9 {
namespace {

int chosenCodePage = 0;
std::string namedLocale;

// Splits "zh_Hant_TW.UTF-8@x" into its lower-case language and the parts after it.
void SplitLocaleName(const std::string& name, std::string& language, std::string& script,
                     std::string& territory) {
    std::string base = name.substr(0, name.find_first_of(".@"));
    std::size_t at = 0;
    std::string parts[3];
    int count = 0;
    while (at <= base.size() && count < 3) {
        std::size_t end = base.find_first_of("_-", at);
        if (end == std::string::npos) end = base.size();
        parts[count++] = base.substr(at, end - at);
        at = end + 1;
    }
    language = LowerAscii(parts[0]);
    // A four-letter part is a script (Hant, Latn), a shorter one a territory.
    if (parts[1].size() == 4) {
        script = LowerAscii(parts[1]);
        territory = UpperAscii(parts[2]);
    } else {
        script.clear();
        territory = UpperAscii(parts[1]);
    }
}

} // namespace

int CodePageForLocaleName(const std::string& name) {
    std::string language, script, territory;
    SplitLocaleName(name, language, script, territory);
    struct Entry {
        const char* language;
        int codePage;
    };
    static const Entry table[] = {
        {"cs", 1250}, {"pl", 1250}, {"sk", 1250}, {"sl", 1250}, {"hu", 1250}, {"hr", 1250},
        {"ro", 1250}, {"sq", 1250}, {"bs", 1250}, {"ru", 1251}, {"uk", 1251}, {"be", 1251},
        {"bg", 1251}, {"sr", 1251}, {"mk", 1251}, {"kk", 1251}, {"ky", 1251}, {"mn", 1251},
        {"tt", 1251}, {"el", 1253}, {"tr", 1254}, {"az", 1254}, {"uz", 1254}, {"he", 1255},
        {"iw", 1255}, {"yi", 1255}, {"ar", 1256}, {"fa", 1256}, {"ur", 1256}, {"et", 1257},
        {"lv", 1257}, {"lt", 1257}, {"vi", 1258}, {"th", 874},  {"ja", 932},  {"ko", 949},
    };
    if (language == "zh")
        return script == "hant" || territory == "TW" || territory == "HK" || territory == "MO" ? 950 : 936;
    for (const Entry& entry : table)
        if (language == entry.language) return entry.codePage;
    return 1252;
}

void SetProgramLocale(const std::string& name) {
    namedLocale = name;
}

const std::string& ProgramLocaleName() {
    return namedLocale;
}

bool ProgramLocaleNamed() {
    return !namedLocale.empty();
}

int AnsiCodePage() {
    if (chosenCodePage) return chosenCodePage;
    if (!namedLocale.empty()) return CodePageForLocaleName(namedLocale);
    return SystemAnsiCodePage();
}

void SetAnsiCodePage(int codePage) {
    chosenCodePage = codePage;
}

std::u16string AnsiToUtf16(const std::string& bytes) {
    return AnsiToUtf16(bytes, AnsiCodePage());
}

std::string Utf16ToAnsi(const std::u16string& text) {
    return Utf16ToAnsi(text, AnsiCodePage());
}

} // namespace z9
