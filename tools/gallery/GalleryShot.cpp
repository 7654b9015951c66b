#include "GalleryShot.h"

#include "common/MessageBox.h"
#include "common/P8LocaleSettings.h"
#include "common/QtPlatform.h"

#include <QApplication>
#include <QFont>
#include <QPixmap>
#include <QWidget>
#include <cstdio>
#include <string>

namespace z9 {

bool PrepareGallery(const char* program, QString& screenshot, QString* shown) {
    const QStringList args = QApplication::arguments();
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--screenshot") && i + 1 < args.size()) {
            screenshot = args[++i];
        } else if (args[i] == QLatin1String("--locale") && i + 1 < args.size()) {
            UseLocale(args[++i].toStdString());
        } else if (shown && args[i] == QLatin1String("--show") && i + 1 < args.size()) {
            *shown = args[++i];
        } else {
            std::fprintf(stderr, "usage: %s [--locale NAME] [--screenshot PATH]%s\n", program,
                         shown ? " [--show NAME]" : "");
            return false;
        }
    }
    InstallQtPlatform();
    QApplication::setFont(QFont(QStringLiteral("Tahoma"), 8));
    if (screenshot.isEmpty()) return true;
    static const char* name = program;
    SetMessageHandler([](const std::string& text, int, const std::string&) {
        std::fprintf(stderr, "%s: %s\n", name, text.c_str());
        return static_cast<int>(vbOK);
    });
    return true;
}

int SaveGalleryShot(QWidget* form, const QString& path, const char* program) {
    QApplication::processEvents();
    if (form->grab().save(path, "PNG")) return 0;
    std::fprintf(stderr, "%s: cannot write %s\n", program, path.toLocal8Bit().constData());
    return 1;
}

} // namespace z9
