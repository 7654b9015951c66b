#pragma once
// A menu window started as the program starts it, in a temporary program
// folder that holds a stand-in submitter (the argument-writing test program),
// with every message box and dialog recorded and answered by the test.
#include "common/Program.h"
#include "common/Settings.h"
#include "menu/app/MenuWindow.h"
#include "menu/document/MenuItem.h"
#include "tests/support/DialogSupport.h"
#include "tests/support/TestSupport.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace z9::test {

// One menu file line.
inline std::string MenuLine(int type, const std::string& caption, const std::string& link = {},
                            double size = 10, std::int32_t color = 0, const std::string& font = "Tahoma") {
    MenuItem item;
    item.Type = static_cast<std::int16_t>(type);
    item.Caption = caption;
    item.Link = link;
    item.Font.Name = font;
    item.Font.Size = size;
    item.FontColor = color;
    return WriteItem(item);
}

class MenuWindowTest : public ::testing::Test {
protected:
    MenuWindowTest();
    ~MenuWindowTest() override;

    std::filesystem::path Bin() const { return temp_.Path() / "bin"; }
    // A menu file of these lines, each ended by CR LF, below the temporary folder.
    std::string WriteMenu(const std::string& relative, const std::vector<std::string>& lines);
    // The window after start-up with this command line; Form_Load's answer in started_.
    MenuWindow& Start(const std::string& commandLine);
    // Lets the window's queued events and a few ticks of its timers run.
    static void Settle(int ms = 0);

    TempFolder temp_;
    MessageRecorder messages_;
    DialogRecorder dialogs_;
    std::unique_ptr<MenuWindow> window_;
    bool started_ = false;

private:
    // A modal window the test does not answer would hold it for good: after
    // five seconds it fails the test and is closed.
    QTimer modalWatch_;
    QPointer<QWidget> watchedModal_;
    QElapsedTimer modalSince_;
};

} // namespace z9::test
