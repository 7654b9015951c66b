#pragma once
// The menu window, the whole of Z9Menu: the logo and the toolbar strip T1 at
// the left, the page header VexPic1 and the scrolling page P1 (in its viewport
// P2, scroll bar VS1) at the right, or in its place the edit panel P3. The page
// shows the open menu document; a click on a link opens another menu here or
// starts what the link names. Form_Load is the program's start-up.
#include "common/CanvasScroll.h"
#include "menu/document/MenuDocument.h"

#include <QElapsedTimer>
#include <QPixmap>
#include <QWidget>
#include <string>
#include <vector>

class QLabel;
class QScrollBar;

namespace z9 {

class MenuEditor;
class ucLNV;
class VexButton;
class VexItem;
class VexLabel;
class VexLine;
class VexPic;

class MenuWindow : public QWidget, public MenuView {
    Q_OBJECT
public:
    explicit MenuWindow(QWidget* parent = nullptr);
    ~MenuWindow() override;

    // Start-up from the whole argument string. False: the program cannot run
    // (the submitter is missing) and ends.
    bool Form_Load(const std::string& argumentLine);

    // ---- navigation
    // Opens a menu in this window, with the save question when the open one
    // has changes; false when nothing was opened.
    bool FOpen(const std::string& path);
    void TB1_Click();    // Back
    void TB2_Click();    // Revert
    void TB3_Click();    // Home
    void TB4_Click();    // Normal
    void TB5_Click();    // Edit
    void TB6_Click();    // Options
    void TBHelp_Click(); // Help
    void TBOpen_Click();
    void TBNew_Click();
    // 0 the page, 1 the edit panel, 2 both disabled.
    void TMode(int mode);
    // A link on the page was clicked.
    void VexItem1_MClick(const std::string& caption, const std::string& link);

    // The open dialog: open an existing menu, or create one with createNew.
    void ShowOpenDialog(bool createNew);
    // The options dialog.
    void ShowOptions();

    // ---- state
    MenuDocument& Document() { return doc_; }
    const std::string& FFile() const { return doc_.FFile(); }
    const std::string& Home() const { return home_; }
    void SetHome(const std::string& path);
    bool LockedMode() const { return lockedMode_; }
    const std::string& ProgramTitle() const { return title_; }
    const std::string& HelpFile() const { return helpFile_; }
    void SetHelpFile(const std::string& path) { helpFile_ = path; }
    // The keyword Help looks up: "Menu Edit" in the edit panel, else "Zorvan Main Menu".
    std::string HelpKeyword() const;
    const std::string& Z9SubPath() const { return z9SubPath_; }
    // True while a menu is being read or its page built.
    bool Loading() const { return loading_ > 0; }
    // A load lets the window's pending events run after a line read or an item
    // built once this many milliseconds have passed since they last ran (0:
    // after every one), so a long load keeps the window painting without
    // painting it once per item.
    void SetLoadYieldInterval(int ms) { yieldInterval_ = ms; }
    int Mode() const { return mode_; }
    // The page's height and the twips each scroll-bar step moves it.
    int PageHeight() const { return pageHeight_; }
    const CanvasScroll& Scroll() const { return scroll_; }
    // Links get their icons when they first come into view: true once link i has its icon.
    bool HasLinkIcon(std::size_t i) const { return i < iconShown_.size() && iconShown_[i]; }

    // ---- what the document asks of the window
    void ClearPage() override;
    void ShowHeader(const std::string& fileName) override;
    void ProcessEvents() override;
    void FileChanged(const std::string& path) override;
    void ShowCaption(const std::string& path) override;
    void LoadFields() override;
    void StoreLast(const std::string& path) override;

    // Lays the window out for its size.
    void Form_Resize();
    // Shows or hides VS1 for the page height and places the page.
    void UpdateScroll();

    // ---- the controls, by their names
    QLabel* Picture1 = nullptr; // the logo
    ucLNV* LNH = nullptr;       // the separator right of the logo and toolbar
    QWidget* T1 = nullptr;      // the toolbar strip
    VexButton* TB1 = nullptr;
    VexButton* TB2 = nullptr;
    VexButton* TB3 = nullptr;
    VexButton* TB4 = nullptr;
    VexButton* TB5 = nullptr;
    VexButton* TB6 = nullptr;
    VexButton* TBHelp = nullptr;
    VexButton* TBOpen = nullptr;
    VexButton* TBNew = nullptr;
    VexPic* VexPic1 = nullptr; // the page header
    QWidget* P2 = nullptr;     // the viewport
    QWidget* P1 = nullptr;     // the page
    QScrollBar* VS1 = nullptr;
    MenuEditor* P3 = nullptr; // the edit panel
    // The page's control arrays; element 0 is the hidden template.
    std::vector<VexPic*> LTitle;
    std::vector<VexLabel*> TL;
    std::vector<VexItem*> VexItem1;
    std::vector<VexLine*> TLN;
    // The pictures: 0 task, 1 generic, 2 menu, 15 the desktop's icon of the
    // link last given one; the toolbar's from 3 on.
    std::vector<QPixmap> Im1;

signals:
    // A page was built (after an open, or on leaving the edit panel with changes).
    void PageBuilt();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // One step of a load; the depth keeps nested steps from ending it early.
    class LoadScope;

    void SetToolIcons();
    std::vector<std::vector<VexButton*>> ToolGroups() const;
    void ArrangeToolbar();
    void FrameLinks();
    void ApplyStartPlacement();
    void InstallMinimumSize();
    void LoadLogo();
    void PlacePage();
    void SetPageHeight(int twips);
    void ClearItems();
    void LoadTIT(const MenuItem& item, const struct ItemPlace& place);
    void LoadLAB(const MenuItem& item, const struct ItemPlace& place);
    void LoadLink(const MenuItem& item, const struct ItemPlace& place);
    void LoadLN(const struct ItemPlace& place);
    QPixmap LinkPicture(const std::string& link);
    // Gives the links in view that have none yet their icons.
    void ShowLinkIcons();
    void FocusChanged(QWidget* old, QWidget* now);
    void SetFFileButtons(const std::string& path);

    MenuDocument doc_{this};
    std::string title_;
    std::string helpFile_;
    std::string home_;
    std::string z9SubPath_;
    bool lockedMode_ = false;
    int mode_ = 0;
    int rememberedRow_ = -1;
    int loading_ = 0;
    int yieldInterval_ = 25;
    QElapsedTimer sinceYield_;
    bool closePending_ = false;
    int pageHeight_ = 0; // twips
    CanvasScroll scroll_;
    QPixmap logo_;
    QPixmap noIcon_;              // holds an icon's room until the link comes into view
    std::vector<bool> iconShown_; // by VexItem1 index
};

} // namespace z9
