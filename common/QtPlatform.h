#pragma once
// Puts the GUI behind the one-door helpers: message boxes become real boxes,
// and waits keep the windows alive. Each program calls this once after creating
// its QApplication (tests install their own handlers instead).
namespace z9 {

void InstallQtPlatform();

} // namespace z9
