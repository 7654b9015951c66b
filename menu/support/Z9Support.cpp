#include "Z9Support.h"

#include "Ticket.h"
#include "common/CodePage.h"
#include "common/CodePageQt.h"
#include "common/Dialogs.h"
#include "common/FormBuilder.h"
#include "common/HostPath.h"
#include "common/MessageBox.h"
#include "common/P8LocaleSettings.h"
#include "common/Program.h"
#include "common/Twips.h"

#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QTextEdit>
#include <QTimer>

#include <algorithm>
#include <vector>

namespace z9 {
namespace {

// ---- geometry, in twips of the client area

constexpr int kFormWidth = 9600;
constexpr int kFormHeight = 8715;
constexpr int kLeft = 240;
constexpr int kInnerWidth = kFormWidth - 2 * kLeft;
constexpr int kLineLeft = 120;
// The etched lines between the groups.
constexpr int kLineTops[] = {2760, 3480, 5460, 7920};
// The questionnaire's columns: the counts, then one column per system.
constexpr int kExistingLeft = 1800;
constexpr int kPlannedLeft = 2820;
constexpr int kCountWidth = 900;
constexpr int kSystemLefts[] = {3840, 4740, 5460, 6480, 7380, 8100};
constexpr int kSystemWidths[] = {780, 600, 900, 780, 600, 840};
constexpr int kHeadingTop = 4020;
constexpr int kRowTops[] = {4560, 4980};
// Servers have no fifth column: their "Other" lines up with the workstations'.
constexpr int kServerColumns[] = {0, 1, 2, 3, 5};

constexpr int kFontPoints = 8;
// Pixels between the lines of the multi-line boxes.
constexpr int kLineGap = 2;

// The longest texts the boxes take.
constexpr int kAddressMax = 500;
constexpr int kCountMax = 4;
constexpr int kDescriptionMax = 65535;

QPushButton* MakeCommandButton(QWidget* parent, const char* name, const QString& caption) {
    QPushButton* button = MakeButton(parent, name, caption);
    // No button is the form's default: Enter presses only the button that has the focus.
    button->setAutoDefault(false);
    return button;
}

// A count box: the whole count is selected on entry so typing replaces it,
// typed characters other than digits are dropped, and an emptied box holds 0.
// Pasted text goes in as it is; the ticket then refuses what is no number.
class CountBox : public QLineEdit {
public:
    explicit CountBox(QWidget* parent) : QLineEdit(QStringLiteral("0"), parent) {
        setMaxLength(kCountMax);
        setAlignment(Qt::AlignCenter);
        connect(this, &QLineEdit::textChanged, this, [this](const QString& text) {
            if (!text.isEmpty()) return;
            setText(QStringLiteral("0"));
            selectAll();
        });
    }

protected:
    void focusInEvent(QFocusEvent* event) override {
        QLineEdit::focusInEvent(event);
        selectAll();
        // A click places the caret after the focus arrived; select once it has.
        if (event->reason() == Qt::MouseFocusReason) QTimer::singleShot(0, this, [this] { selectAll(); });
    }

    void keyPressEvent(QKeyEvent* event) override {
        const QString text = event->text();
        const bool typed = text.size() == 1 && text[0].isPrint() &&
                           !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
        if (typed && !(text[0] >= u'0' && text[0] <= u'9')) {
            event->accept(); // dropped
            return;
        }
        QLineEdit::keyPressEvent(event);
    }
};

// How long a text is in the box's own count: a line break is CR LF, two characters.
int BoxLength(const QString& text) {
    int length = 0;
    for (QChar c : text)
        length += (c == u'\n' || c == QChar::ParagraphSeparator || c == QChar::LineSeparator) ? 2 : 1;
    return length;
}

// A multi-line box with a vertical scroll bar that holds at most maxLength
// characters; what is typed or pasted beyond that is cut off.
class MultiLineBox : public QTextEdit {
public:
    MultiLineBox(QWidget* parent, int maxLength) : QTextEdit(parent), maxLength_(maxLength) {
        setAcceptRichText(false);
        setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        setTabChangesFocus(true);
        connect(document(), &QTextDocument::contentsChange, this, [this](int position, int, int added) {
            if (busy_ || added <= 0) return;
            busy_ = true;
            Limit(position, added);
            SpaceLines(position, added);
            busy_ = false;
        });
    }

private:
    int Length() const {
        // Every block but the last ends with a line break.
        return document()->characterCount() - 1 + document()->blockCount() - 1;
    }
    int End() const { return document()->characterCount() - 1; }

