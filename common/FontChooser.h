#pragma once
// The font dialog both programs show through FontDialog (Dialogs.h): face,
// style, size, strikeout, underline, colour and script in one step, with a
// sample of the result. Qt's own font dialog offers no colour and no script.
#include "common/Dialogs.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace z9 {

class FontChooser : public QDialog {
    Q_OBJECT
public:
    explicit FontChooser(const FontChoice& start, QWidget* owner = nullptr);

    // The font the controls show. A size that is no valid number counts as the
    // starting size, an empty face name as the starting face.
    FontChoice Choice() const;

    // OK: takes the typed face name and size, or says what is wrong with them
    // and stays open with the focus on the box to mend.
    void accept() override;

    QLabel* Label1;
    QComboBox* FontName;
    QLabel* Label2;
    QListWidget* FontStyle; // Regular, Italic, Bold, Bold Italic
    QLabel* Label3;
    QComboBox* FontSize;
    QCheckBox* Strikeout;
    QCheckBox* Underline;
    QLabel* Label4;
    QComboBox* FontColor; // the sixteen colours, a custom one, "Other..."
    QLabel* Sample;
    QLabel* Label5;
    QComboBox* FontScript;
    QPushButton* OkButton;
    QPushButton* CancelButton;

private:
    void FillScripts();
    void ColorChosen(int index);
    void ShowCustomColor(int color);
    void Refresh();
    int SelectedColor() const;

    FontChoice start_;
    int lastColorIndex_ = 0;
};

} // namespace z9
