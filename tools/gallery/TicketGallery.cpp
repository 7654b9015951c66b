// TicketGallery: the support form filled in the way a customer would, to look
// at it (and to take the screenshot in docs/).
//
//   TicketGallery [--locale NAME] [--screenshot PATH]
//
// With --screenshot the form is drawn once, saved as PNG and the program ends.
#include "common/MessageBox.h"
#include "common/P8LocaleSettings.h"
#include "common/Program.h"
#include "common/QtPlatform.h"
#include "menu/support/Z9Support.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QTextEdit>
#include <cstdio>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QString screenshot;
    QStringList args = QApplication::arguments();
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--screenshot") && i + 1 < args.size()) {
            screenshot = args[++i];
        } else if (args[i] == QLatin1String("--locale") && i + 1 < args.size()) {
            z9::UseLocale(args[++i].toStdString());
        } else {
            std::fprintf(stderr, "usage: TicketGallery [--locale NAME] [--screenshot PATH]\n");
            return 2;
        }
    }
    z9::SetAppTitle("Zorvan Menu " Z9_VERSION_TEXT);
    z9::InstallQtPlatform();
    if (!screenshot.isEmpty()) {
        // Nothing may wait for a click while the picture is taken.
        z9::SetMessageHandler([](const std::string& text, int, const std::string&) {
            std::fprintf(stderr, "TicketGallery: %s\n", text.c_str());
            return static_cast<int>(z9::vbOK);
        });
    }

    z9::Z9Support form;
    form.Text1->setText(QStringLiteral("anna.berg@example.com"));
    form.Text2[0]->setText(QStringLiteral("1"));
    form.Text2[2]->setText(QStringLiteral("12"));
    form.Text2[3]->setText(QStringLiteral("3"));
    form.Check1[0]->setChecked(true);
    form.Check1[3]->setChecked(true);
    form.Check2[1]->setChecked(true);
    form.Text3->setPlainText(
        QStringLiteral("The nightly backup task stops at its second step since we moved the job queue "
                       "to the new file server.\nWhich rights does the task account need on the share?"));
    form.Text3->moveCursor(QTextCursor::End);
    form.Text3->setFocus();
    if (screenshot.isEmpty()) {
        form.exec();
        return 0;
    }

    form.show();
    QApplication::processEvents();
    if (!form.grab().save(screenshot, "PNG")) {
        std::fprintf(stderr, "TicketGallery: cannot write %s\n", screenshot.toLocal8Bit().constData());
        return 1;
    }
    return 0;
}
