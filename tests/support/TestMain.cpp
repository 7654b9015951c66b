// The one test main: a QApplication on the offscreen platform, and a message
// handler that fails any test which shows a box or a dialog nobody answered.
#include "common/Dialogs.h"
#include "common/MessageBox.h"
#include "common/QtPlatform.h"

#include <QApplication>
#include <cstdlib>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    z9::LoadProgramFonts();
    z9::InstallHostText();
    z9::InstallQtDesktop();
    z9::SetMessageHandler([](const std::string& text, int, const std::string&) {
        ADD_FAILURE() << "unexpected message box: " << text;
        return static_cast<int>(z9::vbOK);
    });
    // A dialog nobody answers would block the run: fail and cancel instead.
    z9::SetOpenFileHandler([](const z9::OpenFileRequest& request) {
        ADD_FAILURE() << "unexpected open-file dialog: " << request.title;
        return z9::OpenFileAnswer{};
    });
    z9::SetBrowseFolderHandler([](const z9::BrowseFolderRequest& request) -> std::optional<std::string> {
        ADD_FAILURE() << "unexpected folder dialog";
        return std::nullopt;
    });
    z9::SetFontHandler([](const z9::FontRequest&) -> std::optional<z9::FontChoice> {
        ADD_FAILURE() << "unexpected font dialog";
        return std::nullopt;
    });
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
