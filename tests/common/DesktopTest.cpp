#include "common/Desktop.h"
#include "common/QtPlatform.h"

#include <QCursor>
#include <QGuiApplication>
#include <gtest/gtest.h>

namespace z9 {
namespace {

class RecordingDesktop : public DesktopBackend {
public:
    bool PersonCanAnswer() override { return person; }
    bool PushBusyCursor() override {
        ++pushed;
        return hasPointer;
    }
    void PopBusyCursor() override { ++popped; }

    bool person = true;
    bool hasPointer = true;
    int pushed = 0;
    int popped = 0;
};

class DesktopTest : public ::testing::Test {
protected:
    void SetUp() override { previous_ = Desktop::Install(&desktop); }
    void TearDown() override { Desktop::Install(previous_); }
    RecordingDesktop desktop;
    DesktopBackend* previous_ = nullptr;
};

TEST_F(DesktopTest, TheInstalledDesktopAnswersAndNoneMeansNobody) {
    EXPECT_TRUE(PersonCanAnswer());
    desktop.person = false;
    EXPECT_FALSE(PersonCanAnswer());
    desktop.person = true;
    Desktop::Install(nullptr);
    EXPECT_FALSE(PersonCanAnswer());
    { BusyCursor busy; } // without a desktop there is no pointer to change
    EXPECT_EQ(desktop.pushed, 0);
}

TEST_F(DesktopTest, EachHourglassIsTakenBackOnceByTheDesktopThatShowedIt) {
    {
        BusyCursor outer;
        {
            BusyCursor inner;
            EXPECT_EQ(desktop.pushed, 2);
            EXPECT_EQ(desktop.popped, 0);
        }
        EXPECT_EQ(desktop.popped, 1);
        RecordingDesktop other;
        Desktop::Install(&other); // swapped meanwhile: the pointer still goes back where it came from
        { BusyCursor third; }
        EXPECT_EQ(other.pushed, 1);
        EXPECT_EQ(other.popped, 1);
        Desktop::Install(&desktop);
    }
    EXPECT_EQ(desktop.popped, 2);

    desktop.hasPointer = false;
    { BusyCursor none; }
    EXPECT_EQ(desktop.pushed, 3);
    EXPECT_EQ(desktop.popped, 2); // nothing was shown, nothing to take back
}

TEST(QtDesktopTest, TheHourglassIsThePointerWhileItLives) {
    InstallQtDesktop();
    // The tests run on the offscreen platform: nobody can answer a box there.
    EXPECT_FALSE(PersonCanAnswer());
    ASSERT_EQ(QGuiApplication::overrideCursor(), nullptr);
    {
        BusyCursor busy;
        ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    }
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

} // namespace
} // namespace z9
