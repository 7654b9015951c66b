#include "menu/app/MenuWindow.h"

#include "common/CodePage.h"
#include "common/CodePageQt.h"
#include "common/FileIcon.h"
#include "common/FileSearch.h"
#include "common/FormBuilder.h"
#include "common/HelpFile.h"
#include "common/HostPath.h"
#include "common/HostText.h"
#include "common/MessageBox.h"
#include "common/P8LocaleSettings.h"
#include "common/PathParts.h"
#include "common/Program.h"
#include "common/Registry.h"
#include "common/Twips.h"
#include "common/WindowFrame.h"
#include "menu/app/ExpandEnvVars.h"
#include "menu/app/ItemFont.h"
#include "menu/app/LinkIcon.h"
#include "menu/app/MenuAssociation.h"
#include "menu/app/MenuEditor.h"
#include "menu/app/MenuIcons.h"
#include "menu/app/MenuSettings.h"
#include "menu/app/MenuStartUp.h"
#include "menu/app/Options.h"
#include "menu/app/PageLayout.h"
#include "menu/app/ShellRun.h"
#include "menu/app/Sopen.h"
#include "menu/app/ToolStrip.h"
#include "widgets/Frame3D.h"
#include "widgets/VexButton.h"
#include "widgets/VexItem.h"
#include "widgets/VexLabel.h"
#include "widgets/VexLine.h"
#include "widgets/VexPic.h"

#include <QApplication>
#include <QCloseEvent>
#include <QImageReader>
#include <QLabel>
#include <QListWidget>
#include <QScreen>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>
#include <filesystem>
#include <memory>

namespace z9 {

namespace {

// Design sizes, twips.
constexpr int kLeftColumn = 1560; // left edge of LNH: the logo and the toolbar stand left of it
constexpr int kMargin = 60;
constexpr int kHeaderHeight = 480;

// Where the toolbar icons stand in Im1 (0 to 2 and 15 are the link pictures).
constexpr int kImTask = 0;
constexpr int kImGeneric = 1;
constexpr int kImMenu = 2;
constexpr int kImDesktop = 15;

// Places a control in twips; a size below nothing is none.
void PlaceIn(QWidget* w, int left, int top, int width, int height) {
    Place(w, left, top, std::max(0, width), std::max(0, height));
}

// A new element of a page's control array, named after the array and its index.
template <class Control> Control* NewElement(QWidget* page, std::vector<Control*>& array, const char* name) {
    auto* control = new Control(page);
    control->setObjectName(QStringLiteral("%1_%2").arg(QLatin1String(name)).arg(array.size()));
    array.push_back(control);
    return control;
}

// A title or a label in its place, with its font, colour and caption.
template <class Control> void ShowCaptioned(Control* c, const MenuItem& item, const ItemPlace& place) {
    PlaceIn(c, place.left, place.top, place.width, PixelsToTwipsY(c->height()));
    c->SetFont(ItemQFont(item.Font));
    c->SetFontColor(ItemQColor(item.FontColor));
    c->SetCaption(item.Caption);
    c->show();
}

bool ExistsOnDisk(const std::string& path) {
    std::error_code ec;
    return std::filesystem::exists(std::filesystem::path(path), ec);
}

int ScreenWidthTwips() {
    QScreen* screen = QGuiApplication::primaryScreen();
    return PixelsToTwipsX(screen ? screen->geometry().width() : 1024);
}

} // namespace

class MenuWindow::LoadScope {
public:
    explicit LoadScope(MenuWindow* w) : w_(w) {
        if (w_->loading_++ == 0) w_->sinceYield_.start();
    }
    ~LoadScope() {
        if (--w_->loading_ == 0 && w_->closePending_) {
            w_->closePending_ = false;
            QMetaObject::invokeMethod(w_, &QWidget::close, Qt::QueuedConnection);
        }
    }
    LoadScope(const LoadScope&) = delete;
    LoadScope& operator=(const LoadScope&) = delete;

private:
    MenuWindow* w_;
};

MenuWindow::MenuWindow(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("MenuWindow"));

