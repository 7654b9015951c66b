#pragma once
// The edit panel P3 of the menu window: the edit list List3 (one summary per
// item), the editor of the selected item (type Combo1, caption Text2, command
// Text3) and the editing toolbar. Every change in the editor is written at
// once into the document's line of the selected row (SC); the page is rebuilt
// from the lines when the window goes back to the page.
#include "menu/document/MenuItem.h"

#include <QWidget>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;

namespace z9 {

class MenuDocument;
class VexButton;

class MenuEditor : public QWidget {
    Q_OBJECT
public:
    MenuEditor(MenuDocument& doc, QWidget* parent = nullptr);

    // Fills Combo1 and empties the caption and command boxes (start-up).
    void ClearEditor();
    void SetToolIcons();
    void ArrangeToolbar();

    // The edit list from the document's summaries; nothing selected.
    void ClearList();
    void FillList();
    // The selected row, -1 for none; selecting loads the row into the editor.
    int SelectedRow() const;
    void SelectRow(int row);

    // Loads the selected row into the editor (nothing without a selection).
    void LoadRow();
    // Writes the editor's item into the selected row.
    void SC();
    // The item the editor shows.
    MenuItem EditorItem() const;
    bool LoadingRow() const { return loading_; }

    // The commands.
    void TB1Add_Click();    // Insert New
    void TB1Remove_Click(); // Remove
    void TBUp_Click();
    void TBDown_Click();
    void ChFont_Click();
    void TBBrowse1_Click(int index); // 0 Insert Path, 1 Browse
    // Save and Set Home act on the window's file; the window answers them.
    std::function<void()> OnSave;
    std::function<void()> OnSetHome;

    // The caption box's colour, as a Windows colour value.
    std::int32_t CaptionColor() const { return textColor_; }

    QListWidget* List3 = nullptr;
    QComboBox* Combo1 = nullptr;
    QLabel* Label3 = nullptr; // "Caption:"
    QPlainTextEdit* Text2 = nullptr;
    QLabel* Label4 = nullptr; // "Command:"
    QLineEdit* Text3 = nullptr;
    QWidget* T2 = nullptr; // the editing toolbar strip
    VexButton* TBSave = nullptr;
    VexButton* TBSetHome = nullptr;
    VexButton* TB1Add = nullptr;
    VexButton* TB1Remove = nullptr;
    VexButton* TBUp = nullptr;
    VexButton* TBDown = nullptr;
    VexButton* ChFont = nullptr;
    std::vector<VexButton*> TBBrowse1; // 0 Insert Path, 1 Browse

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void LayOut();
    void TypeRule();
    void CaptionBackground();
    void SetCaptionColor(std::int32_t color);
    int ComboType() const;

    MenuDocument& doc_;
    bool loading_ = false;
    std::int32_t textColor_ = 0;
    std::int16_t charset_ = 0;
};

} // namespace z9
