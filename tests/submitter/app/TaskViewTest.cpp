#include "submitter/app/TaskView.h"
#include "submitter/app/Placement.h"

#include "common/Settings.h"

#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

using namespace z9;
using z9::test::MessageRecorder;

namespace {

TaskRecord Steps(std::vector<std::pair<std::string, std::string>> nameAndExecute) {
    TaskRecord t;
    for (auto& [name, execute] : nameAndExecute) {
        StepRecord s;
        s.StepName = name;
        s.Execute = execute;
        t.Steps.push_back(s);
    }
    return t;
}

} // namespace

TEST(TaskView, WhichStepsGetAHeader) {
    TaskRecord t = Steps({{"Build", "1"}, {"Hidden", "4"}, {"Hidden", "7"}, {"", "3"}, {"", "3"}, {"", "2"}});
    EnvironRecord r;
    r.Step = "5";
    t.Environs.push_back(r);
    EXPECT_TRUE(NeedsHead(t, 0));
    EXPECT_FALSE(NeedsHead(t, 1));
    EXPECT_FALSE(NeedsHead(t, 2));
    EXPECT_FALSE(NeedsHead(t, 3)); // unnamed, fixed, nothing to show
    EXPECT_TRUE(NeedsHead(t, 4));  // unnamed, fixed, with a variable
    EXPECT_TRUE(NeedsHead(t, 5));
}

TEST(TaskView, HeaderStatesAndProtection) {
    EXPECT_EQ(HeaderCheck("1"), 0);
    EXPECT_EQ(HeaderCheck("2"), 1);
    EXPECT_EQ(HeaderCheck("3"), 2);
    EXPECT_EQ(HeaderCheck("5"), 0);
    EXPECT_EQ(HeaderCheck("6"), 1);
    EXPECT_EQ(HeaderCheck("0"), -1);
    // Unticking and ticking again keeps the protection bit.
    EXPECT_EQ(ExecuteAfterCheck("5", 1), "6");
    EXPECT_EQ(ExecuteAfterCheck("6", 0), "5");
    EXPECT_EQ(ExecuteAfterCheck("1", 1), "2");
    EXPECT_EQ(ExecuteAfterCheck("2", 0), "1");
    EXPECT_TRUE(EditorsShown("1"));
    EXPECT_TRUE(EditorsShown("3"));
    EXPECT_FALSE(EditorsShown("2"));
    EXPECT_FALSE(EditorsShown("5"));
    EXPECT_FALSE(EditorsShown("6"));
}

TEST(TaskView, CheckStepsMarked) {
    MessageRecorder rec;
    EXPECT_TRUE(CheckStepsMarked(Steps({{"a", "2"}, {"b", "5"}}))); // protected but running
    EXPECT_TRUE(CheckStepsMarked(Steps({{"a", "3"}})));
    EXPECT_TRUE(rec.Messages().empty());
    EXPECT_FALSE(CheckStepsMarked(Steps({{"a", "2"}, {"b", "6"}, {"c", "4"}, {"d", ""}})));
    EXPECT_FALSE(CheckStepsMarked(TaskRecord{}));
    ASSERT_EQ(rec.Messages().size(), 2u);
    EXPECT_EQ(rec.Messages()[0].text,
              "There are no steps to execute.\n\nPlease mark at least one step to execute.");
    EXPECT_EQ(rec.Messages()[0].style, 48);
}

TEST(TaskView, PasswordValuesRoundTrip) {
    TaskRecord t;
    EnvironRecord pw, plain, number;
    pw.Type = "0";
    pw.Format = "*";
    pw.Value = "s3cret";
    plain.Type = "0";
    plain.Value = "open";
    number.Type = "1";
    number.Format = "0.00";
    number.Value = "1.50";
    t.Environs = {pw, plain, number};
    SwitchPasswordValues(t, 'E');
    EXPECT_NE(t.Environs[0].Value, "s3cret");
    EXPECT_EQ(t.Environs[0].Value.size(), 14u);
    EXPECT_EQ(t.Environs[0].Value.find_first_not_of("0123456789ABCDEF"), std::string::npos);
    EXPECT_EQ(t.Environs[1].Value, "open");
    EXPECT_EQ(t.Environs[2].Value, "1.50");
    SwitchPasswordValues(t, 'D');
    EXPECT_EQ(t.Environs[0].Value, "s3cret");
}

TEST(Placement, FitHeightToContentAndScreen) {
    EXPECT_EQ(FitHeight(3000, 800, 1200, 16200), 5600);
    EXPECT_EQ(FitHeight(100000, 800, 1200, 16200), 13770); // 85 %
}

TEST(Placement, StoredUnderTheSubmitterKeyAsStrings) {
    z9::test::TempFolder tmp;
    SetAppKey(kMenuAppKey);
    EXPECT_EQ(ReadPlacement(), (Placement{1000, 1000, 10000, 8000}));
    SavePlacement({-15, 30, 9000, 7000});
    EXPECT_EQ(AppKey(), kMenuAppKey);
    EXPECT_EQ(ReadPlacement(), (Placement{-15, 30, 9000, 7000}));

    RegKey key;
    ASSERT_EQ(key.Open(RegRoot::CurrentUser, "Software\\Brindle\\Zorvan Submitter\\StartSet"), 0);
    RegValue v;
    ASSERT_EQ(key.Query("MainLeft", v), 0);
    EXPECT_TRUE(v.IsString());
    EXPECT_EQ(v.Text(), "-15");
    // A value someone stored as a number is read as well.
    ASSERT_EQ(key.Set("MainTop", RegValue::Dword(450)), 0);
    EXPECT_EQ(ReadPlacement().top, 450);
    // Nothing of it landed under the menu's key.
    EXPECT_FALSE(KeyExists("Brindle\\Zorvan Menu\\StartSet"));
}
