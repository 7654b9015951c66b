// The test main of the libraries without Qt (they run on Windows too): no
// application object, a scratch folder for the whole run and the reset of
// global state after every test (TestRun.h); any message box nobody answered
// fails the test.
#include "TestRun.h"

#include <cstdio>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (!z9::test::StartTestRun()) {
        std::fprintf(stderr, "cannot make the test run's scratch folder\n");
        return 1;
    }
    const int result = RUN_ALL_TESTS();
    z9::test::EndTestRun();
    return result;
}
