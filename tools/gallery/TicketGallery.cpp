// TicketGallery: the support form filled in the way a customer would, to look
// at it (and to take the screenshot in docs/).
//
//   TicketGallery [--locale NAME] [--screenshot PATH]
//
// With --screenshot the form is drawn once, saved as PNG and the program ends.
#include "common/Program.h"
#include "menu/support/Z9Support.h"
#include "tools/gallery/GalleryShot.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QTextEdit>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QString screenshot;
    if (!z9::PrepareGallery("TicketGallery", screenshot)) return 2;
    z9::SetAppTitle("Zorvan Menu " Z9_VERSION_TEXT);

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
    return z9::SaveGalleryShot(&form, screenshot, "TicketGallery");
}
