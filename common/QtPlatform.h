#pragma once
// Puts the GUI behind the one-door helpers: message boxes become real boxes,
// waits keep the windows alive, and text reaches the host in its encoding.
// Each program calls this once after creating its QApplication (tests install
// their own handlers instead).
namespace z9 {

void InstallQtPlatform();

// Puts the code page door behind HostText.h, so code without Qt hands file
// names and arguments to the host in its encoding (UTF-8 on Linux). Part of
// InstallQtPlatform; the test main calls it alone.
void InstallHostText();

// Makes the fonts the windows ask for ("Tahoma") available where the system
// does not list them, e.g. the Tahoma of fonts-wine, which Linux keeps outside
// the font path. Needs a QGuiApplication; safe to call more than once.
void LoadProgramFonts();

} // namespace z9
