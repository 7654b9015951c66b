#include "FontOptions.h"

#include "AsciiText.h"

#include <cmath>

namespace z9 {

const std::vector<FontScript>& FontScripts() {
    static const std::vector<FontScript> scripts = {
        {0, "Western"},         {238, "Central European"}, {204, "Cyrillic"},
        {161, "Greek"},         {162, "Turkish"},          {177, "Hebrew"},
        {178, "Arabic"},        {186, "Baltic"},           {163, "Vietnamese"},
        {222, "Thai"},          {128, "Japanese"},         {129, "Hangul"},
        {130, "Hangul(Johab)"}, {134, "Chinese GB2312"},   {136, "Chinese Big5"},
        {2, "Symbol"},          {255, "OEM/DOS"},          {77, "Mac"},
        {1, "Default"},
    };
    return scripts;
}

std::string FontScriptName(int charset) {
    for (const FontScript& script : FontScripts())
        if (script.charset == charset) return script.name;
    return std::to_string(charset);
}

std::optional<double> ParseFontSize(std::string_view text) {
    text = TrimView(text, kBlanks);
    if (text.empty() || text.size() > 16) return std::nullopt;
    double whole = 0;
    double fraction = 0;
    double scale = 1;
    bool point = false;
    bool digits = false;
    for (char c : text) {
        if (c == '.' && !point) {
            point = true;
        } else if (c >= '0' && c <= '9') {
            digits = true;
            if (point) {
                scale /= 10;
                fraction += (c - '0') * scale;
            } else {
                whole = whole * 10 + (c - '0');
            }
        } else {
            return std::nullopt;
        }
    }
    if (!digits) return std::nullopt;
    const double points = std::round((whole + fraction) * 10) / 10;
    if (points < kMinFontPoints || points > kMaxFontPoints) return std::nullopt;
    return points;
}

std::string FontSizeText(double points) {
    const long tenths = std::lround(points * 10);
    std::string text = std::to_string(tenths / 10);
    if (tenths % 10 != 0) text += "." + std::to_string(tenths % 10);
    return text;
}

const std::vector<NamedColor>& FontColors() {
    static const std::vector<NamedColor> colors = {
        {RgbColor(0, 0, 0), "Black"},        {RgbColor(128, 0, 0), "Maroon"},
        {RgbColor(0, 128, 0), "Green"},      {RgbColor(128, 128, 0), "Olive"},
        {RgbColor(0, 0, 128), "Navy"},       {RgbColor(128, 0, 128), "Purple"},
        {RgbColor(0, 128, 128), "Teal"},     {RgbColor(128, 128, 128), "Gray"},
        {RgbColor(192, 192, 192), "Silver"}, {RgbColor(255, 0, 0), "Red"},
        {RgbColor(0, 255, 0), "Lime"},       {RgbColor(255, 255, 0), "Yellow"},
        {RgbColor(0, 0, 255), "Blue"},       {RgbColor(255, 0, 255), "Fuchsia"},
        {RgbColor(0, 255, 255), "Aqua"},     {RgbColor(255, 255, 255), "White"},
    };
    return colors;
}

std::optional<std::size_t> FontColorIndex(int color) {
    const std::vector<NamedColor>& colors = FontColors();
    for (std::size_t i = 0; i < colors.size(); ++i)
        if (colors[i].color == color) return i;
    return std::nullopt;
}

} // namespace z9
