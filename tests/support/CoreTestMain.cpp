// The test main of the libraries without Qt (they run on Windows too): no
// application object, and any message box nobody answered fails the test.
#include "common/MessageBox.h"

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    z9::SetMessageHandler([](const std::string& text, int, const std::string&) {
        ADD_FAILURE() << "unexpected message box: " << text;
        return static_cast<int>(z9::vbOK);
    });
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