    void Limit(int position, int added) {
        const int over = Length() - maxLength_;
        if (over <= 0) return;
        const int end = std::min(position + added, End());
        QTextCursor cursor(document());
        cursor.setPosition(position);
        cursor.setPosition(end, QTextCursor::KeepAnchor);
        const QString inserted = cursor.selectedText();
        // Keep the longest start of the insertion that fits.
        const int room = BoxLength(inserted) - over;
        int kept = 0;
        for (int used = 0; kept < inserted.size(); ++kept) {
            used += BoxLength(inserted.mid(kept, 1));
            if (used > room) break;
        }
        cursor.setPosition(position + kept);
        cursor.setPosition(end, QTextCursor::KeepAnchor);
        cursor.joinPreviousEditBlock();
        cursor.removeSelectedText();
        cursor.endEditBlock();
    }

    // Lines of small fonts touch each other; a little room between them keeps
    // the text readable. New text gets it as it comes in, with the same undo step.
    void SpaceLines(int position, int added) {
        const int end = std::min(position + added, End());
        QTextBlock block = document()->findBlock(std::min(position, end));
        const QTextBlock stop = document()->findBlock(end).next();
        while (block != stop && block.blockFormat().lineHeightType() == QTextBlockFormat::LineDistanceHeight)
            block = block.next();
        if (block == stop) return;
        QTextCursor cursor(document());
        cursor.setPosition(block.position());
        cursor.setPosition(end, QTextCursor::KeepAnchor);
        QTextBlockFormat spaced;
        spaced.setLineHeight(kLineGap, QTextBlockFormat::LineDistanceHeight);
        cursor.joinPreviousEditBlock();
        cursor.mergeBlockFormat(spaced);
        cursor.endEditBlock();
    }

    int maxLength_;
    bool busy_ = false;
};

// Text of a box as ANSI bytes, its line breaks as CR LF.
std::string BoxText(const QTextEdit* box) {
    QString text = box->toPlainText();
    text.replace(u'\n', QStringLiteral("\r\n"));
    return ToAnsi(text);
}

QString ShownText(const std::string& ansi) {
    QString text = FromAnsi(ansi);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

} // namespace

Z9Support::Z9Support(QWidget* owner) : QDialog(owner) {
    setObjectName("Z9Support");
    setWindowTitle("Zorvan Support");
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    // The geometry below is laid out for text of the form's design size,
    // whatever size the desktop prefers.
    QFont designFont = font();
    designFont.setPointSize(kFontPoints);
    setFont(designFont);

    // The greeting.
    Label1 = MakeLabel(this, "Label1", "Welcome to Zorvan Support page!");
    Place(Label1, kLeft, 180, kInnerWidth, 285);
    Text4 = new MultiLineBox(this, kDescriptionMax);
    Text4->setObjectName("Text4");
    Text4->setReadOnly(true);
    // Read-only, yet reachable and readable from the keyboard.
    Text4->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    Text4->setAccessibleName(Label1->text());
    Label1->setBuddy(Text4);
    Place(Text4, kLeft, 540, kInnerWidth, 2040);

    // The reply address.
    Label3 = MakeLabel(this, "Label3", "Please enter your e-mail:");
    Place(Label3, kLeft, 2985, 2040, 255);
    Text1 = new QLineEdit(this);
    Text1->setObjectName("Text1");
    Text1->setMaxLength(kAddressMax);
    Text1->setAccessibleName(Label3->text());
    Label3->setBuddy(Text1);
    Place(Text1, 2340, 2940, kFormWidth - kLeft - 2340, 315);

    // The questionnaire: headings, then one row for servers and one for workstations.
    Label5 = MakeLabel(this, "Label5", QString());
    Place(Label5, kLeft, 3660, kInnerWidth, 255);
    Label11 = MakeLabel(this, "Label11", "Computer Type");
    Label8 = MakeLabel(this, "Label8", "Number of existing");
    Label9 = MakeLabel(this, "Label9", "Number of planned");
    Label10 = MakeLabel(this, "Label10", "Windows Operating Systems");
    Place(Label11, kLeft, kHeadingTop, kExistingLeft - kLeft - 60, 420);
    Place(Label8, kExistingLeft, kHeadingTop, kCountWidth, 420);
    Place(Label9, kPlannedLeft, kHeadingTop, kCountWidth, 420);
    Place(Label10, kSystemLefts[0], kHeadingTop, kFormWidth - kLeft - kSystemLefts[0], 420);
    for (QLabel* heading : {Label11, Label8, Label9, Label10}) {
        heading->setWordWrap(true);
        heading->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
    }
    Label8->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
    Label9->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);

