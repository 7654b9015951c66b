#pragma once
// The one door for the file, folder and font dialogs of both programs. The
// default handlers show Qt's dialogs; tests install handlers that record and
// answer. Paths, titles and font names are ANSI bytes.
#include <functional>
#include <optional>
#include <string>
#include <vector>

class QFont;
class QWidget;

namespace z9 {

// One entry of a file-type list: "Batch Files (*.cmd,*.bat)" with "*.cmd;*.bat".
struct FileFilter {
    std::string description;
    std::string patterns; // several separated by ';'
    bool operator==(const FileFilter&) const = default;
};

// Splits "description\0pattern\0description\0pattern\0..." into its pairs; a
// description without a pattern at the end is dropped.
std::vector<FileFilter> ParseFileFilter(const std::string& filter);
// The entry as a Qt name filter: "Batch Files (*.cmd,*.bat) (*.cmd *.bat)". The
// pattern *.* means every file, as it does on Windows, so it becomes *.
std::string QtNameFilter(const FileFilter& filter);

// The longest path the open-file dialog hands back (its buffer holds 256
// characters with the terminating zero), and the folder browser's.
constexpr size_t kMaxOpenFilePath = 255;
constexpr size_t kMaxFolderPath = 512;

struct OpenFileRequest {
    std::string title;
    std::string startFolder; // empty: the current folder
    std::vector<FileFilter> filters;
    int filterIndex = 1; // 1-based, as the caller gives it
    bool mustExist = false;
    QWidget* owner = nullptr;
    std::string initialFile; // the name the dialog offers first; empty: none
};

struct OpenFileAnswer {
    bool ok = false;    // false: cancelled
    std::string path;   // the chosen file
    std::string folder; // the folder the dialog was in when it closed; empty when unknown
};

using OpenFileHandler = std::function<OpenFileAnswer(const OpenFileRequest&)>;
// Installs a handler and returns the previous one; an empty handler restores Qt's dialog.
OpenFileHandler SetOpenFileHandler(OpenFileHandler handler);

// The shared open-file dialog. It starts in the last dialog folder (initialFolder
// is not used); filter is pairs of description and pattern separated by character
// 0, filterIndex 1-based. Returns the chosen path, or empty text on Cancel.
// Afterwards the last dialog folder is the folder the dialog ended in and the
// program's folder is current again. A path longer than kMaxOpenFilePath is
// refused with a message and the dialog opens again. initialFile, when given,
// is the name the dialog offers first.
std::string OpenFileDialog(const std::string& title, const std::string& initialFolder,
                           const std::string& filter, int filterIndex, bool mustExist, QWidget* ownerWindow,
                           const std::string& initialFile = {});

// The folder the next open-file dialog starts in; empty at start (the current folder).
const std::string& LastDialogFolder();
void SetLastDialogFolder(const std::string& folder);

struct BrowseFolderRequest {
    std::string prompt;
    std::string startFolder; // empty: the dialog's own choice
    QWidget* owner = nullptr;
};

// The chosen folder, or nothing when cancelled.
using BrowseFolderHandler = std::function<std::optional<std::string>(const BrowseFolderRequest&)>;
BrowseFolderHandler SetBrowseFolderHandler(BrowseFolderHandler handler);

// The folder browser: the chosen folder's path, or empty text on Cancel. A path
// longer than kMaxFolderPath is refused with a message and the browser opens again.
std::string BrowseForFolder(const std::string& prompt, QWidget* ownerWindow,
                            const std::string& startFolder = {});

// A font as the font dialog shows and returns it.
struct FontChoice {
    std::string name;
    double size = 8.25; // points
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeout = false;
    int charset = 0;
    int color = 0; // a Windows colour value, 0x00BBGGRR
    bool operator==(const FontChoice&) const = default;
};

// The font as Qt draws it (Qt knows no character set or colour), and back:
// the choice `base` with what the Qt font says.
QFont FontOfChoice(const FontChoice& font);
FontChoice ChoiceOfFont(const QFont& font, FontChoice base = {});

struct FontRequest {
    FontChoice font;
    QWidget* owner = nullptr;
};

using FontHandler = std::function<std::optional<FontChoice>(const FontRequest&)>;
FontHandler SetFontHandler(FontHandler handler);

// The font dialog (FontChooser.h), started from `font`: the chosen font with
// its colour and character set, or nothing on Cancel.
std::optional<FontChoice> FontDialog(const FontChoice& font, QWidget* ownerWindow);

} // namespace z9