    Picture1 = new QLabel(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setScaledContents(true);
    Picture1->hide();

    LNH = new ucLNV(this);
    LNH->setObjectName(QStringLiteral("LNH"));

    T1 = new QWidget(this);
    T1->setObjectName(QStringLiteral("T1"));
    TB1 = MakeToolButton(T1, "TB1");
    TB2 = MakeToolButton(T1, "TB2");
    TB3 = MakeToolButton(T1, "TB3");
    TBHelp = MakeToolButton(T1, "TBHelp");
    TBOpen = MakeToolButton(T1, "TBOpen");
    TBNew = MakeToolButton(T1, "TBNew");
    TB4 = MakeToolButton(T1, "TB4");
    TB5 = MakeToolButton(T1, "TB5");
    TB6 = MakeToolButton(T1, "TB6");
    connect(TB1, &VexButton::ButtonClick, this, &MenuWindow::TB1_Click);
    connect(TB2, &VexButton::ButtonClick, this, &MenuWindow::TB2_Click);
    connect(TB3, &VexButton::ButtonClick, this, &MenuWindow::TB3_Click);
    connect(TB4, &VexButton::ButtonClick, this, &MenuWindow::TB4_Click);
    connect(TB5, &VexButton::ButtonClick, this, &MenuWindow::TB5_Click);
    connect(TB6, &VexButton::ButtonClick, this, &MenuWindow::TB6_Click);
    connect(TBHelp, &VexButton::ButtonClick, this, &MenuWindow::TBHelp_Click);
    connect(TBOpen, &VexButton::ButtonClick, this, &MenuWindow::TBOpen_Click);
    connect(TBNew, &VexButton::ButtonClick, this, &MenuWindow::TBNew_Click);
    TB2->SetEnabledM(false);
    TB3->SetEnabledM(false);
    TB5->SetEnabledM(false);

    VexPic1 = new VexPic(this);
    VexPic1->setObjectName(QStringLiteral("VexPic1"));
    VexPic1->SetFixedPos(true);

    P2 = new QWidget(this);
    P2->setObjectName(QStringLiteral("P2"));
    P1 = new QWidget(P2);
    P1->setObjectName(QStringLiteral("P1"));
    VS1 = new QScrollBar(Qt::Vertical, P2);
    VS1->setObjectName(QStringLiteral("VS1"));
    VS1->setAccessibleName(QStringLiteral("Page"));
    VS1->hide();
    connect(VS1, &QScrollBar::valueChanged, this, [this] { PlacePage(); });
    connect(VS1, &QScrollBar::sliderMoved, this, [this] { PlacePage(); });
    P2->installEventFilter(this);
    P1->installEventFilter(this);

    // Templates: element 0 of each array, never shown.
    LTitle.push_back(new VexPic(P1));
    LTitle[0]->setObjectName(QStringLiteral("LTitle_0"));
    TL.push_back(new VexLabel(P1));
    TL[0]->setObjectName(QStringLiteral("TL_0"));
    VexItem1.push_back(new VexItem(P1));
    VexItem1[0]->setObjectName(QStringLiteral("VexItem1_0"));
    TLN.push_back(new VexLine(P1));
    TLN[0]->setObjectName(QStringLiteral("TLN_0"));
    for (QWidget* w : std::initializer_list<QWidget*>{LTitle[0], TL[0], VexItem1[0], TLN[0]})
        w->hide();

    P3 = new MenuEditor(doc_, this);
    P3->setObjectName(QStringLiteral("P3"));
    P3->hide();
    P3->OnSave = [this] {
        if (!FFile().empty()) doc_.SaveP8M(FFile());
    };
    P3->OnSetHome = [this] {
        if (FFile().empty()) return;
        StoreHomeMenu(FFile());
        SetHome(FFile());
    };

    Im1.resize(16 + static_cast<int>(MenuIcon::SetHome));
    connect(qApp, &QApplication::focusChanged, this, &MenuWindow::FocusChanged);
}

// The window stops hearing of focus changes before it is taken apart: closing
// it moves the focus, and that must not reach a half-destroyed window.
MenuWindow::~MenuWindow() {
    if (qApp) disconnect(qApp, &QApplication::focusChanged, this, &MenuWindow::FocusChanged);
    doc_.SetView(nullptr);
}

bool MenuWindow::Form_Load(const std::string& argumentLine) {
    // 1, 2: the help file and the title.
    helpFile_ = MenuHelpFile();
    title_ = MenuProgramTitle(Z9_VERSION_MAJOR, Z9_VERSION_MINOR, Z9_VERSION_REVISION);
    SetAppTitle(title_);
    setWindowTitle(FromAnsi(title_));

    // 3: the submitter runs the task links; without it the menu has no purpose.
    if (!ExistsOnDisk(ProgramFile("Z9Sub"))) {
        MessageBox(Z9SubMissingText(), vbExclamation);
        return false;
    }
    // 4, 5
    z9SubPath_ = ProgramFile("Z9Sub");
    SetFormFonts(this);
    QFont header = VexPic1->Font();
    header.setPointSize(10);
    header.setBold(true);
    VexPic1->SetFont(header);

    // 6: the editor starts empty.
    P3->ClearEditor();

    // 7: the home menu.
    std::string home = ReadHomeMenu();
    if (home.empty()) home = FolderMenu();
    SetHome(home);

    // 8, 9
    SetToolIcons();
    RegisterMenuFileType();

    // 10: the command line.
    const MenuCommandLine command = ParseMenuCommandLine(argumentLine);
    lockedMode_ = command.lockedMode;
    if (lockedMode_) {
        for (VexButton* b : {TBOpen, TBNew, TB5, TB4, TB6})
            b->SetEnabledM(false);
    }
    std::string file = command.file;
    if (file.empty()) file = StartUpMenu(ReadStartOpen(), FolderMenu(), home_, ReadLastMenu());

    // 11, 12
    ApplyStartPlacement();
    Form_Resize();
    show();
    ArrangeToolbar();
    TMode(0);

    // 13
    if (!file.empty()) {
        if (!FOpen(StripQuotes(file))) ShowOpenDialog(false);
    } else {
        ShowOpenDialog(false);
    }

    // 14
    InstallMinimumSize();
    return true;
}

void MenuWindow::SetToolIcons() {
    Im1[kImTask] = DrawMenuIcon(MenuIcon::Task);
    Im1[kImGeneric] = DrawMenuIcon(MenuIcon::Generic);
    Im1[kImMenu] = DrawMenuIcon(MenuIcon::Menu);
    noIcon_ = QPixmap(Im1[kImGeneric].size());
    noIcon_.setDevicePixelRatio(Im1[kImGeneric].devicePixelRatio());
    noIcon_.fill(Qt::transparent);
    for (int i = static_cast<int>(MenuIcon::Back); i <= static_cast<int>(MenuIcon::SetHome); ++i)
        Im1[kImDesktop + 1 + i - static_cast<int>(MenuIcon::Back)] = DrawMenuIcon(static_cast<MenuIcon>(i));
    DressToolButtons({
        {TB1, MenuIcon::Back, "Back"},
        {TB2, MenuIcon::Revert, "Revert"},
        {TB3, MenuIcon::Home, "Home"},
        {TB4, MenuIcon::Normal, "Normal"},
        {TB5, MenuIcon::Edit, "Edit"},
        {TB6, MenuIcon::Options, "Options"},
        {TBHelp, MenuIcon::Help, "Help"},
        {TBOpen, MenuIcon::Open, "Open Menu"},
        {TBNew, MenuIcon::New, "New Menu"},
    });
    P3->SetToolIcons();
}

// First the buttons a locked menu keeps, so its shortened strip shows them.
std::vector<std::vector<VexButton*>> MenuWindow::ToolGroups() const {
    return {{TB1, TB2, TB3, TBHelp}, {TBOpen, TBNew}, {TB4, TB5, TB6}};
}

void MenuWindow::ArrangeToolbar() {
    ArrangeToolButtons(T1, ToolGroups(), true);
    P3->ArrangeToolbar();
}

void MenuWindow::ApplyStartPlacement() {
    const Placement p = StartPlacement(ReadStartSet(), lockedMode_, TrueWindowSize(this, true));
    PlaceWindow(this, p);
}

void MenuWindow::InstallMinimumSize() {
    const int frameW = TrueWindowSize(this, false), frameH = TrueWindowSize(this, true);
    const TrackingSize min = MinimumTrackingSize(lockedMode_, frameH);
    setMinimumSize(TwipsToPixelsX(std::max(0, min.width - frameW)),
                   TwipsToPixelsY(std::max(0, min.height - frameH)));
}

void MenuWindow::SetHome(const std::string& path) {
    home_ = path;
    TB3->SetEnabledM(!home_.empty());
}

void MenuWindow::SetFFileButtons(const std::string& path) {
    TB2->SetEnabledM(!path.empty());
    if (!lockedMode_) TB5->SetEnabledM(!path.empty());
}

// ---- opening

bool MenuWindow::FOpen(const std::string& path) {
    if (Loading()) return false;
    LoadScope scope(this);
    // A relative path is taken from the current folder now: the file dialogs
    // move to the program's folder, and Back, Revert and "Last" must still
    // find the file afterwards.
    if (!path.empty() && IsRelativePath(path))
        return doc_.FOpen(FromHostText(CurrentFolder()) + PathSeparator() + path);
    return doc_.FOpen(path);
}

void MenuWindow::ClearPage() {
    ClearItems();
    Picture1->clear();
    Picture1->hide();
}

void MenuWindow::ShowHeader(const std::string& fileName) {
    VexPic1->SetCaption(fileName);
}

void MenuWindow::ProcessEvents() {
    if (sinceYield_.isValid() && sinceYield_.elapsed() < yieldInterval_) return;
    // Commands that arrive meanwhile find the window loading and are left undone.
    QCoreApplication::processEvents();
    sinceYield_.start();
}

void MenuWindow::FileChanged(const std::string& path) {
    SetFFileButtons(path);
}

void MenuWindow::ShowCaption(const std::string& path) {
    setWindowTitle(FromAnsi(title_ + " - " + path));
}

void MenuWindow::StoreLast(const std::string& path) {
    StoreLastMenu(path);
    LoadLogo();
}

// ---- the page

void MenuWindow::ClearItems() {
    // Deleted from the last: each removal from the page's children is then cheap.
    auto clear = [](auto& array) {
        for (std::size_t i = array.size(); i-- > 1;)
            delete array[i];
        array.resize(1);
    };
    clear(VexItem1);
    iconShown_.assign(1, true);
    clear(TLN);
    clear(TL);
    clear(LTitle);
    VS1->setValue(0);
}

void MenuWindow::LoadFields() {
    LoadScope scope(this);
    ClearItems();
    P3->ClearList();

    PageCursor cursor;
    const int pageWidth = PixelsToTwipsX(P1->width());
    const int screenWidth = ScreenWidthTwips();
    const std::vector<std::string>& lines = doc_.Lines();
    for (std::size_t i = 0; i < lines.size(); ++i) {
        MenuItem item = ReadItem(lines[i]);
        item.Font.Size = PageFontSize(item.Font.Size);
        if (const std::optional<ItemPlace> place = cursor.Begin(item.Type, pageWidth, screenWidth)) {
            QWidget* control = nullptr;
            switch (item.Type) {
            case vTitle:
                LoadTIT(item, *place);
                control = LTitle.back();
                break;
            case vLabel:
                LoadLAB(item, *place);
                control = TL.back();
                break;
            case vLink:
                LoadLink(item, *place);
                control = VexItem1.back();
                break;
            default:
                LoadLN(*place);
                control = TLN.back();
                break;
            }
            cursor.End(item.Type, PixelsToTwipsY(control->height()));
        }
        SetPageHeight(static_cast<int>(cursor.Y()));
        UpdateScroll();
        ProcessEvents();
    }

    P3->FillList();
    P3->LoadRow();
    SetPageHeight(static_cast<int>(cursor.Y()));
    UpdateScroll();
    Form_Resize();
    VS1->setValue(0);
    PlacePage();
    emit PageBuilt();
}

void MenuWindow::LoadTIT(const MenuItem& item, const ItemPlace& place) {
    ShowCaptioned(NewElement(P1, LTitle, "LTitle"), item, place);
}

void MenuWindow::LoadLAB(const MenuItem& item, const ItemPlace& place) {
    ShowCaptioned(NewElement(P1, TL, "TL"), item, place);
}

void MenuWindow::LoadLink(const MenuItem& item, const ItemPlace& place) {
    VexItem* link = NewElement(P1, VexItem1, "VexItem1");
    link->move(TwipsToPixelsX(place.left), TwipsToPixelsY(place.top));
    link->SetFont(ItemQFont(item.Font));
    link->SetFontColor(ItemQColor(item.FontColor));
    link->Link = ExpandEnvVars(item.Link);
    link->SetCaption(item.Caption);
    connect(link, &VexItem::MClick, this, &MenuWindow::VexItem1_MClick);
    // The icon comes when the link comes into view (ShowLinkIcons): resolving
    // a link asks the file system and the desktop, too slow for thousands.
    link->BImage(noIcon_);
    iconShown_.push_back(false);
    link->show();
}

void MenuWindow::ShowLinkIcons() {
    if (VexItem1.size() < 2 || !P2->isVisible()) return;
    const int top = -P1->y(), bottom = top + P2->height();
    // The links stand in page order: find the first that reaches into view.
    auto first = std::partition_point(VexItem1.begin() + 1, VexItem1.end(),
                                      [top](VexItem* item) { return item->y() + item->height() < top; });
    for (auto it = first; it != VexItem1.end() && (*it)->y() <= bottom; ++it) {
        const std::size_t i = static_cast<std::size_t>(it - VexItem1.begin());
        if (iconShown_[i]) continue;
        iconShown_[i] = true;
        (*it)->BImage(LinkPicture((*it)->Link));
    }
}

void MenuWindow::LoadLN(const ItemPlace& place) {
    VexLine* line = NewElement(P1, TLN, "TLN");
    PlaceIn(line, place.left, place.top, place.width, PixelsToTwipsY(line->height()));
    line->show();
}

// The icon of a link, found without starting it: the picture of its kind,
// or the desktop's icon for the program or document it names.
QPixmap MenuWindow::LinkPicture(const std::string& link) {
    const LinkIcon icon = LinkIconFor(link);
    switch (icon.kind) {
    case LinkIconKind::Menu:
        return Im1[kImMenu];
    case LinkIconKind::Task:
        return Im1[kImTask];
    case LinkIconKind::Desktop:
        break;
    }
    const QIcon desktop = DesktopFileIcon(icon.source);
    if (desktop.isNull()) return Im1[kImGeneric];
    const int side = TwipsToPixelsX(kIconTwips);
    Im1[kImDesktop] = desktop.pixmap(QSize(side, side), devicePixelRatioF());
    return Im1[kImDesktop];
}

void MenuWindow::SetPageHeight(int twips) {
    pageHeight_ = twips;
    P1->resize(P1->width(), TwipsToPixelsY(twips));
}

void MenuWindow::UpdateScroll() {
    const int viewport = PixelsToTwipsY(P2->height());
    scroll_ = CalcCanvasScroll(viewport, pageHeight_, true);
    if (scroll_.visible) {
        VS1->setMaximum(scroll_.maximum);
        VS1->setPageStep(scroll_.largeChange);
        VS1->setSingleStep(scroll_.smallChange);
        VS1->show();
    } else {
        VS1->hide();
    }
    PlacePage();
}

void MenuWindow::PlacePage() {
    P1->move(0, TwipsToPixelsY(CanvasTop(scroll_, scroll_.visible ? VS1->value() : 0)));
    ShowLinkIcons();
}

void MenuWindow::LoadLogo() {
    logo_ = QPixmap();
    Picture1->clear();
    Picture1->hide();
    const std::string folder = FolderPart(FFile());
    for (const char* pattern : {"*.jpg", "*.gif", "*.bmp"}) {
        const std::string name = FindFileName(folder + pattern);
        if (name.empty()) continue;
        // A file that is no picture shows nothing; the next kind is not tried.
        QImageReader reader(FromAnsi(HostPath(folder + name)));
        reader.setDecideFormatFromContent(true);
        const QImage image = reader.read();
        if (!image.isNull()) logo_ = QPixmap::fromImage(image);
        break;
    }
    if (logo_.isNull()) return;
    Picture1->setPixmap(logo_);
    Picture1->show();
    Form_Resize();
}

void MenuWindow::FrameLinks() {
    for (std::size_t i = 1; i < VexItem1.size(); ++i)
        Frame3D(VexItem1[i], P1, 1, 0, false);
}

// ---- layout

void MenuWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Form_Resize();
}