    Label6 = MakeLabel(this, "Label6", "Servers:");
    Label7 = MakeLabel(this, "Label7", "Workstations:");
    QLabel* rowLabels[] = {Label6, Label7};
    for (int row = 0; row < 2; ++row)
        Place(rowLabels[row], kLeft, kRowTops[row] + 15, kExistingLeft - kLeft, 255);
    for (int i = 0; i < 4; ++i) {
        const int row = i / 2;
        Text2[i] = new CountBox(this);
        Text2[i]->setObjectName(QString("Text2_%1").arg(i));
        const QString column = (i % 2 == 0 ? Label8 : Label9)->text();
        Text2[i]->setAccessibleName(rowLabels[row]->text().remove(u':') + " " + column);
        Place(Text2[i], i % 2 == 0 ? kExistingLeft + 120 : kPlannedLeft + 120, kRowTops[row] - 15,
              kCountWidth - 240, 315);
    }
    Label6->setBuddy(Text2[0]);
    Label7->setBuddy(Text2[2]);
    for (size_t i = 0; i < Check1.size(); ++i) {
        Check1[i] = new QCheckBox(kServerSystems[i], this);
        Check1[i]->setObjectName(QString("Check1_%1").arg(i));
        Check1[i]->setAccessibleName(QString("Servers ") + kServerSystems[i]);
        const int column = kServerColumns[i];
        Place(Check1[i], kSystemLefts[column], kRowTops[0], kSystemWidths[column], 285);
    }
    for (size_t i = 0; i < Check2.size(); ++i) {
        Check2[i] = new QCheckBox(kWorkstationSystems[i], this);
        Check2[i]->setObjectName(QString("Check2_%1").arg(i));
        Check2[i]->setAccessibleName(QString("Workstations ") + kWorkstationSystems[i]);
        Place(Check2[i], kSystemLefts[i], kRowTops[1], kSystemWidths[i], 285);
    }

    // The description.
    Label12 = MakeLabel(this, "Label12", "Please describe your problem or question:");
    Place(Label12, kLeft, 5640, kInnerWidth, 255);
    Text3 = new MultiLineBox(this, kDescriptionMax);
    Text3->setObjectName("Text3");
    Text3->setAccessibleName(Label12->text());
    Label12->setBuddy(Text3);
    Place(Text3, kLeft, 5940, kInnerWidth, 1800);

    // The buttons along the bottom.
    Command1 = MakeCommandButton(this, "Command1", "Send Trouble Ticket To Clipboard");
    Command3 = MakeCommandButton(this, "Command3", "Copy Trouble Ticket To File");
    Command2 = MakeCommandButton(this, "Command2", "Close");
    Place(Command1, kLeft, 8100, 2880, 375);
    Place(Command3, kLeft + 3000, 8100, 2640, 375);
    Place(Command2, kFormWidth - kLeft - 1215, 8100, 1215, 375);
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(Command3, &QPushButton::clicked, this, [this] { Command3_Click(); });
    connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });

    setFixedSize(TwipsToPixelsX(kFormWidth), TwipsToPixelsY(kFormHeight));
    SetTabOrder();
    Form_Load();
}

