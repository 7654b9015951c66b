#include "Dialogs.h"

#include "AsciiText.h"
#include "CodePageQt.h"
#include "FontChooser.h"
#include "HostPath.h"
#include "MessageBox.h"
#include "PathParts.h"
#include "Program.h"

#include <QDir>
#include <QFileDialog>

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
    if (!request.initialFile.empty()) dialog.selectFile(FromAnsi(HostPath(request.initialFile)));
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

std::optional<FontChoice> ShowFontChooser(const FontRequest& request) {
    FontChooser dialog(request.font, request.owner);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.Choice();
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
    static FontHandler handler = ShowFontChooser;
    return handler;
}

template <typename Handler> Handler Swap(Handler& slot, Handler handler, Handler fallback) {
    Handler previous = std::move(slot);
    slot = handler ? std::move(handler) : std::move(fallback);
    return previous;
}

} // namespace

QFont FontOfChoice(const FontChoice& font) {
    QFont q;
    q.setFamily(FromAnsi(font.name));
    if (font.size > 0) q.setPointSizeF(font.size);
    q.setBold(font.bold);
    q.setItalic(font.italic);
    q.setUnderline(font.underline);
    q.setStrikeOut(font.strikeout);
    return q;
}

FontChoice ChoiceOfFont(const QFont& font, FontChoice base) {
    base.name = ToAnsi(font.family());
    base.size = font.pointSizeF();
    base.bold = font.weight() >= QFont::Bold;
    base.italic = font.italic();
    base.underline = font.underline();
    base.strikeout = font.strikeOut();
    return base;
}

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
    return Swap(FontHandlerSlot(), std::move(handler), FontHandler(ShowFontChooser));
}

const std::string& LastDialogFolder() {
    return LastFolder();
}
void SetLastDialogFolder(const std::string& folder) {
    LastFolder() = folder;
}

std::string OpenFileDialog(const std::string& title, const std::string& initialFolder,
                           const std::string& filter, int filterIndex, bool mustExist, QWidget* ownerWindow,
                           const std::string& initialFile) {
    OpenFileRequest request{title,       LastFolder(), ParseFileFilter(filter), filterIndex, mustExist,
                            ownerWindow, initialFile};
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
