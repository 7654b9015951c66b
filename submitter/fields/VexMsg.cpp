#include "submitter/fields/VexMsg.h"

#include "common/CodePageQt.h"
#include "common/Program.h"
#include "common/Twips.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace z9 {

VexMsg::VexMsg(QWidget* owner) : QDialog(owner) {
    setObjectName(QStringLiteral("VexMsg"));
    setWindowTitle(FromAnsi(AppTitle()));
    QFont tahoma = font();
    tahoma.setFamily(QStringLiteral("Tahoma"));
    setFont(tahoma);

    text1_ = new QPlainTextEdit(this);
    text1_->setObjectName(QStringLiteral("Text1"));
    text1_->setAccessibleName(QStringLiteral("Help"));
    text1_->setReadOnly(true);
    text1_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);

    command1_ = new QPushButton(QStringLiteral("&OK"), this);
    command1_->setObjectName(QStringLiteral("Command1"));
    command1_->setAccessibleName(QStringLiteral("OK"));
    command1_->setDefault(true);
    connect(command1_, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(command1_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text1_, 1);
    layout->addLayout(buttons);

    resize(TwipsToPixelsX(6000), TwipsToPixelsY(3600));
}

void VexMsg::Text(const std::string& s) {
    QString text = FromAnsi(s);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QChar(u'\r'), QChar(u'\n'));
    text1_->setPlainText(text);
}

} // namespace z9
