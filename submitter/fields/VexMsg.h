#pragma once
// The help window of a field: a read-only text and a button that closes it.
#include <QDialog>
#include <string>

class QPlainTextEdit;
class QPushButton;

namespace z9 {

class VexMsg : public QDialog {
    Q_OBJECT
public:
    explicit VexMsg(QWidget* owner = nullptr);

    // Puts s (ANSI text, lines ending in CR LF or LF) into the text box.
    void Text(const std::string& s);

    QPlainTextEdit* Text1() const { return text1_; }
    QPushButton* Command1() const { return command1_; }

private:
    QPlainTextEdit* text1_;
    QPushButton* command1_;
};

} // namespace z9
