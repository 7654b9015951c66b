#pragma once
// The pictures of the open and options dialogs' buttons, drawn at the size the
// screen needs.
#include <QPixmap>

class QWidget;

namespace z9 {

class VexButton;

enum class DialogIcon {
    OpenMenu,   // OK while an existing menu is opened
    CreateMenu, // OK while a new menu is created
    Cancel,
    Browse,
    Apply,
    Support,
};

// The icon, 16 pixels square at 96 dpi (240 twips) on the primary screen,
// sharp at its pixel ratio.
QPixmap DrawDialogIcon(DialogIcon icon);

// A dialog button showing only the icon, named `name`, with `tip` as its tool
// tip and its name for assistive technology.
VexButton* MakeIconButton(QWidget* parent, const char* name, DialogIcon icon, const char* tip);

} // namespace z9
