#include "menu/app/ItemFont.h"

#include <QGuiApplication>
#include <QPalette>

namespace z9 {

FontChoice ItemFontChoice(const MenuFont& font, std::int32_t color) {
    FontChoice choice;
    choice.name = font.Name;
    choice.size = font.Size;
    choice.bold = font.Bold;
    choice.italic = font.Italic;
    choice.underline = font.Underline;
    choice.strikeout = font.Strikethrough;
    choice.charset = font.Charset;
    choice.color = color;
    return choice;
}

MenuFont ItemMenuFont(const FontChoice& choice) {
    MenuFont font;
    font.Name = choice.name;
    font.Size = choice.size;
    font.Bold = choice.bold;
    font.Italic = choice.italic;
    font.Underline = choice.underline;
    font.Strikethrough = choice.strikeout;
    font.Charset = static_cast<std::int16_t>(choice.charset);
    return font;
}

QFont ItemQFont(const MenuFont& font) {
    return FontOfChoice(ItemFontChoice(font, 0));
}

MenuFont ItemMenuFont(const QFont& font, std::int16_t charset) {
    FontChoice base;
    base.charset = charset;
    return ItemMenuFont(ChoiceOfFont(font, base));
}

QColor ItemQColor(std::int32_t color) {
    if (color < 0) return QGuiApplication::palette().color(QPalette::WindowText);
    return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

} // namespace z9
