#pragma once
// What the galleries do around their forms: the programs' platform and font
// and, when a picture is taken, no box that waits for a click.
#include <QString>

class QWidget;

namespace z9 {

// After the QApplication: reads `[--locale NAME] [--screenshot PATH]` (false
// after printing the usage for anything else), and sets up the platform. With
// a screenshot to take, every message box is printed and answered OK. With
// `shown`, `--show NAME` is read too: which of the gallery's forms to show.
bool PrepareGallery(const char* program, QString& screenshot, QString* shown = nullptr);
// Draws the shown form once and saves it as PNG; the program's exit code.
int SaveGalleryShot(QWidget* form, const QString& path, const char* program);

} // namespace z9