void Z9Support::SetTabOrder() {
    std::vector<QWidget*> order = {Text4, Text1, Text2[0], Text2[1]};
    order.insert(order.end(), Check1.begin(), Check1.end());
    order.insert(order.end(), {Text2[2], Text2[3]});
    order.insert(order.end(), Check2.begin(), Check2.end());
    order.insert(order.end(), {Text3, Command1, Command3, Command2});
    for (size_t i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void Z9Support::Form_Load() {
    SetFormFonts(this);
    QFont bold = Label1->font();
    bold.setBold(true);
    Label1->setFont(bold);
    for (size_t i = 0; i < lines_.size(); ++i)
        lines_[i].InitZ9Line(kLineLeft, kLineTops[i], this, false, true, kFormWidth - 2 * kLineLeft);
    Text4->setPlainText(ShownText(GreetingLetter()));
    Label5->setText("Please fill out our hardware questionary about your network or standalone computer:");
    Label5->setAccessibleName(Label5->text());
}

std::string Z9Support::TickedSystems(int row) const {
    std::vector<SystemBox> boxes;
    auto add = [&boxes](const QCheckBox* box) { boxes.push_back({ToAnsi(box->text()), box->isChecked()}); };
    if (row == 1)
        std::for_each(Check1.begin(), Check1.end(), add);
    else
        std::for_each(Check2.begin(), Check2.end(), add);
    return z9::TickedSystems(boxes);
}

std::string Z9Support::BuildTicket() {
    TicketAnswers answers;
    answers.replyAddress = ToAnsi(Text1->text());
    for (size_t i = 0; i < answers.counts.size(); ++i)
        answers.counts[i] = ToAnsi(Text2[i]->text());
    answers.serverSystems = TickedSystems(1);
    answers.workstationSystems = TickedSystems(2);
    answers.description = BoxText(Text3);

    TicketResult result = AssembleTicket(answers, SupportMailAddress(), AppTitle());
    if (!result.problem) return result.text;
    MessageBox(result.problem->message, result.problem->style);
    QWidget* mend = nullptr;
    switch (result.problem->focus) {
    case TicketField::ReplyAddress:
        mend = Text1;
        break;
    case TicketField::WorkstationsExisting:
        mend = Text2[2];
        break;
    case TicketField::ServerSystems:
        mend = Check1[0];
        break;
    case TicketField::WorkstationSystems:
        mend = Check2[0];
        break;
    case TicketField::Description:
        mend = Text3;
        break;
    case TicketField::None:
        break;
    }
    if (mend) mend->setFocus(Qt::OtherFocusReason);
    return {};
}

bool Z9Support::WriteTicketFile(const std::string& path, const std::string& text) {
    return z9::WriteTicketFile(path, HostFileName(path), text);
}

void Z9Support::Command1_Click() {
    const std::string ticket = BuildTicket();
    if (ticket.empty()) return;
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(FromAnsi(ticket));
    MessageBox(ClipboardConfirmation(SupportMailAddress()), vbInformation);
    Command2->setFocus(Qt::OtherFocusReason);
}

void Z9Support::Command3_Click() {
    const std::string ticket = BuildTicket();
    if (ticket.empty()) return;
    static const char kFilter[] = "Trouble Ticket (*.txt)\0*.txt\0";
    static const std::string filter(kFilter, sizeof kFilter - 1);
    const std::string path =
        OpenFileDialog("Please select file name for your Trouble Ticket file", "", filter, 1, false, this);
    if (path.empty() || !WriteTicketFile(path, ticket)) return;
    MessageBox(FileConfirmation(path, SupportMailAddress()), vbInformation);
    Command2->setFocus(Qt::OtherFocusReason);
}

void Z9Support::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (auto* button = qobject_cast<QPushButton*>(focusWidget())) button->click();
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void Z9Support::Command2_Click() {
    close();
}

void ShowSupportForm(QWidget* owner) {
    Z9Support form(owner);
    form.exec();
}

} // namespace z9
