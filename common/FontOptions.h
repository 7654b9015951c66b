#pragma once
// What the font dialog offers beside the faces: the character sets by their
// script names, the point sizes it accepts and the colours of its colour list.
// No Qt here.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace z9 {

// ---- character sets

// A font character set with the name the dialog's script list gives it.
struct FontScript {
    int charset;
    const char* name;
};

// The character sets a font may be asked for, in the order the script list shows them.
const std::vector<FontScript>& FontScripts();
// The script name of a character set; a number no script list knows shows as that number.
std::string FontScriptName(int charset);

// ---- sizes

// The sizes a typed size may take, in points.
inline constexpr double kMinFontPoints = 1;
inline constexpr double kMaxFontPoints = 1638;

// A typed size: digits with at most one decimal point, blanks around them
// allowed, rounded to a tenth of a point (what the dialog keeps). Nothing when
// it is no number or out of kMinFontPoints..kMaxFontPoints.
std::optional<double> ParseFontSize(std::string_view text);
// A size as the size box shows it: "10", "10.5".
std::string FontSizeText(double points);

// ---- colours (Windows colour values, 0x00BBGGRR)

inline constexpr int RgbColor(int red, int green, int blue) {
    return (red & 0xFF) | (green & 0xFF) << 8 | (blue & 0xFF) << 16;
}
inline constexpr int ColorRed(int color) {
    return color & 0xFF;
}
inline constexpr int ColorGreen(int color) {
    return color >> 8 & 0xFF;
}
inline constexpr int ColorBlue(int color) {
    return color >> 16 & 0xFF;
}
// A value with the high bit set names a system colour (window text, ...), not an RGB value.
inline constexpr bool IsSystemColor(int color) {
    return color < 0;
}

struct NamedColor {
    int color;
    const char* name;
};

// The sixteen colours of the colour list, black first.
const std::vector<NamedColor>& FontColors();
// The position of a colour in FontColors(); nothing when it is not one of them.
std::optional<std::size_t> FontColorIndex(int color);

} // namespace z9
