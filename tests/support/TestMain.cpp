// The one test main of the tests with Qt: a QApplication on the offscreen
// platform, a scratch folder for the whole run and the reset of global state
// after every test (TestRun.h), the GUI's included.
#include "TestRun.h"

#include "common/Dialogs.h"
#include "common/P8LocaleSettings.h"
#include "common/QtPlatform.h"

#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>

namespace {

// The GUI's handlers as every test starts with them. A dialog nobody answers
// would block the run: it fails the test and is cancelled.
void ResetGui() {
    z9::InstallQtDesktop();
    z9::InstallHostText();
    z9::UseLocale("");
    z9::SetLastDialogFolder("");
    z9::SetOpenFileHandler([](const z9::OpenFileRequest& request) {
        ADD_FAILURE() << "unexpected open-file dialog: " << request.title;
        return z9::OpenFileAnswer{};
    });
    z9::SetBrowseFolderHandler([](const z9::BrowseFolderRequest&) -> std::optional<std::string> {
        ADD_FAILURE() << "unexpected folder dialog";
        return std::nullopt;
    });
    z9::SetFontHandler([](const z9::FontRequest&) -> std::optional<z9::FontChoice> {
        ADD_FAILURE() << "unexpected font dialog";
        return std::nullopt;
    });
}

} // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    ::testing::InitGoogleTest(&argc, argv);
    // Before the application starts, so not even Qt reads the real home folder.
    if (!z9::test::StartTestRun()) {
        std::fprintf(stderr, "cannot make the test run's scratch folder\n");
        return 1;
    }
    QApplication app(argc, argv);
    z9::LoadProgramFonts();
    ResetGui();
    z9::test::AddStateReset(ResetGui);
    const int result = RUN_ALL_TESTS();
    z9::test::EndTestRun();
    return result;
}