void MenuWindow::Form_Resize() {
    if (isMinimized()) return;
    const int w = PixelsToTwipsX(width()), h = PixelsToTwipsY(height());
    PlaceIn(LNH, kLeftColumn, 25, PixelsToTwipsX(LNH->sizeHint().width()), h - 50);

    const int stripHeight = lockedMode_ ? kLockedStripHeight : ToolStripLength(ToolGroups()) + 30;
    const int stripTop = std::max(0, h - stripHeight - kMargin);
    PlaceIn(T1, (kLeftColumn - kToolButtonTwips) / 2 - 30, stripTop, kToolButtonTwips + 60, stripHeight);

    if (!logo_.isNull()) {
        const int boxWidth = kLeftColumn + 50, boxHeight = stripTop - 25;
        const QSize size = logo_.deviceIndependentSize().toSize();
        const PictureBox box =
            FitPicture(PixelsToTwipsX(size.width()), PixelsToTwipsY(size.height()), boxWidth, boxHeight);
        PlaceIn(Picture1, box.left, box.top, box.width, box.height);
    }

    const int right = kLeftColumn + 90;
    PlaceIn(VexPic1, right, kMargin, w - right - kMargin, kHeaderHeight);
    const int top = kMargin + kHeaderHeight + kMargin;
    PlaceIn(P2, right, top, w - right - kMargin, h - top - kMargin);
    PlaceIn(P3, right, top, w - right - kMargin, h - top - kMargin);
    const int viewW = PixelsToTwipsX(P2->width()), viewH = PixelsToTwipsY(P2->height());
    PlaceIn(VS1, viewW - kScrollBarTwips, 0, kScrollBarTwips, viewH);
    P1->resize(TwipsToPixelsX(viewW - kScrollBarTwips), TwipsToPixelsY(pageHeight_));
    const int pageWidth = PixelsToTwipsX(P1->width());
    for (std::size_t i = 1; i < TLN.size(); ++i)
        PlaceIn(TLN[i], 120, PixelsToTwipsY(TLN[i]->y()), pageWidth - 240, PixelsToTwipsY(TLN[i]->height()));
    // The header and the page (or the edit panel in its place) sit sunken in the window.
    Frame3D(VexPic1, this, 1, 0, true);
    Frame3D(P2, this, 1, 0, true);
    UpdateScroll();
    FrameLinks();
    P3->List3->update();
}

