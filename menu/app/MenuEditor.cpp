#include "menu/app/MenuEditor.h"

#include "common/CodePage.h"
#include "common/CodePageQt.h"
#include "common/FormBuilder.h"
#include "common/Twips.h"
#include "menu/app/EditDialogs.h"
#include "menu/app/ItemFont.h"
#include "menu/app/ToolStrip.h"
#include "menu/document/MenuDocument.h"
#include "widgets/ControlText.h"
#include "widgets/VexButton.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>

#include <algorithm>

namespace z9 {
namespace {

constexpr int kStripHeight = 540;
constexpr std::int32_t kWhite = 0xFFFFFF;

const char* const kTypeEntries[] = {"0 - vNotVisible", "1 - vTitle", "2 - vLabel",
                                    "3 - vLink",       "4 - vSpace", "5 - vLine"};

// The box's text as an item keeps it: ANSI, each line break CR LF.
std::string CaptionText(const QString& text) {
    QString crlf = text;
    crlf.replace(QLatin1String("\n"), QLatin1String("\r\n"));
    return ToAnsi(crlf);
}

void PlaceTw(QWidget* w, int left, int top, int width, int height) {
    Place(w, left, top, std::max(0, width), std::max(0, height));
}

} // namespace

MenuEditor::MenuEditor(MenuDocument& doc, QWidget* parent) : QWidget(parent), doc_(doc) {
    T2 = new QWidget(this);
    T2->setObjectName(QStringLiteral("T2"));
    auto button = [this](const char* name) { return MakeToolButton(T2, name); };
    TBSave = button("TBSave");
    TBSetHome = button("TBSetHome");
    TB1Add = button("TB1Add");
    TB1Remove = button("TB1Remove");
    TBUp = button("TBUp");
    TBDown = button("TBDown");
    ChFont = button("ChFont");
    TBBrowse1 = {button("TBBrowse1_0"), button("TBBrowse1_1")};

    List3 = new QListWidget(this);
    List3->setObjectName(QStringLiteral("List3"));
    List3->setAccessibleName(QStringLiteral("Menu Items"));
    List3->setUniformItemSizes(true);
    Combo1 = new QComboBox(this);
    Combo1->setObjectName(QStringLiteral("Combo1"));
    Combo1->setAccessibleName(QStringLiteral("Type"));
    Label3 = MakeLabel(this, QStringLiteral("Label3"), QStringLiteral("Caption:"));
    Text2 = new QPlainTextEdit(this);
    Text2->setObjectName(QStringLiteral("Text2"));
    Text2->setAccessibleName(QStringLiteral("Caption:"));
    Text2->setTabChangesFocus(true);
    Label3->setBuddy(Text2);
    Label4 = MakeLabel(this, QStringLiteral("Label4"), QStringLiteral("Command:"));
    Text3 = new QLineEdit(this);
    Text3->setObjectName(QStringLiteral("Text3"));
    Text3->setAccessibleName(QStringLiteral("Command:"));
    Label4->setBuddy(Text3);

    connect(List3, &QListWidget::currentRowChanged, this, [this] { LoadRow(); });
    connect(Combo1, &QComboBox::currentIndexChanged, this, [this] { TypeRule(); });
    connect(Text2, &QPlainTextEdit::textChanged, this, [this] { SC(); });
    connect(Text3, &QLineEdit::textChanged, this, [this] { SC(); });
    connect(TB1Add, &VexButton::ButtonClick, this, &MenuEditor::TB1Add_Click);
    connect(TB1Remove, &VexButton::ButtonClick, this, &MenuEditor::TB1Remove_Click);
    connect(TBUp, &VexButton::ButtonClick, this, &MenuEditor::TBUp_Click);
    connect(TBDown, &VexButton::ButtonClick, this, &MenuEditor::TBDown_Click);
    connect(ChFont, &VexButton::ButtonClick, this, &MenuEditor::ChFont_Click);
    connect(TBBrowse1[0], &VexButton::ButtonClick, this, [this] { TBBrowse1_Click(0); });
    connect(TBBrowse1[1], &VexButton::ButtonClick, this, [this] { TBBrowse1_Click(1); });
    connect(TBSave, &VexButton::ButtonClick, this, [this] {
        if (OnSave) OnSave();
    });
    connect(TBSetHome, &VexButton::ButtonClick, this, [this] {
        if (OnSetHome) OnSetHome();
    });
    LayOut();
}

void MenuEditor::ClearEditor() {
    const bool loading = loading_;
    loading_ = true;
    Combo1->clear();
    for (const char* entry : kTypeEntries)
        Combo1->addItem(QString::fromLatin1(entry));
    Text2->clear();
    Text3->clear();
    loading_ = loading;
}

void MenuEditor::SetToolIcons() {
    DressToolButtons({
        {TB1Add, MenuIcon::InsertNew, "Insert New"},
        {TB1Remove, MenuIcon::Remove, "Remove"},
        {ChFont, MenuIcon::ChangeFont, "Change Font..."},
        {TBBrowse1[0], MenuIcon::InsertPath, "Insert Path"},
        {TBBrowse1[1], MenuIcon::Browse, "Browse"},
        {TBUp, MenuIcon::MoveUp, "Move Up"},
        {TBDown, MenuIcon::MoveDown, "Move Down"},
        {TBSave, MenuIcon::Save, "Save Menu"},
        {TBSetHome, MenuIcon::SetHome, "Set This Menu As Home Menu"},
    });
}

void MenuEditor::ArrangeToolbar() {
    ArrangeToolButtons(
        T2, {{TBSave, TBSetHome}, {TB1Add, TB1Remove, TBUp, TBDown}, {ChFont, TBBrowse1[0], TBBrowse1[1]}},
        false);
}

void MenuEditor::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    LayOut();
}

