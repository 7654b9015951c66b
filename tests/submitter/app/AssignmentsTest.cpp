#include "submitter/app/Assignments.h"

#include "submitter/base/ReportError.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

using namespace z9;
using z9::test::MessageRecorder;
using z9::test::TempFolder;
using Texts = std::vector<std::string>;

namespace {

const std::string kInvalid = "Error in Command Line: Passed environment variables are invalid.";

EnvironRecord Record(std::string step, std::string variable, std::string type, std::string min = "",
                     std::string max = "", std::string format = "") {
    EnvironRecord r;
    r.Step = std::move(step);
    r.Variable = std::move(variable);
    r.Type = std::move(type);
    r.Min = std::move(min);
    r.Max = std::move(max);
    r.Format = std::move(format);
    return r;
}

TaskRecord SampleTask() {
    TaskRecord t;
    t.Steps.resize(3);
    t.Steps[0].Execute = "1";
    t.Steps[1].Execute = "2";
    t.Steps[2].Execute = "5"; // protected
    t.Environs = {
        Record("1", "X", "0"),
        Record("2", "OUT", "2"),
        Record("2", "DEBUG", "5", "no", "yes"),
        Record("1", "LIST", "6", "0", "alpha\r\nbeta\rgamma\n"),
        Record("1", "MODE", "6", "0", "Daily run=D\nWeekly=\nOther", "="),
        Record("3", "LOCKED", "0"),
        Record("1", "X", "1"), // a second X: the first one wins
    };
    return t;
}

Texts Apply(TaskRecord& t, Texts elements, bool* ok = nullptr) {
    MessageRecorder rec;
    elements.insert(elements.begin(), "a.z9f");
    bool result = ApplyAssignments(t, elements);
    if (ok) *ok = result;
    return rec.Texts();
}

} // namespace

TEST(Assignments, OtherTypesTakeTheValueAsGiven) {
    TaskRecord t = SampleTask();
    bool ok = false;
    EXPECT_TRUE(Apply(t, {" 1-X=/s", " 2-OUT=C:\\tmp=a-b "}, &ok).empty());
    EXPECT_TRUE(ok);
    EXPECT_EQ(t.Environs[0].Value, "/s");
    EXPECT_EQ(t.Environs[1].Value, "C:\\tmp=a-b");
    EXPECT_EQ(t.Environs[6].Value, "");
}

TEST(Assignments, CheckBoxesTakeTheirCheckedOrUncheckedValue) {
    TaskRecord t = SampleTask();
    EXPECT_TRUE(Apply(t, {"2-DEBUG=ChEcKeD"}).empty());
    EXPECT_EQ(t.Environs[2].Format, "True");
    EXPECT_EQ(t.Environs[2].Value, "yes");
    EXPECT_TRUE(Apply(t, {"2-DEBUG=on"}).empty());
    EXPECT_EQ(t.Environs[2].Format, "False");
    EXPECT_EQ(t.Environs[2].Value, "no");
}

TEST(Assignments, ComboIndexSelectsAnItem) {
    TaskRecord t = SampleTask();
    EXPECT_TRUE(Apply(t, {"1-LIST=02"}).empty());
    EXPECT_EQ(t.Environs[3].Min, "2");
    EXPECT_EQ(t.Environs[3].Value, "gamma");

    // With a separator the value is what follows its first occurrence.
    EXPECT_TRUE(Apply(t, {"1-MODE=0"}).empty());
    EXPECT_EQ(t.Environs[4].Value, "D");
    EXPECT_TRUE(Apply(t, {"1-MODE=1"}).empty());
    EXPECT_EQ(t.Environs[4].Value, "");
    EXPECT_TRUE(Apply(t, {"1-MODE=2"}).empty());
    EXPECT_EQ(t.Environs[4].Value, "Other");
    EXPECT_EQ(t.Environs[4].Min, "2");
}