// ---- views and commands

void MenuWindow::TMode(int mode) {
    mode_ = mode;
    switch (mode) {
    case 0:
        rememberedRow_ = P3->SelectedRow();
        P2->setEnabled(true);
        P3->setEnabled(true);
        P2->show();
        P3->hide();
        UpdateScroll();
        break;
    case 1:
        P2->setEnabled(true);
        P3->setEnabled(true);
        P3->show();
        P2->hide();
        if (rememberedRow_ >= 0)
            P3->SelectRow(rememberedRow_);
        else if (doc_.Count() > 0)
            P3->SelectRow(0);
        break;
    default:
        P2->setEnabled(false);
        P3->setEnabled(false);
        break;
    }
}

void MenuWindow::TB1_Click() {
    if (Loading() || doc_.History().empty()) return;
    LoadScope scope(this);
    doc_.Back();
}

void MenuWindow::TB2_Click() {
    if (Loading() || FFile().empty()) return;
    LoadScope scope(this);
    doc_.Revert();
}

void MenuWindow::TB3_Click() {
    if (Loading() || home_.empty()) return;
    FOpen(home_);
}

void MenuWindow::TB4_Click() {
    if (Loading()) return;
    TMode(0);
    if (doc_.MCh()) {
        LoadFields();
        doc_.SetMCh(false);
    }
}

