#pragma once
// The open menu document and its file (.z9m).
//
// The document is its raw line list: one file line per item, line breaks inside
// an item as CR LF. A line that was not edited is saved back as it was read,
// whatever it holds; an edited line is WriteItem's. Beside it runs the summary
// list, DescribeItem of every line, for the edit list. The file holds the lines
// in the ANSI code page, each ended by CR LF, a line break inside an item as
// character 1; an empty file is an empty menu.
//
// Shape: the menu window owns one MenuDocument and gives it a MenuView. The
// document runs the whole of opening, saving and creating, with their
// questions and messages (all through MessageBox); the view only shows: the
// page header, the window caption, the page itself, and stores the last file.
//
//     class MenuWindow : public QWidget, public MenuView {
//         void LoadFields() override;  // build the page from doc_.Lines()
//         ...
//         MenuDocument doc_{this};
//     };
//     doc_.FOpen(path);            // Open, a menu link, Home, start-up
//     doc_.Back(); doc_.Revert();  // history steps
//     doc_.ReplaceItem(row, item); // the editor's commit: line, summary, MCh
//     doc_.SaveP8M(doc_.FFile());
#include "MenuItem.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace z9 {

// What the window does at the steps of an open or a save. Every step does
// nothing unless the window overrides it, so a document also works alone.
class MenuView {
public:
    virtual ~MenuView() = default;
    // A new file is about to replace the page: remove the page's items and picture.
    virtual void ClearPage() {}
    // The page header's caption: the file name without its folder.
    virtual void ShowHeader(const std::string& fileName) {}
    // Called after each line read, so a long load keeps the window painting.
    virtual void ProcessEvents() {}
    // FFile was set (open, save): Revert and Edit follow it.
    virtual void FileChanged(const std::string& path) {}
    // After an open: the window caption shows the program title, " - " and the path.
    virtual void ShowCaption(const std::string& path) {}
    // After an open: build the page from the document's lines.
    virtual void LoadFields() {}
    // After an open: the path becomes the registry value "Last".
    virtual void StoreLast(const std::string& path) {}
};

class MenuDocument {
public:
    explicit MenuDocument(MenuView* view = nullptr);
    void SetView(MenuView* view);

    // ---- the lists
    const std::vector<std::string>& Lines() const { return lines_; }
    const std::vector<std::string>& Summaries() const { return summaries_; }
    // The escaped copy of the lines that the last save wrote.
    const std::vector<std::string>& Escaped() const { return escaped_; }
    std::size_t Count() const { return lines_.size(); }
    MenuItem Item(std::size_t row) const { return ReadItem(lines_.at(row)); }

    // ---- state
    const std::string& FFile() const { return fFile_; }
    bool Dirty() const { return dirty_; }
    bool MCh() const { return mCh_; }
    // Setting MCh also sets the dirty flag; clearing it leaves the flag alone.
    void SetMCh(bool changed);

    // ---- editing: each keeps line and summary together and sets MCh.
    // Rows out of range change nothing and give false.
    bool ReplaceItem(std::size_t row, const MenuItem& item);
    bool InsertItem(std::size_t row, const MenuItem& item); // row == Count() appends
    bool RemoveItem(std::size_t row);
    bool SwapItems(std::size_t a, std::size_t b);

    // true: fills the escaped list from the lines (line breaks and character 26
    // become character 1); false: character 1 in every line back to CR LF, and
    // a lone LF or a character 26 a hand left in the file too, as a save would
    // write them.
    void RCrLf(bool escape);

    // ---- files
    // Reads the file and replaces the document with it. A file that cannot be
    // read shows "Cannot open:" and leaves the document as it was.
    bool OpenP8M(const std::string& path);
    // Writes every line to the file. The previous file is replaced only once the
    // new one is whole on disk; a failure shows "Cannot save:", keeps the old
    // file and leaves the dirty flag set.
    bool SaveP8M(const std::string& path);

    // The user's open: asks to save unsaved changes, records the current file
    // in the history, refuses what is not a menu, offers to create a missing one.
    bool FOpen(const std::string& path);
    // The history of files left by FOpen, the last one at the end.
    const std::vector<std::string>& History() const { return history_; }
    // The next FOpen returns to a file and adds none to the history.
    void SetHistoryStep() { historyStep_ = true; }
    bool HistoryStep() const { return historyStep_; }
    // Back: FOpen of the last history entry, which leaves the history. False
    // when there is none or the open fails.
    bool Back();
    // Revert: FOpen of FFile again (with the save question when dirty).
    bool Revert();

private:
    void SetFFile(const std::string& path);
    std::string Summary(const std::string& line) const;

    // The window the document tells of its steps; none for a document alone.
    // A copy tells the same window.
    MenuView& View() const;
    MenuView* view_;
    std::vector<std::string> lines_;
    std::vector<std::string> summaries_;
    std::vector<std::string> escaped_;
    std::vector<std::string> history_;
    std::string fFile_;
    bool dirty_ = false;
    bool mCh_ = false;
    bool historyStep_ = false;
};

// The lines of a menu file: each ends at CR LF or a lone CR, the last one with
// or without an ending. afterEachLine, when given, runs after every line.
std::vector<std::string> SplitMenuLines(std::string_view bytes,
                                        const std::function<void()>& afterEachLine = {});
// The file bytes of lines: every line followed by CR LF.
std::string MenuFileText(const std::vector<std::string>& lines);

// True when something (a file or a folder) is at path: what FOpen and the open
// dialog ask before they open a menu or offer to create one.
bool MenuPathExists(const std::string& path);

// Creates an empty menu file, making its folders first. An existing file is
// replaced only when the user agrees.
bool CreateMenuFile(const std::string& path);

} // namespace z9
