#include "MenuItem.h"

#include "common/AsciiText.h"
#include "common/Program.h"
#include "common/Settings.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <iterator>

namespace z9 {
namespace {

constexpr const char* kTypeNames[] = {"vNotVisible", "vTitle", "vLabel", "vLink", "vSpace", "vLine"};

// Places in kItemTags.
enum ItemTag : std::size_t {
    kCaption,
    kLink,
    kFontName,
    kFontSize,
    kFontBold,
    kFontItalic,
    kFontStr,
    kFontUnder,
    kFontColor,
    kFontChar,
};
static_assert(std::size(kItemTags) == kFontChar + 1);

// Where each tag's text lies in a line: from its first "<tag>" to the first
// "</tag>" after it, or to the end of the line; empty when the line has no
// "<tag>". One pass over the line's "<" serves every tag.
template <std::size_t count>
void FindTagTexts(std::string_view line, const std::string_view (&tags)[count],
                  std::string_view (&texts)[count]) {
    constexpr std::size_t npos = std::string_view::npos;
    std::size_t open[count], close[count];
    std::fill_n(open, count, npos);
    std::fill_n(close, count, npos);
    // "<tag>" whose name starts at name, followed by its ">".
    const auto names = [line](std::size_t name, std::string_view tag) {
        return line.size() - name > tag.size() && line[name + tag.size()] == '>' &&
               line.compare(name, tag.size(), tag) == 0;
    };
    for (std::size_t at = line.find('<'); at != npos; at = line.find('<', at + 1)) {
        const bool slash = at + 1 < line.size() && line[at + 1] == '/';
        for (std::size_t i = 0; i < count; ++i) {
            if (open[i] == npos) {
                if (names(at + 1, tags[i])) open[i] = at;
            } else if (slash && close[i] == npos && names(at + 2, tags[i])) {
                close[i] = at;
            }
        }
    }
    for (std::size_t i = 0; i < count; ++i) {
        if (open[i] == npos) {
            texts[i] = {};
            continue;
        }
        const std::size_t from = open[i] + tags[i].size() + 2;
        texts[i] = line.substr(from, close[i] == npos ? npos : close[i] - from);
    }
}

// A whole number in [low, high], fractions rounded half to even, as the
// system converts a text to a number; false when it is none or out of range.
bool WholeNumber(std::string_view text, long low, long high, long& out) {
    long value = 0;
    if (!SettingNumber(std::string(text), value) || value < low || value > high) return false;
    out = value;
    return true;
}

// "True" and "False" in any case, or a number (0 is false).
bool Boolean(std::string_view text, bool& out) {
    const std::string word = UpperAscii(std::string(TrimView(text, kBlanks)));
    if (word == "TRUE" || word == "FALSE") {
        out = word == "TRUE";
        return true;
    }
    long number = 0;
    if (!SettingNumber(std::string(text), number)) return false;
    out = number != 0;
    return true;
}

const char* TrueFalse(bool value) {
    return value ? "True" : "False";
}

// Round half to even: 10.5 is written 10, 11.5 is written 12.
long long WholeSize(double size) {
    if (!std::isfinite(size)) return 0;
    const double clamped = std::fmax(-1e15, std::fmin(1e15, size));
    const double down = std::floor(clamped);
    const double rest = clamped - down;
    long long whole = static_cast<long long>(down);
    if (rest > 0.5 || (rest == 0.5 && whole % 2 != 0)) ++whole;
    return whole;
}

void AppendTag(std::string& out, ItemTag which, std::string_view value, bool last = false) {
    const std::string_view tag = kItemTags[which];
    out.append("<").append(tag).append(">").append(value).append("</").append(tag).append(">");
    if (!last) out.push_back(' ');
}

} // namespace

// Tahoma in the program's character set: the face every other control of the
// menu window shows, at the 8 points of its captions, so an item that names no
// font reads like the window round it.
MenuFont DefaultItemFont() {
    MenuFont font;
    font.Name = kProgramFontName;
    font.Size = 8;
    font.Charset = static_cast<std::int16_t>(ProgramCharset());
    return font;
}

std::string ItemTypeName(int type) {
    return type >= 0 && type < static_cast<int>(std::size(kTypeNames)) ? kTypeNames[type] : std::string();
}

std::string DescribeItem(const std::string& typeName, const MenuItem& item) {
    std::string text = "Type = " + typeName;
    if (item.Type == vNotVisible || item.Type == vSpace || item.Type == vLine) return text;
    if (!item.Caption.empty()) return text + ", Caption = " + item.Caption;
    return text + ", Link = " + item.Link;
}

std::string ReadTag(std::string_view line, std::string_view tag) {
    const std::string_view tags[] = {tag};
    std::string_view text[1];
    FindTagTexts(line, tags, text);
    return std::string(text[0]);
}

MenuItem ReadItem(std::string_view line) {
    MenuItem item;
    // Only the first character counts, so a line can carry 0 to 9.
    if (!line.empty() && line[0] >= '0' && line[0] <= '9')
        item.Type = static_cast<std::int16_t>(line[0] - '0');
    std::string_view text[std::size(kItemTags)];
    FindTagTexts(line, kItemTags, text);
    item.Caption = text[kCaption];
    item.Link = text[kLink];

    item.Font = DefaultItemFont();
    if (!text[kFontName].empty()) item.Font.Name = text[kFontName];
    long number = 0;
    if (WholeNumber(text[kFontSize], 1, SHRT_MAX, number)) item.Font.Size = static_cast<double>(number);
    Boolean(text[kFontBold], item.Font.Bold);
    Boolean(text[kFontItalic], item.Font.Italic);
    Boolean(text[kFontStr], item.Font.Strikethrough);
    Boolean(text[kFontUnder], item.Font.Underline);
    if (WholeNumber(text[kFontColor], INT32_MIN, INT32_MAX, number))
        item.FontColor = static_cast<std::int32_t>(number);
    if (WholeNumber(text[kFontChar], SHRT_MIN, SHRT_MAX, number))
        item.Font.Charset = static_cast<std::int16_t>(number);
    return item;
}

std::string WriteItem(const MenuItem& item) {
    std::string line;
    line.reserve(item.Caption.size() + item.Link.size() + item.Font.Name.size() + 260);
    line.append(std::to_string(item.Type)).push_back('>');
    AppendTag(line, kCaption, item.Caption);
    AppendTag(line, kLink, item.Link);
    AppendTag(line, kFontName, item.Font.Name);
    AppendTag(line, kFontSize, std::to_string(WholeSize(item.Font.Size)));
    AppendTag(line, kFontBold, TrueFalse(item.Font.Bold));
    AppendTag(line, kFontItalic, TrueFalse(item.Font.Italic));
    AppendTag(line, kFontStr, TrueFalse(item.Font.Strikethrough));
    AppendTag(line, kFontUnder, TrueFalse(item.Font.Underline));
    AppendTag(line, kFontColor, std::to_string(item.FontColor));
    AppendTag(line, kFontChar, std::to_string(item.Font.Charset), true);
    return line;
}

} // namespace z9
