// DialogGallery: the menu program's dialogs as a user meets them, to look at
// them (and to take the screenshots in docs/).
//
//   DialogGallery [--show font|open|options] [--locale NAME] [--screenshot PATH]
//
// With --screenshot the dialog is drawn once, saved as PNG and the program ends.
#include "common/FontChooser.h"
#include "common/FontOptions.h"
#include "common/Program.h"
#include "common/Settings.h"
#include "menu/app/Options.h"
#include "menu/app/Sopen.h"
#include "tools/gallery/GalleryShot.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <cstdio>
#include <memory>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QString screenshot;
    QString shown = QStringLiteral("font");
    if (!z9::PrepareGallery("DialogGallery", screenshot, &shown)) return 2;
    z9::SetAppTitle("Zorvan Menu");
    z9::SetAppKey(z9::kMenuAppKey);

    std::unique_ptr<QDialog> dialog;
    if (shown == QLatin1String("font")) {
        // The caption of a link as the edit view hands it over.
        dialog = std::make_unique<z9::FontChooser>(
            z9::FontChoice{"Tahoma", 12, true, false, false, false, 0, z9::RgbColor(0, 0, 128)});
    } else if (shown == QLatin1String("open")) {
        // New from the edit view: a menu to create beside the last one.
        auto open = std::make_unique<z9::Sopen>([](const std::string&) { return true; });
        open->SetMNew(true);
        open->Text1->setText(QStringLiteral("C:\\Menus\\Accounting.z9m"));
        dialog = std::move(open);
    } else if (shown == QLatin1String("options")) {
        dialog = std::make_unique<z9::Options>();
    } else {
        std::fprintf(stderr, "DialogGallery: no dialog named %s\n", shown.toLocal8Bit().constData());
        return 2;
    }
    if (screenshot.isEmpty()) return dialog->exec() == QDialog::Accepted ? 0 : 1;
    dialog->show();
    return z9::SaveGalleryShot(dialog.get(), screenshot, "DialogGallery");
}
