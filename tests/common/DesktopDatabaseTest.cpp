// The desktop's defaults as we read them, against what xdg-mime answers.
#include "common/DesktopDatabase.h"
#include "common/Program.h"
#include "tests/support/DesktopSupport.h"
#include "tests/support/TestSupport.h"

#include <fstream>
#include <gtest/gtest.h>

namespace z9 {
namespace {

namespace fs = std::filesystem;
using test::ScopedEnv;
using test::TempFolder;

class DesktopDatabaseTest : public ::testing::Test {
protected:
    void SetUp() override {
        program_ = temp_.Write("apps/viewer", "#!/bin/sh\n").string();
        fs::permissions(program_, fs::perms::owner_all);
    }

    // Our answer and xdg-mime's for a type, which must agree.
    std::string Default(const std::string& type) {
        std::string ours = DefaultApplication(type);
        EXPECT_EQ(ours, test::XdgDefault(type)) << type;
        return ours;
    }

    TempFolder temp_;
    ScopedEnv desktop_{"XDG_CURRENT_DESKTOP", std::nullopt};
    std::string program_;
};

TEST_F(DesktopDatabaseTest, AnEntryThatNamesTheTypeIsItsApplication) {
    EXPECT_EQ(Default("application/x-zorvan-none"), "");
    test::AddDesktopEntry("zorvan-low.desktop", program_ + " %f", {"application/x-zorvan-a"}, 1);
    EXPECT_EQ(Default("application/x-zorvan-a"), "zorvan-low.desktop");
    test::AddDesktopEntry("zorvan-high.desktop", program_ + " %f", {"text/x-other", "application/x-zorvan-a"},
                          5);
    EXPECT_EQ(Default("application/x-zorvan-a"), "zorvan-high.desktop") << "the higher InitialPreference";
    EXPECT_EQ(DesktopEntryProgram("zorvan-high.desktop"), program_);
}

TEST_F(DesktopDatabaseTest, TheCacheOfUpdateDesktopDatabaseCounts) {
    test::AddDesktopEntry("zorvan-cached.desktop", program_ + " %f", {"application/x-zorvan-b"});
    const std::string apps = EnvVar("XDG_DATA_HOME") + "/applications";
    ASSERT_EQ(std::system(("update-desktop-database '" + apps + "' >/dev/null 2>&1").c_str()), 0);
    ASSERT_TRUE(fs::exists(apps + "/mimeinfo.cache"));
    EXPECT_EQ(Default("application/x-zorvan-b"), "zorvan-cached.desktop");
}

TEST_F(DesktopDatabaseTest, MimeappsListsChooseAmongTheEntries) {
    test::AddDesktopEntry("zorvan-one.desktop", program_ + " %f", {"application/x-zorvan-c"}, 9);
    test::AddDesktopEntry("zorvan-two.desktop", program_ + " %f", {"application/x-zorvan-c"});
    test::SetDefaultApplication("application/x-zorvan-c", "zorvan-gone.desktop;zorvan-two.desktop;");
    EXPECT_EQ(Default("application/x-zorvan-c"), "zorvan-one.desktop")
        << "a line whose first entry is gone is passed over whole";
    test::SetDefaultApplication("application/x-zorvan-d", "zorvan-two.desktop;zorvan-one.desktop");
    EXPECT_EQ(Default("application/x-zorvan-d"), "zorvan-two.desktop") << "an entry need not name the type";

    // A desktop's own list comes before the common one.
    ScopedEnv desktop("XDG_CURRENT_DESKTOP", "Z9Desk");
    std::ofstream(EnvVar("XDG_CONFIG_HOME") + "/z9desk-mimeapps.list")
        << "[Added Associations]\napplication/x-zorvan-c=zorvan-two.desktop;\n"
        << "[Default Applications]\napplication/x-zorvan-c=zorvan-one.desktop\n";
    EXPECT_EQ(Default("application/x-zorvan-c"), "zorvan-one.desktop");
}

TEST_F(DesktopDatabaseTest, EntriesInVendorFoldersAndProgramsOnPath) {
    ScopedEnv path("PATH", (temp_.Path() / "apps").string() + ":" + EnvVar("PATH"));
    const fs::path vendor = fs::path(EnvVar("XDG_DATA_HOME")) / "applications" / "zorvan" / "tool.desktop";
    fs::create_directories(vendor.parent_path());
    std::ofstream(vendor) << "[Desktop Entry]\nType=Application\nName=t\nExec=viewer --x %F\n";
    EXPECT_EQ(DesktopEntryProgram("zorvan-tool.desktop"), program_);
    EXPECT_EQ(DesktopEntryProgram("zorvan-missing.desktop"), "");
    EXPECT_EQ(DesktopEntryProgram("../escape.desktop"), "");

    // A quoted program with a blank in its path (which xdg-mime's own reading cuts at the blank).
    const fs::path spaced = temp_.Write("my apps/view er", "#!/bin/sh\n");
    fs::permissions(spaced, fs::perms::owner_all);
    test::AddDesktopEntry("zorvan-spaced.desktop", "\"" + spaced.string() + "\" --open %f", {"text/x-z9"});
    EXPECT_EQ(DesktopEntryProgram("zorvan-spaced.desktop"), spaced.string());
}

TEST_F(DesktopDatabaseTest, GlobPatternsGiveTheType) {
    ASSERT_TRUE(test::AddMimeType("application/x-zorvan-low", "*.zlog", 40));
    ASSERT_TRUE(test::AddMimeType("application/x-zorvan-high", "*.zlog", 60));
    ASSERT_TRUE(test::AddMimeType("application/x-zorvan-long", "*.big.zlog", 60));
    EXPECT_EQ(MimeTypeForFileName("/x/run.zlog"), "application/x-zorvan-high");
    EXPECT_EQ(MimeTypeForFileName("RUN.ZLOG"), "application/x-zorvan-high");
    EXPECT_EQ(MimeTypeForFileName("/x/a.big.zlog"), "application/x-zorvan-long") << "the longer pattern";
    EXPECT_EQ(MimeTypeForFileName("/x/a.zlog.txt.z9-nothing"), "");
    EXPECT_EQ(MimeTypeForFileName("/x/"), "");
}

} // namespace
} // namespace z9