void MenuWindow::TB5_Click() {
    if (Loading()) return;
    TMode(1);
}

void MenuWindow::TB6_Click() {
    if (Loading()) return;
    ShowOptions();
}

void MenuWindow::TBOpen_Click() {
    if (Loading()) return;
    ShowOpenDialog(false);
}

void MenuWindow::TBNew_Click() {
    if (Loading()) return;
    ShowOpenDialog(true);
}

std::string MenuWindow::HelpKeyword() const {
    return P3->isVisible() ? "Menu Edit" : "Zorvan Main Menu";
}

void MenuWindow::TBHelp_Click() {
    if (helpFile_.empty()) {
        MessageBox("Unable to display Help Contents. There is no Help associated with this project.",
                   vbInformation);
        return;
    }
    ShowHelpFile(helpFile_);
}

void MenuWindow::ShowOpenDialog(bool createNew) {
    ShowSopen(this, createNew, [this](const std::string& path) { return FOpen(path); });
}

void MenuWindow::ShowOptions() {
    z9::ShowOptions(this);
}

void MenuWindow::VexItem1_MClick(const std::string& caption, const std::string& link) {
    if (Loading()) return;
    const ShellRunResult target = ShellRun(this, link, "", kResolveOnly);
    if (FileExtension(target.program) == "Z9M") {
        FOpen(target.program);
        return;
    }
    LaunchLink(link, this);
}

