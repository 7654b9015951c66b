#include "MenuItem.h"

#include "common/AsciiText.h"
#include "common/Program.h"
#include "common/Settings.h"

#include <climits>
#include <cmath>
#include <iterator>

namespace z9 {
namespace {

constexpr const char* kTypeNames[] = {"vNotVisible", "vTitle", "vLabel", "vLink", "vSpace", "vLine"};

// Position of "<tag>" (closing: "</tag>") at or after from, or npos.
std::size_t FindTag(std::string_view line, std::string_view tag, bool closing, std::size_t from) {
    const std::size_t lead = closing ? 2 : 1;
    const std::size_t size = lead + tag.size() + 1;
    for (std::size_t at = line.find('<', from); at != std::string_view::npos; at = line.find('<', at + 1)) {
        if (line.size() - at < size) return std::string_view::npos;
        if (closing && line[at + 1] != '/') continue;
        if (line.compare(at + lead, tag.size(), tag) == 0 && line[at + lead + tag.size()] == '>') return at;
    }
    return std::string_view::npos;
}

// A whole number in [low, high], fractions rounded half to even, as the
// system converts a text to a number; false when it is none or out of range.
bool WholeNumber(const std::string& text, long low, long high, long& out) {
    long value = 0;
    if (!SettingNumber(text, value) || value < low || value > high) return false;
    out = value;
    return true;
}

// "True" and "False" in any case, or a number (0 is false).
bool Boolean(const std::string& text, bool& out) {
    const std::string word = UpperAscii(std::string(TrimView(text, kBlanks)));
    if (word == "TRUE" || word == "FALSE") {
        out = word == "TRUE";
        return true;
    }
    long number = 0;
    if (!SettingNumber(text, number)) return false;
    out = number != 0;
    return true;
}

void ReadBoolean(std::string_view line, std::string_view tag, bool& field) {
    Boolean(ReadTag(line, tag), field);
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

void AppendTag(std::string& out, const char* tag, std::string_view value, bool last = false) {
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
    const std::size_t open = FindTag(line, tag, false, 0);
    if (open == std::string_view::npos) return {};
    const std::size_t from = open + tag.size() + 2;
    const std::size_t close = FindTag(line, tag, true, open + 1);
    if (close == std::string_view::npos) return std::string(line.substr(from));
    return std::string(line.substr(from, close - from));
}

MenuItem ReadItem(std::string_view line) {
    MenuItem item;
    // Only the first character counts, so a line can carry 0 to 9.
    if (!line.empty() && line[0] >= '0' && line[0] <= '9')
        item.Type = static_cast<std::int16_t>(line[0] - '0');
    item.Caption = ReadTag(line, "CAPTION");
    item.Link = ReadTag(line, "LINK");

    item.Font = DefaultItemFont();
    std::string name = ReadTag(line, "FONTNAME");
    if (!name.empty()) item.Font.Name = std::move(name);
    long number = 0;
    if (WholeNumber(ReadTag(line, "FONTSIZE"), 1, SHRT_MAX, number))
        item.Font.Size = static_cast<double>(number);
    ReadBoolean(line, "FONTBOLD", item.Font.Bold);
    ReadBoolean(line, "FONTITALIC", item.Font.Italic);
    ReadBoolean(line, "FONTSTR", item.Font.Strikethrough);
    ReadBoolean(line, "FONTUNDER", item.Font.Underline);
    if (WholeNumber(ReadTag(line, "FONTCOLOR"), INT32_MIN, INT32_MAX, number))
        item.FontColor = static_cast<std::int32_t>(number);
    if (WholeNumber(ReadTag(line, "FONTCHAR"), SHRT_MIN, SHRT_MAX, number))
        item.Font.Charset = static_cast<std::int16_t>(number);
    return item;
}

std::string WriteItem(const MenuItem& item) {
    std::string line;
    line.reserve(item.Caption.size() + item.Link.size() + item.Font.Name.size() + 260);
    line.append(std::to_string(item.Type)).push_back('>');
    AppendTag(line, "CAPTION", item.Caption);
    AppendTag(line, "LINK", item.Link);
    AppendTag(line, "FONTNAME", item.Font.Name);
    AppendTag(line, "FONTSIZE", std::to_string(WholeSize(item.Font.Size)));
    AppendTag(line, "FONTBOLD", TrueFalse(item.Font.Bold));
    AppendTag(line, "FONTITALIC", TrueFalse(item.Font.Italic));
    AppendTag(line, "FONTSTR", TrueFalse(item.Font.Strikethrough));
    AppendTag(line, "FONTUNDER", TrueFalse(item.Font.Underline));
    AppendTag(line, "FONTCOLOR", std::to_string(item.FontColor));
    AppendTag(line, "FONTCHAR", std::to_string(item.Font.Charset), true);
    return line;
}

} // namespace z9
