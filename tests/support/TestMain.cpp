// The one test main: a QApplication on the offscreen platform, and a message
// handler that fails any test which shows a box nobody recorded.
#include "common/MessageBox.h"

#include <QApplication>
#include <cstdlib>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    z9::SetMessageHandler([](const std::string& text, int, const std::string&) {
        ADD_FAILURE() << "unexpected message box: " << text;
        return static_cast<int>(z9::vbOK);
    });
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