// The toolbar along the top; the list at the left, the editor at the right.
void MenuEditor::LayOut() {
    const int w = PixelsToTwipsX(width()), h = PixelsToTwipsY(height());
    PlaceTw(T2, 0, 0, w, kStripHeight);
    ArrangeToolbar();

    const int top = kStripHeight + 60;
    const int listWidth = std::max(2000, w * 45 / 100);
    PlaceTw(List3, 0, top, listWidth, h - top);
    const int x = listWidth + 120, editWidth = w - x;
    PlaceTw(Combo1, x, top, editWidth, 315);
    PlaceTw(Label3, x, top + 435, editWidth, 255);
    const int textHeight = std::max(600, h - top - 690 - 120 - 255 - 315);
    PlaceTw(Text2, x, top + 690, editWidth, textHeight);
    const int commandTop = top + 690 + textHeight + 120;
    PlaceTw(Label4, x, commandTop, editWidth, 255);
    PlaceTw(Text3, x, commandTop + 255, editWidth, 315);
}

// ---- the list

void MenuEditor::ClearList() {
    List3->clear();
}

void MenuEditor::FillList() {
    QStringList rows;
    rows.reserve(static_cast<qsizetype>(doc_.Count()));
    for (const std::string& summary : doc_.Summaries())
        rows << ControlText(summary).replace(QLatin1Char('\n'), QLatin1Char(' '));
    const QSignalBlocker block(List3);
    List3->clear();
    List3->addItems(rows);
}

int MenuEditor::SelectedRow() const {
    return List3->currentRow();
}

void MenuEditor::SelectRow(int row) {
    if (row < 0 || row >= List3->count()) row = List3->count() > 0 ? 0 : -1;
    if (row == List3->currentRow()) {
        LoadRow();
        return;
    }
    List3->setCurrentRow(row);
}

// ---- the editor

int MenuEditor::ComboType() const {
    const QString text = Combo1->currentText();
    return text.isEmpty() || !text[0].isDigit() ? 0 : text[0].digitValue();
}

MenuItem MenuEditor::EditorItem() const {
    MenuItem item;
    item.Type = static_cast<std::int16_t>(ComboType());
    item.Caption = CaptionText(Text2->toPlainText());
    item.Link = ToAnsi(Text3->text());
    item.Font = ItemMenuFont(Text2->font(), charset_);
    item.FontColor = textColor_;
    return item;
}

void MenuEditor::SetCaptionColor(std::int32_t color) {
    textColor_ = color;
    QPalette pal = Text2->palette();
    pal.setColor(QPalette::Text, ItemQColor(color));
    Text2->setPalette(pal);
}

// A white caption is shown on grey so it can be read.
void MenuEditor::CaptionBackground() {
    QPalette pal = Text2->palette();
    pal.setColor(QPalette::Base,
                 textColor_ == kWhite ? QColor(128, 128, 128) : palette().color(QPalette::Base));
    Text2->setPalette(pal);
}

