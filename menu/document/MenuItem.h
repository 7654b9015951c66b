#pragma once
// One item of a menu document and its file line:
//   3><CAPTION>Payroll</CAPTION> <LINK>C:\Jobs\pay.z9f</LINK> <FONTNAME>Arial</FONTNAME> ...
// Reading never fails: whatever a line lacks or holds in a form that does not
// convert keeps its default. Text is ANSI bytes.
#include <cstdint>
#include <string>
#include <string_view>

namespace z9 {

enum ItemType : std::int16_t {
    vNotVisible = 0, // kept in the document, takes no room
    vTitle = 1,
    vLabel = 2,
    vLink = 3,
    vSpace = 4,
    vLine = 5,
};

// The font of a caption, as the font dialog and the file describe it.
struct MenuFont {
    std::string Name;
    double Size = 0; // points; the file holds whole numbers
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool Strikethrough = false;
    std::int16_t Charset = 0;
    bool operator==(const MenuFont&) const = default;
};

// The font an item gets for whatever its line does not say, and the font the
// editor starts from for an item without one.
MenuFont DefaultItemFont();

struct MenuItem {
    std::int16_t Type = vNotVisible; // an ItemType; a line may carry 0 to 9
    std::string Caption;             // line breaks as CR LF
    std::string Link;                // kept for every type, started only for vLink
    MenuFont Font;
    std::int32_t FontColor = 0; // 0x00BBGGRR
    bool operator==(const MenuItem&) const = default;
};

// "vNotVisible" ... "vLine" for 0 to 5; empty text for any other value.
std::string ItemTypeName(int type);

// The edit list's text for an item: "Type = vLink, Caption = Payroll", the
// link when the caption is empty, only the type for hidden items, spaces and lines.
std::string DescribeItem(const std::string& typeName, const MenuItem& item);

// The tags of an item line, in the order a save writes them.
inline constexpr std::string_view kItemTags[] = {"CAPTION",   "LINK",       "FONTNAME", "FONTSIZE",
                                                 "FONTBOLD",  "FONTITALIC", "FONTSTR",  "FONTUNDER",
                                                 "FONTCOLOR", "FONTCHAR"};

// The text between <tag> and the </tag> after it, or up to the end of the line
// when the closing tag is missing; empty when the line has no <tag>. Tags are
// case-sensitive and found anywhere in the line.
std::string ReadTag(std::string_view line, std::string_view tag);

MenuItem ReadItem(std::string_view line);

// The item as one line, tags in file order. The size is rounded half to even.
// Texts are written as they are: a text that holds one of the line's own tags
// ("<LINK>", "</CAPTION>" ...) does not read back as it was, since the files
// carry no escape for it and every menu written so far must still read the same.
std::string WriteItem(const MenuItem& item);

} // namespace z9
