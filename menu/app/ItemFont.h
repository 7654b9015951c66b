#pragma once
// An item's font and colour as the controls and the font dialog show them.
#include "common/Dialogs.h"
#include "menu/document/MenuItem.h"

#include <QColor>
#include <QFont>
#include <cstdint>

namespace z9 {

// The item's font and colour as the font dialog takes them, and back.
FontChoice ItemFontChoice(const MenuFont& font, std::int32_t color);
MenuFont ItemMenuFont(const FontChoice& choice);

// The font of a caption; the character set has no say in Qt's fonts.
QFont ItemQFont(const MenuFont& font);
// The font back as an item keeps it, with the character set given.
MenuFont ItemMenuFont(const QFont& font, std::int16_t charset);

// A Windows colour value (0x00BBGGRR). A system colour (the high bit set)
// shows as the window's text colour.
QColor ItemQColor(std::int32_t color);

} // namespace z9
