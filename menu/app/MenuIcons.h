#pragma once
// The menu program's own pictures: the toolbar icons and the icons of task,
// menu and generic links, drawn at the size the screen needs.
#include <QPixmap>

namespace z9 {

enum class MenuIcon {
    Task,    // a task file (.z9f), or a link that starts the submitter
    Generic, // a link the desktop has no icon for
    Menu,    // another menu (.z9m)
    Back,
    Revert,
    Home,
    Normal,
    Edit,
    Options,
    Help,
    Open,
    New,
    Save,
    InsertNew,
    Remove,
    MoveUp,
    MoveDown,
    ChangeFont,
    InsertPath,
    Browse,
    SetHome,
};

// The side of an icon in twips (16 pixels at 96 dpi).
inline constexpr int kIconTwips = 240;

// The icon, kIconTwips square on the primary screen, sharp at its pixel ratio.
QPixmap DrawMenuIcon(MenuIcon icon);
// The same at `side` device-independent pixels and the given pixel ratio.
QPixmap DrawMenuIcon(MenuIcon icon, int side, qreal pixelRatio);

} // namespace z9
