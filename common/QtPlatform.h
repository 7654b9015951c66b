#pragma once
// Puts the GUI behind the one-door helpers: message boxes become real boxes,
// waits keep the windows alive, and text reaches the host in its encoding.
// Each program calls this once after creating its QApplication (tests install
// their own handlers instead).
#include <memory>
#include <string>

class QMessageBox;

namespace z9 {

void InstallQtPlatform();

// Puts the code page door behind HostText.h, so code without Qt hands file
// names and arguments to the host in its encoding (UTF-8 on Linux). Part of
// InstallQtPlatform; the test main calls it alone.
void InstallHostText();

// The box MessageBox shows for a style (icon 16/32/48/64, buttons 0-4), not yet shown.
std::unique_ptr<QMessageBox> BuildMessageBox(const std::string& text, int style, const std::string& title);
// Only the window system's answers of Desktop.h (who can answer a box, the
// hourglass); InstallQtPlatform includes them. Tests that answer boxes
// themselves install just these.
void InstallQtDesktop();

// Makes the fonts the windows ask for ("Tahoma") available where the system
// does not list them, e.g. the Tahoma of fonts-wine, which Linux keeps outside
// the font path. Needs a QGuiApplication; safe to call more than once.
void LoadProgramFonts();

} // namespace z9
