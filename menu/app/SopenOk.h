#pragma once
// OK of the open dialog (Sopen): the checks of the typed path, the question
// for a missing menu, creating a new one and handing the path to the menu
// window. No Qt here; the dialog shows what this decides.
#include <functional>
#include <string>

namespace z9 {

// The menu window's FOpen: opens the menu at the path with the window's own
// questions and messages; true when the menu is shown.
using MenuOpener = std::function<bool(const std::string& path)>;

enum class SopenStep {
    Stay,  // a message was shown or the user refused: the dialog stays, Text1 takes the focus
    Close, // the menu is open
};

// Runs OK on path (Text1) with mNew (true: create a new menu). path gains
// ".z9m" when a new menu's path has no "."; mNew turns true when the user
// agrees to create a menu that does not exist.
SopenStep SopenOk(std::string& path, bool& mNew, const MenuOpener& fopen);

} // namespace z9
