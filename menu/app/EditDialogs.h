#pragma once
// The dialogs of the edit view's caption and command boxes: Change Font,
// Insert Path and Browse. The editor hands over what its boxes hold and puts
// back what comes out; the dialogs themselves go through Dialogs.h. No Qt here.
#include "common/Dialogs.h"

#include <cstddef>
#include <optional>
#include <string>

class QWidget;

namespace z9 {

// ---- Change Font

// The longest face name the font dialog is started with.
inline constexpr std::size_t kFontDialogFaceMax = 30;

// The font dialog's starting font: the caption box's font and colour with the
// face name cut to kFontDialogFaceMax characters.
FontChoice FontDialogStart(FontChoice caption);
// What the caption box takes from the dialog's answer: a size the page would
// not show (PageFontSize) comes down to the largest it shows.
FontChoice CaptionFontOf(FontChoice chosen);

// Change Font: the font dialog over owner, started from the caption box's font
// and colour. The font and colour the box takes, or nothing on Cancel, when the
// box keeps its own. Either way the editor commits the item afterwards.
std::optional<FontChoice> ChangeCaptionFont(const FontChoice& caption, QWidget* owner);

// ---- Insert Path and Browse

// The file types both dialogs offer, as OpenFileDialog takes them.
const std::string& BrowseFilter();
// The file type a starting text picks: 1 menus, 2 task files, 3 programs, 4
// every file. A closing quote after the extension does not hide it.
int BrowseFilterIndex(const std::string& start);
// path in double quotes, each one added only when it is missing.
std::string QuotedPath(const std::string& path);

// Insert Path: the open-file dialog started from the caption's selected text.
// The chosen path, to replace the selection; empty on Cancel.
std::string InsertPath(const std::string& selected, QWidget* owner);

// Browse with `selected` the command box's selected text. With a selection the
// dialog starts from it and the answer, the chosen path in quotes, replaces
// just the selection. Without one it starts from the program part of command
// and the answer is the whole new command: the quoted path, then the old
// command's arguments and launch switch. Nothing on Cancel.
std::optional<std::string> BrowseCommand(const std::string& command, const std::string& selected,
                                         QWidget* owner);
// The command whose program part is replaced by `program` (quoted as
// QuotedPath does), keeping the arguments and the launch switch.
std::string ReplaceProgram(const std::string& command, const std::string& program);

} // namespace z9
