// DialogGallery: the menu program's dialogs as a user meets them, to look at
// them (and to take the screenshots in docs/).
//
//   DialogGallery [--show font|open|options] [--locale NAME] [--screenshot PATH]
//
// With --screenshot the dialog is drawn once, saved as PNG and the program ends.
#include "common/FontChooser.h"
#include "common/FontOptions.h"
#include "common/Program.h"
#include "tools/gallery/GalleryShot.h"

#include <QApplication>
#include <QComboBox>
#include <cstdio>
#include <memory>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QString screenshot;
    QString shown = QStringLiteral("font");
    if (!z9::PrepareGallery("DialogGallery", screenshot, &shown)) return 2;
    z9::SetAppTitle("Zorvan Menu");

    std::unique_ptr<QDialog> dialog;
    if (shown == QLatin1String("font")) {
        // The caption of a link as the edit view hands it over.
        dialog = std::make_unique<z9::FontChooser>(
            z9::FontChoice{"Tahoma", 12, true, false, false, false, 0, z9::RgbColor(0, 0, 128)});
    } else {
        std::fprintf(stderr, "DialogGallery: no dialog named %s\n", shown.toLocal8Bit().constData());
        return 2;
    }
    if (screenshot.isEmpty()) return dialog->exec() == QDialog::Accepted ? 0 : 1;
    dialog->show();
    return z9::SaveGalleryShot(dialog.get(), screenshot, "DialogGallery");
}
