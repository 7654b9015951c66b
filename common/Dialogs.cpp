#include "Dialogs.h"

#include "AsciiText.h"
#include "CodePageQt.h"
#include "HostPath.h"
#include "MessageBox.h"
#include "PathParts.h"
#include "Program.h"

#include <QDir>
#include <QFileDialog>
#include <QFontDialog>

namespace z9 {
namespace {

std::string& LastFolder() {
    static std::string folder;
    return folder;
}

// Text that the ANSI code page cannot hold would come back with '?' in it and
// name a file that does not exist.
bool FitsCodePage(const QString& text) {
    return FromAnsi(ToAnsi(text)) == text;
}

void ReportUnwritablePath(const QString& path) {
    MessageBox("The name of the chosen file or folder cannot be written in the system's "
               "character set. Please choose another one.\n\nPath: " +
                   ToAnsi(path),
               vbExclamation);
}

OpenFileAnswer ShowQtOpenFile(const OpenFileRequest& request) {
    QString start = FromAnsi(HostPath(request.startFolder.empty() ? CurrentFolder() : request.startFolder));
    QFileDialog dialog(request.owner, FromAnsi(request.title), start);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(request.mustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    // Our filters carry their patterns twice (in the description and for Qt); show them once.
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    QStringList names;
    for (const FileFilter& filter : request.filters)
        names << FromAnsi(QtNameFilter(filter));
    if (!names.isEmpty()) {
        dialog.setNameFilters(names);
        int index = request.filterIndex;
        if (index < 1 || index > names.size()) index = 1;
        dialog.selectNameFilter(names[index - 1]);
    }
    OpenFileAnswer answer;
    for (;;) {
        bool accepted = dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty();
        answer.folder = ToAnsi(QDir::toNativeSeparators(dialog.directory().absolutePath()));
        if (!accepted) return answer;
        QString path = QDir::toNativeSeparators(dialog.selectedFiles().first());
        if (FitsCodePage(path)) {
            answer.ok = true;
            answer.path = ToAnsi(path);
            return answer;
        }
        ReportUnwritablePath(path);
    }
}

std::optional<std::string> ShowQtBrowseFolder(const BrowseFolderRequest& request) {
    QString start = request.startFolder.empty() ? QString() : FromAnsi(HostPath(request.startFolder));
    for (;;) {
        QString folder = QFileDialog::getExistingDirectory(request.owner, FromAnsi(request.prompt), start);
        if (folder.isEmpty()) return std::nullopt;
        folder = QDir::toNativeSeparators(folder);
        if (FitsCodePage(folder)) return ToAnsi(folder);
        ReportUnwritablePath(folder);
        start = folder;
    }
}

std::optional<FontChoice> ShowQtFont(const FontRequest& request) {
    QFont initial;
    initial.setFamily(FromAnsi(request.font.name));
    if (request.font.size > 0) initial.setPointSizeF(request.font.size);
    initial.setBold(request.font.bold);
    initial.setItalic(request.font.italic);
    initial.setUnderline(request.font.underline);
    initial.setStrikeOut(request.font.strikeout);
    bool ok = false;
    QFont chosen = QFontDialog::getFont(&ok, initial, request.owner);
    if (!ok) return std::nullopt;
    FontChoice result = request.font; // Qt knows no character set or colour: those stay
    result.name = ToAnsi(chosen.family());
    result.size = chosen.pointSizeF();
    result.bold = chosen.weight() >= QFont::Bold;
    result.italic = chosen.italic();
    result.underline = chosen.underline();
    result.strikeout = chosen.strikeOut();
    return result;
}

OpenFileHandler& OpenFileHandlerSlot() {
    static OpenFileHandler handler = ShowQtOpenFile;
    return handler;
}

BrowseFolderHandler& BrowseFolderHandlerSlot() {
    static BrowseFolderHandler handler = ShowQtBrowseFolder;
    return handler;
}

FontHandler& FontHandlerSlot() {
    static FontHandler handler = ShowQtFont;
    return handler;
}

template <typename Handler> Handler Swap(Handler& slot, Handler handler, Handler fallback) {
    Handler previous = std::move(slot);
    slot = handler ? std::move(handler) : std::move(fallback);
    return previous;
}

} // namespace

std::vector<FileFilter> ParseFileFilter(const std::string& filter) {
    std::vector<std::string> parts;
    size_t start = 0;
    while (start < filter.size()) {
        size_t end = filter.find('\0', start);
        if (end == std::string::npos) end = filter.size();
        if (end == start) break; // the closing double zero
        parts.push_back(filter.substr(start, end - start));
        start = end + 1;
    }
    std::vector<FileFilter> filters;
    for (size_t i = 0; i + 1 < parts.size(); i += 2)
        filters.push_back({parts[i], parts[i + 1]});
    return filters;
}

std::string QtNameFilter(const FileFilter& filter) {
    std::string patterns;
    size_t start = 0;
    while (start <= filter.patterns.size()) {
        size_t end = filter.patterns.find(';', start);
        if (end == std::string::npos) end = filter.patterns.size();
        std::string pattern = Trim(filter.patterns.substr(start, end - start));
        if (pattern == "*.*") pattern = "*";
        if (!pattern.empty()) patterns += (patterns.empty() ? "" : " ") + pattern;
        start = end + 1;
    }
    if (patterns.empty()) patterns = "*";
    return filter.description + " (" + patterns + ")";
}

OpenFileHandler SetOpenFileHandler(OpenFileHandler handler) {
    return Swap(OpenFileHandlerSlot(), std::move(handler), OpenFileHandler(ShowQtOpenFile));
}

BrowseFolderHandler SetBrowseFolderHandler(BrowseFolderHandler handler) {
    return Swap(BrowseFolderHandlerSlot(), std::move(handler), BrowseFolderHandler(ShowQtBrowseFolder));
}

FontHandler SetFontHandler(FontHandler handler) {
    return Swap(FontHandlerSlot(), std::move(handler), FontHandler(ShowQtFont));
}

const std::string& LastDialogFolder() {
    return LastFolder();
}
void SetLastDialogFolder(const std::string& folder) {
    LastFolder() = folder;
}

std::string OpenFileDialog(const std::string& title, const std::string& initialFolder,
                           const std::string& filter, int filterIndex, bool mustExist, QWidget* ownerWindow) {
    OpenFileRequest request{title,       LastFolder(), ParseFileFilter(filter),
                            filterIndex, mustExist,    ownerWindow};
    std::string chosen;
    for (;;) {
        OpenFileAnswer answer = OpenFileHandlerSlot()(request);
        if (answer.ok) {
            LastFolder() = ParentFolder(answer.path).empty() ? answer.folder : ParentFolder(answer.path);
            if (answer.path.size() > kMaxOpenFilePath) {
                // Windows would cut the name short or fail; neither opens the right file.
                MessageBox(
                    "The path of the chosen file is longer than " + std::to_string(kMaxOpenFilePath) +
                        " characters. Please choose a file with a shorter path.\n\nFile: " + answer.path,
                    vbExclamation);
                request.startFolder = LastFolder();
                continue;
            }
            chosen = answer.path;
        } else if (!answer.folder.empty()) {
            LastFolder() = answer.folder;
        }
        break;
    }
    SetCurrentFolder(ProgramFolder());
    return chosen;
}

std::string BrowseForFolder(const std::string& prompt, QWidget* ownerWindow, const std::string& startFolder) {
    BrowseFolderRequest request{prompt, startFolder, ownerWindow};
    for (;;) {
        std::optional<std::string> folder = BrowseFolderHandlerSlot()(request);
        if (!folder) return {};
        if (folder->size() <= kMaxFolderPath) return *folder;
        MessageBox("The path of the chosen folder is longer than " + std::to_string(kMaxFolderPath) +
                       " characters. Please choose a folder with a shorter path.\n\nFolder: " + *folder,
                   vbExclamation);
        request.startFolder = *folder;
    }
}

std::optional<FontChoice> FontDialog(const FontChoice& font, QWidget* ownerWindow) {
    return FontHandlerSlot()(FontRequest{font, ownerWindow});
}

} // namespace z9