// ---- closing

void MenuWindow::closeEvent(QCloseEvent* event) {
    if (Loading()) {
        // Closed once the load is over.
        closePending_ = true;
        event->ignore();
        return;
    }
    if (doc_.Dirty()) {
        const int answer = MessageBox("Do you want to save the changes you made to \n\n" + FFile() + "?",
                                      vbYesNoCancel | vbQuestion);
        if (answer == vbCancel || (answer == vbYes && !FFile().empty() && !doc_.SaveP8M(FFile()))) {
            event->ignore();
            return;
        }
    }
    if (!(windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen)))
        SaveStartSet(WindowPlacementOf(this), REG_DWORD_TYPE);
    setMinimumSize(0, 0);
    event->accept();
}

// ---- page scrolling by wheel and keyboard

bool MenuWindow::eventFilter(QObject* watched, QEvent* event) {
    if ((watched == P2 || watched == P1) && event->type() == QEvent::Wheel && VS1->isVisible()) {
        QCoreApplication::sendEvent(VS1, event);
        return true;
    }
    if (watched == P2 && event->type() == QEvent::Resize) UpdateScroll();
    return QWidget::eventFilter(watched, event);
}

// A link reached with the keyboard is scrolled into view.
void MenuWindow::FocusChanged(QWidget*, QWidget* now) {
    if (!now || !VS1->isVisible() || !P1->isAncestorOf(now)) return;
    const int top = PixelsToTwipsY(now->mapTo(P1, QPoint(0, 0)).y());
    const int bottom = top + PixelsToTwipsY(now->height());
    const int shownTop = -CanvasTop(scroll_, VS1->value());
    const int shownBottom = shownTop + PixelsToTwipsY(P2->height());
    int wanted = shownTop;
    if (top < shownTop)
        wanted = top - 100;
    else if (bottom > shownBottom)
        wanted = bottom + 100 - PixelsToTwipsY(P2->height());
    if (wanted != shownTop) VS1->setValue(std::max(0, wanted) / std::max(1, scroll_.factor));
}

} // namespace z9
