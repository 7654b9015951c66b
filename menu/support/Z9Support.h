#pragma once
// Z9Support: the support form. The user answers a short questionnaire about
// the installation, gives a reply address and describes the problem; the form
// turns the answers into a trouble ticket on the clipboard or in a text file.
#include "widgets/Z9Line.h"

#include <QDialog>
#include <array>
#include <string>

class QCheckBox;
class QLabel;
class QLineEdit;
class QTextEdit;
class QPushButton;

namespace z9 {

class Z9Support : public QDialog {
    Q_OBJECT
public:
    explicit Z9Support(QWidget* owner = nullptr);

    // The ticket from the current answers, or empty text after a check failed
    // (its message shown and the focus moved to the control to mend).
    std::string BuildTicket();
    // Row 1: the ticked server systems, any other row the workstation systems;
    // their captions in index order joined by '-'.
    std::string TickedSystems(int row) const;
    // The ticket file: written whole with a closing CR LF, or a plain box naming
    // the path and the reason, and false.
    bool WriteTicketFile(const std::string& path, const std::string& text);

    void Command1_Click(); // Send Trouble Ticket To Clipboard
    void Command3_Click(); // Copy Trouble Ticket To File
    void Command2_Click(); // Close

    QLabel* Label1;
    QTextEdit* Text4; // the greeting letter
    QLabel* Label3;
    QLineEdit* Text1; // the reply address
    QLabel* Label5;
    QLabel* Label11;
    QLabel* Label8;
    QLabel* Label9;
    QLabel* Label10;
    QLabel* Label6;
    QLabel* Label7;
    // Existing and planned servers, existing and planned workstations.
    std::array<QLineEdit*, 4> Text2;
    std::array<QCheckBox*, 5> Check1; // server systems
    std::array<QCheckBox*, 6> Check2; // workstation systems
    QLabel* Label12;
    QTextEdit* Text3; // the description
    QPushButton* Command1;
    QPushButton* Command3;
    QPushButton* Command2;

protected:
    // Enter presses the button that has the focus and nothing else.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Form_Load();
    void SetTabOrder();

    std::array<Z9Line, 4> lines_;
};

// Shows the support form modally over owner until the user closes it.
void ShowSupportForm(QWidget* owner);

} // namespace z9