TEST(Assignments, ComboIndexOutsideTheListIsRejected) {
    TaskRecord t = SampleTask();
    const Texts both = {"Environment variable 'LIST' does not exist or is protected.", kInvalid};
    bool ok = true;
    EXPECT_EQ(Apply(t, {"1-LIST=3"}, &ok), both); // a final LF adds no item
    EXPECT_FALSE(ok);
    EXPECT_EQ(Apply(t, {"1-LIST=-1"}), both);
    EXPECT_EQ(Apply(t, {"1-LIST=x"}), Texts{kInvalid});
    EXPECT_EQ(Apply(t, {"1-LIST=1.5"}), Texts{kInvalid});
}

TEST(Assignments, UnknownOrProtectedVariablesAreRejected) {
    TaskRecord t = SampleTask();
    const TaskRecord before = t;
    EXPECT_EQ(Apply(t, {"1-x=1"}),
              (Texts{"Environment variable 'x' does not exist or is protected.", kInvalid}));
    EXPECT_EQ(Apply(t, {"2-X=1"}),
              (Texts{"Environment variable 'X' does not exist or is protected.", kInvalid}));
    EXPECT_EQ(Apply(t, {"3-LOCKED=1"}),
              (Texts{"Environment variable 'LOCKED' does not exist or is protected.", kInvalid}));
    // A record whose step the task does not have.
    t.Environs.push_back(Record("9", "FAR", "0"));
    EXPECT_EQ(Apply(t, {"9-FAR=1"}),
              (Texts{"Environment variable 'FAR' does not exist or is protected.", kInvalid}));
    t.Environs.pop_back();
    EXPECT_EQ(t, before);
}

TEST(Assignments, ProtectionBitOfSix) {
    TaskRecord t = SampleTask();
    t.Steps[0].Execute = "6";
    EXPECT_EQ(Apply(t, {"1-X=1"}).size(), 2u);
    t.Steps[0].Execute = "3";
    EXPECT_TRUE(Apply(t, {"1-X=1"}).empty());
}

TEST(Assignments, MalformedElementsGiveOnlyTheSecondMessage) {
    TaskRecord t = SampleTask();
    for (const char* bad : {"1X=1", "X-1", "one-X=1", "-X=1", "1 2-X=1", "X=1-2"}) {
        EXPECT_EQ(Apply(t, {bad}), Texts{kInvalid}) << bad;
    }
    // The name may hold dashes, the value '=' signs.
    t.Environs.push_back(Record("1", "A-B", "0"));
    EXPECT_TRUE(Apply(t, {"1-A-B=x=y"}).empty());
    EXPECT_EQ(t.Environs.back().Value, "x=y");
}

TEST(Assignments, StopAtTheFirstRejectedElement) {
    TaskRecord t = SampleTask();
    bool ok = true;
    EXPECT_EQ(Apply(t, {"1-X=first", "1-NOPE=1", "2-OUT=never"}, &ok).size(), 2u);
    EXPECT_FALSE(ok);
    EXPECT_EQ(t.Environs[0].Value, "first");
    EXPECT_EQ(t.Environs[1].Value, "");
}

TEST(Assignments, ComboListFromAFile) {
    TempFolder tmp;
    auto list = tmp.Write("list.txt", "one\r\ntwo\r\n");
    TaskRecord t = SampleTask();
    t.Environs[3].Max = "ComboFromFile/:" + list.string();
    EXPECT_TRUE(Apply(t, {"1-LIST=1"}).empty());
    EXPECT_EQ(t.Environs[3].Value, "two");
    EXPECT_EQ(Apply(t, {"1-LIST=2"}).size(), 2u);
}

TEST(Assignments, InSubmitModeTheReportsGoToTheLog) {
    TempFolder tmp;
    SetSubmitMode(true);
    TaskRecord t = SampleTask();
    MessageRecorder rec;
    EXPECT_FALSE(ApplyAssignments(t, {"a.z9f", "1-NOPE=1"}));
    SetSubmitMode(false);
    EXPECT_TRUE(rec.Texts().empty());
    std::string log = z9::test::ReadFileBytes(tmp.Path() / kErrorLogName);
    EXPECT_NE(log.find(" - Environment variable 'NOPE' does not exist or is protected.\r\n"),
              std::string::npos);
    EXPECT_NE(log.find(" - " + kInvalid + "\r\n"), std::string::npos);
    EXPECT_LT(log.find("NOPE"), log.find(kInvalid));
}
