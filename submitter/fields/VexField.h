#pragma once
// One row of the environment-fields panel: a caption on the left and the
// editor of the field's type on the right (text, number, file, date, time,
// check box, combo box, folder). Edits are announced with FieldChange.
#include "submitter/fields/MVexTask.h"

#include <QFont>
#include <QWidget>
#include <string>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace z9 {

class VexField : public QWidget {
    Q_OBJECT
public:
    explicit VexField(QWidget* parent = nullptr);

    // The eleven texts of the record; the field changes only fdMin (the combo index).
    void SetFieldDef(const FieldDef& def) { def_ = def; }
    const FieldDef& GetFieldDef() const { return def_; }

    // The type code. Codes 7 and above are taken only through Update.
    int FieldType() const { return type_; }
    void SetFieldType(int type);

    std::string Caption() const;
    void SetCaption(const std::string& caption);

    // The value as the editor shows it (a combo's value after its separator).
    std::string Results();
    void SetResults(const std::string& value);

    // Lays the row out and returns its height in twips.
    int Resize();
    // Raises FieldChange with the current value.
    void REvent();
    // Checks the field as it stands; a failure has been reported.
    bool FChk();
    // Takes the definition into use.
    void Update();
    void FSetFocus();
    void FEnabled(bool FE);
    QFont Font() const;

    // The constituent controls. B1, C1 and Ch1 are made when a type first needs
    // them, so a window of thousands of text fields stays light; until then nullptr.
    QLabel* L1() const { return l1_; }
    QLineEdit* T1() const { return t1_; }
    QPushButton* B1() const { return b1_; }
    QComboBox* C1() const { return c1_; }
    QCheckBox* Ch1() const { return ch1_; }

signals:
    // value, the record's position, the combo index (fdMin), fdMax.
    void FieldChange(const std::string& value, const std::string& position, const std::string& index,
                     const std::string& max);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Layout();
    void Browse();
    void ShowHelp();
    void FillCombo(const std::string& list);
    void SetPasswordCharacter(const std::string& format);
    void MeasureEditors();
    QPushButton* EnsureB1();
    QComboBox* EnsureC1();
    QCheckBox* EnsureCh1();

    FieldDef def_;
    int type_ = ftText;
    int percent_ = 0;
    int rowHeight_ = 0;    // twips
    int captionWidth_ = 0; // twips
    int editorWidth_ = 0;  // twips
    int editorHeight_ = 0; // pixels, from the font
    bool enabled_ = true;
    bool inLayout_ = false;
    bool filling_ = false;
    QString passwordSheet_;

    QLabel* l1_ = nullptr;
    QLineEdit* t1_ = nullptr;
    QPushButton* b1_ = nullptr;
    QComboBox* c1_ = nullptr;
    QCheckBox* ch1_ = nullptr;
};

} // namespace z9