void MenuEditor::LoadRow() {
    const int row = SelectedRow();
    if (row < 0 || static_cast<std::size_t>(row) >= doc_.Count()) return;
    loading_ = true;
    const MenuItem item = doc_.Item(static_cast<std::size_t>(row));
    Text2->setPlainText(ControlText(item.Caption));
    SetCaptionColor(item.FontColor);
    Text2->setFont(ItemQFont(item.Font.Name.empty() ? DefaultItemFont() : item.Font));
    charset_ = item.Font.Charset;
    Text3->setText(FromAnsi(item.Link));
    if (item.Type >= 0 && item.Type < Combo1->count()) Combo1->setCurrentIndex(item.Type);
    CaptionBackground();
    TypeRule();
    loading_ = false;
}

void MenuEditor::TypeRule() {
    const int type = ComboType();
    if (type <= 5) {
        const bool command = type == vNotVisible || type == vLink;
        const bool caption = type <= vLink;
        Label4->setEnabled(command);
        Text3->setEnabled(command);
        Label3->setEnabled(caption);
        Text2->setEnabled(caption);
        ChFont->SetEnabledM(caption);
        TBBrowse1[0]->SetEnabledM(caption);
        TBBrowse1[1]->SetEnabledM(command);
    }
    SC();
}

void MenuEditor::SC() {
    if (loading_) return;
    const MenuItem item = EditorItem();
    const int row = SelectedRow();
    if (row >= 0 && doc_.ReplaceItem(static_cast<std::size_t>(row), item)) {
        if (QListWidgetItem* entry = List3->item(row))
            entry->setText(ControlText(doc_.Summaries()[static_cast<std::size_t>(row)])
                               .replace(QLatin1Char('\n'), QLatin1Char(' ')));
    }
    CaptionBackground();
}

// ---- the commands

void MenuEditor::TB1Add_Click() {
    doc_.SetMCh(true);
    const int row = SelectedRow() + 1;
    const MenuItem item = EditorItem();
    if (!doc_.InsertItem(static_cast<std::size_t>(row), item)) return;
    {
        const QSignalBlocker block(List3);
        List3->insertItem(row, ControlText(doc_.Summaries()[static_cast<std::size_t>(row)])
                                   .replace(QLatin1Char('\n'), QLatin1Char(' ')));
    }
    SelectRow(row);
}

void MenuEditor::TB1Remove_Click() {
    const int row = SelectedRow();
    if (row < 0 || !doc_.RemoveItem(static_cast<std::size_t>(row))) return;
    {
        const QSignalBlocker block(List3);
        delete List3->takeItem(row);
        List3->setCurrentRow(-1);
    }
    const int n = List3->count();
    if (n == 0) return;
    SelectRow(row < n - 1 ? row : row - 1);
}

void MenuEditor::TBUp_Click() {
    const int row = SelectedRow();
    if (row <= 0 || !doc_.SwapItems(static_cast<std::size_t>(row - 1), static_cast<std::size_t>(row))) return;
    {
        const QSignalBlocker block(List3);
        QListWidgetItem* moved = List3->takeItem(row);
        List3->insertItem(row - 1, moved);
    }
    SelectRow(row - 1);
}

void MenuEditor::TBDown_Click() {
    const int row = SelectedRow();
    if (row < 0 || row >= List3->count() - 1 ||
        !doc_.SwapItems(static_cast<std::size_t>(row), static_cast<std::size_t>(row + 1)))
        return;
    {
        const QSignalBlocker block(List3);
        QListWidgetItem* moved = List3->takeItem(row);
        List3->insertItem(row + 1, moved);
    }
    SelectRow(row + 1);
}

void MenuEditor::ChFont_Click() {
    const FontChoice caption = ItemFontChoice(ItemMenuFont(Text2->font(), charset_), textColor_);
    if (const std::optional<FontChoice> chosen = ChangeCaptionFont(caption, window())) {
        const MenuFont font = ItemMenuFont(*chosen);
        charset_ = font.Charset;
        SetCaptionColor(chosen->color);
        Text2->setFont(ItemQFont(font));
    }
    // Also after Cancel: the item is written as the editor shows it.
    SC();
}

void MenuEditor::TBBrowse1_Click(int index) {
    if (index == 0) {
        const std::string selected =
            CaptionText(Text2->textCursor().selectedText().replace(QChar(0x2029), QLatin1Char('\n')));
        const std::string path = InsertPath(selected, window());
        if (!path.empty()) Text2->textCursor().insertText(FromAnsi(path));
        return;
    }
    const std::string selected = ToAnsi(Text3->selectedText());
    const std::optional<std::string> command = BrowseCommand(ToAnsi(Text3->text()), selected, window());
    if (!command) return;
    if (selected.empty())
        Text3->setText(FromAnsi(*command));
    else
        Text3->insert(FromAnsi(*command));
}

} // namespace z9
