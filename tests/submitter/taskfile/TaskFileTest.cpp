#include "submitter/taskfile/TaskFile.h"
#include "submitter/taskfile/Container.h"
#include "tests/support/TestSupport.h"

#include "common/Program.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace z9 {
namespace {

namespace fs = std::filesystem;
using test::FakeClock;
using test::FolderEntries;
using test::MessageRecorder;
using test::ReadFileBytes;
using test::TempFolder;

const std::string kSharingViolation =
    test::WindowsText(32, "The process cannot access the file because it is being used by another process.");
const std::string kFileNotFound = test::WindowsText(2, "The system cannot find the file specified.");
const std::string kPathNotFound = test::WindowsText(3, "The system cannot find the path specified.");
const std::string kAccessDenied = test::WindowsText(5, "Access is denied.");

// Calls fill for every text field of the record and of its array entries, with a running number.
template <class Fill> void ForEveryField(TaskRecord& t, Fill fill) {
    int n = 0;
    for (std::string* f :
         {&t.TaskName,    &t.User,          &t.Password,  &t.Domain,        &t.Server,    &t.ServerPath,
          &t.CpuPriority, &t.ScheduledTime, &t.Dependent, &t.QueuePriority, &t.MaxRC,     &t.TaskReportFile,
          &t.TaskRepeat,  &t.MaxTime,       &t.TaskClass, &t.SubUser,       &t.SubDomain, &t.SubServer,
          &t.SubData,     &t.RepeatCancel,  &t.FontName,  &t.FontSize,      &t.FontColor, &t.FontCharset,
          &t.FontBold,    &t.FontItalic,    &t.Reserved1, &t.Reserved2})
        fill(*f, n++);
    for (auto& s : t.Steps)
        for (std::string* f : {&s.StepName, &s.Command, &s.FileRC, &s.WorkingDirectory, &s.Environment,
                               &s.BuffHeight, &s.BuffWidth, &s.MinRC, &s.MaxRC, &s.Execute})
            fill(*f, n++);
    for (auto& f : t.TaskFiles)
        for (std::string* v : {&f.LocalPath, &f.ServerPath, &f.Copy})
            fill(*v, n++);
    for (auto& e : t.Environs)
        for (std::string* f : {&e.Step, &e.Caption, &e.Variable, &e.Help, &e.Type, &e.Value, &e.Min, &e.Max,
                               &e.Percent, &e.Format})
            fill(*f, n++);
}

// A task whose every field holds its own text.
TaskRecord SampleTask(int steps = 2, int files = 1, int environs = 2) {
    TaskRecord t;
    t.Steps.resize(static_cast<std::size_t>(steps));
    t.TaskFiles.resize(static_cast<std::size_t>(files));
    t.Environs.resize(static_cast<std::size_t>(environs));
    ForEveryField(t, [](std::string& f, int n) { f = "value " + std::to_string(n) + " <&>"; });
    t.NumberSteps = std::to_string(steps);
    t.NumberTaskFiles = std::to_string(files);
    t.NumberEnviron = std::to_string(environs);
    return t;
}

// The last-error text of a failed load.
std::string LoadError(const std::string& path, const std::string& why, int progress) {
    return "ERROR: Cannot Open \"" + path + "\". \n\n" + why +
           "\n\nLoad Progress Number: " + std::to_string(progress);
}

std::string Replace(std::string text, const std::string& from, const std::string& to) {
    auto at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos) text.replace(at, from.size(), to);
    return text;
}

class TaskFileTest : public ::testing::Test {
protected:
    // Saves the sample task and returns the file's text.
    std::string SampleText(const TaskRecord& t = SampleTask()) {
        EXPECT_TRUE(SaveTask("sample.z9f", t, true)) << LastTaskError();
        return ReadFileBytes(folder.Path() / "sample.z9f");
    }

    // Loads bytes written to a file; expects a failure with why at progress.
    void ExpectLoadFails(const std::string& bytes, const std::string& why, int progress) {
        folder.Write("case.z9f", bytes);
        TaskRecord t;
        EXPECT_FALSE(LoadTask("case.z9f", t, true));
        EXPECT_EQ(LastTaskError(), LoadError("case.z9f", why, progress));
    }

    TaskRecord LoadBytes(const std::string& bytes) {
        folder.Write("case.z9f", bytes);
        TaskRecord t;
        EXPECT_TRUE(LoadTask("case.z9f", t, true)) << LastTaskError();
        return t;
    }

    TempFolder folder;
    MessageRecorder messages;
};

TEST_F(TaskFileTest, WritesTheFormatLineByLine) {
    TaskRecord t;
    t.TaskName = "Nightly backup";
    t.User = "$LOCALUSER$";
    t.NumberSteps = "1";
    t.NumberTaskFiles = "0";
    t.NumberEnviron = "1";
    t.Steps.resize(1);
    t.Steps[0].StepName = "Copy";
    t.Steps[0].BuffWidth = "80";
    t.Steps[0].BuffHeight = "300";
    t.Steps[0].Execute = "1";
    t.Environs.resize(1);
    t.Environs[0].Step = "1";
    t.Environs[0].Type = "0";
    t.Environs[0].Help = "Line one\r\nline two";

    std::string expected =
        "Zorvan File Version 1.0\r\n<ZORVAN>\r\n<GENERAL>\r\n\t<TASKNAME>Nightly backup</TASKNAME>\r\n"
        "\t<USER>$LOCALUSER$</USER>\r\n";
    for (const char* key :
         {"PASSWORD",  "DOMAIN",        "SERVER",      "SERVERPATH",    "DEPENDENT",  "TASKREPORTFILE",
          "MAXRC",     "QUEUEPRIORITY", "CPUPRIORITY", "SCHEDULEDTIME", "TASKREPEAT", "MAXTIME",
          "TASKCLASS", "SUBUSER",       "SUBDOMAIN",   "SUBSERVER",     "SUBDATA",    "REPEATCANCEL",
          "FONTNAME",  "FONTSIZE",      "FONTCOLOR",   "FONTCHARSET",   "FONTBOLD",   "FONTITALIC",
          "RESERVED1", "RESERVED2"})
        expected += std::string("\t<") + key + "></" + key + ">\r\n";
    expected +=
        "\t<NUMBERSTEPS>1</NUMBERSTEPS>\r\n\t<NUMBERTASKFILES>0</NUMBERTASKFILES>\r\n"
        "\t<NUMBERENVIRON>1</NUMBERENVIRON>\r\n</GENERAL>\r\n"
        "<STEP>\r\n\t<STEPNAME>Copy</STEPNAME>\r\n\t<COMMAND></COMMAND>\r\n\t<FILERC></FILERC>\r\n"
        "\t<WORKINGDIRECTORY></WORKINGDIRECTORY>\r\n\t<ENVIRONMENT></ENVIRONMENT>\r\n"
        "\t<BUFFWIDTH>80</BUFFWIDTH>\r\n\t<BUFFHEIGHT>300</BUFFHEIGHT>\r\n\t<MINRC></MINRC>\r\n"
        "\t<MAXRC></MAXRC>\r\n\t<EXECUTE>1</EXECUTE>\r\n</STEP>\r\n"
        "<ENVIRON>\r\n\t<STEP>1</STEP>\r\n\t<CAPTION></CAPTION>\r\n\t<VARIABLE></VARIABLE>\r\n"
        "\t<TYPE>0</TYPE>\r\n\t<VALUE></VALUE>\r\n\t<HELP>Line one\x01line two</HELP>\r\n\t<MIN></MIN>\r\n"
        "\t<MAX></MAX>\r\n\t<PERCENT></PERCENT>\r\n\t<FORMAT></FORMAT>\r\n</ENVIRON>\r\n</ZORVAN>\r\n";
    EXPECT_EQ(SampleText(t), expected);
    EXPECT_EQ(LastTaskError(), "");
}

TEST_F(TaskFileTest, PlainAndEncryptedTasksLoadBackFieldForField) {
    for (const std::string& edit : {std::string(), std::string("1")}) {
        TaskRecord saved = SampleTask(3, 2, 4);
        saved.EditPPP = edit;
        const std::string text = SampleText(saved);
        EXPECT_EQ(text.rfind("\r\n") + 2, text.size());
        EXPECT_EQ(text.compare(0, 5, edit.empty() ? "Zorva" : "<?xml"), 0);
        EXPECT_EQ(text.find("EDITPPP") == std::string::npos, true) << "never in clear text";

        TaskRecord loaded;
        loaded.TaskName = "previous";
        ASSERT_TRUE(LoadTask("sample.z9f", loaded, true)) << LastTaskError();
        EXPECT_EQ(loaded, saved);
        EXPECT_EQ(LastTaskError(), "");
    }
}

TEST_F(TaskFileTest, EveryByteOtherThanLineBreaksSurvivesInEveryField) {
    std::string bytes;
    for (int c = 1; c < 256; ++c)
        if (c != 1 && c != 10 && c != 13 && c != 26) bytes.push_back(static_cast<char>(c));
    for (const std::string& edit : {std::string(), std::string("\x7f\xff secret")}) {
        TaskRecord saved = SampleTask(2, 2, 2);
        ForEveryField(
            saved, [&](std::string& f, int n) { f = bytes.substr(static_cast<std::size_t>(n) % 7) + bytes; });
        saved.NumberSteps = "2";
        saved.NumberTaskFiles = "2";
        saved.NumberEnviron = "2";
        saved.EditPPP = edit;
        SampleText(saved);
        TaskRecord loaded;
        ASSERT_TRUE(LoadTask("sample.z9f", loaded, true)) << LastTaskError();
        EXPECT_EQ(loaded, saved);
    }
}

TEST_F(TaskFileTest, LineBreaksAndCtrlZInValuesComeBackAsCrLf) {
    TaskRecord saved = SampleTask(1, 0, 1);
    saved.Environs[0].Max = "Full\r\nIncremental\nDifferential\rCopy\x1a"
                            "End";
    saved.TaskName = "\r\n";
    const std::string text = SampleText(saved);
    EXPECT_NE(text.find("\t<MAX>Full\x01Incremental\x01"
                        "Differential\x01"
                        "Copy\x01"
                        "End</MAX>\r\n"),
              std::string::npos);
    EXPECT_NE(text.find("\t<TASKNAME>\x01</TASKNAME>\r\n"), std::string::npos);

    TaskRecord loaded;
    ASSERT_TRUE(LoadTask("sample.z9f", loaded, true));
    EXPECT_EQ(loaded.Environs[0].Max, "Full\r\nIncremental\r\nDifferential\r\nCopy\r\nEnd");
    EXPECT_EQ(loaded.TaskName, "\r\n");
}

// A file edited by hand may hold a lone CR, a lone LF or a Ctrl-Z inside a
// value. They read as the line break a save makes of them, so loading, saving
// and loading again gives the same record, and a second save the same bytes.
TEST_F(TaskFileTest, LoneBreaksAndCtrlZInAFileReadAsTheyWillBeSaved) {
    std::string text = SampleText(SampleTask(1, 0, 1));
    text = Replace(text, "<TASKNAME>value 0 <&></TASKNAME>", "<TASKNAME>a\rb</TASKNAME>");
    text = Replace(text, "<COMMAND>value 29 <&></COMMAND>", "<COMMAND>copy a b\x1a</COMMAND>");
    text = Replace(text, "<CAPTION>value 39 <&></CAPTION>", "<CAPTION>x\ny\x01z\r</CAPTION>");
    const TaskRecord loaded = LoadBytes(text);
    EXPECT_EQ(loaded.TaskName, "a\r\nb");
    EXPECT_EQ(loaded.Steps[0].Command, "copy a b\r\n");
    EXPECT_EQ(loaded.Environs[0].Caption, "x\r\ny\r\nz\r\n");

    ASSERT_TRUE(SaveTask("once.z9f", loaded, true)) << LastTaskError();
    TaskRecord again;
    ASSERT_TRUE(LoadTask("once.z9f", again, true)) << LastTaskError();
    EXPECT_TRUE(again == loaded);
    ASSERT_TRUE(SaveTask("twice.z9f", again, true)) << LastTaskError();
    EXPECT_EQ(ReadFileBytes(folder.Path() / "twice.z9f"), ReadFileBytes(folder.Path() / "once.z9f"));
}

TEST_F(TaskFileTest, KeyLinesTakeTheFirstOpeningAndTheLastClosingTag) {
    std::string text = SampleText(SampleTask(1, 0, 1));
    text = Replace(text, "\t<MIN>value 44 <&></MIN>", "  junk <MIN>1</MIN> x");
    text = Replace(text, "\t<MAX>value 45 <&></MAX>", "\t<MAX>a</MAX>b</MAX>");
    text = Replace(text, "\t<PERCENT>value 46 <&></PERCENT>", "\t<PERCENT><PERCENT> 3 </PERCENT>");
    text = Replace(text, "\t<COMMAND>value 29 <&></COMMAND>", "<COMMAND>x\x01y</COMMAND>");
    TaskRecord t = LoadBytes(text);
    EXPECT_EQ(t.Environs[0].Min, "1");
    EXPECT_EQ(t.Environs[0].Max, "a</MAX>b");
    EXPECT_EQ(t.Environs[0].Percent, "<PERCENT> 3 ");
    EXPECT_EQ(t.Steps[0].Command, "x\r\ny");
}

TEST_F(TaskFileTest, PredecessorFormatLoadsAndIsSavedInTheCurrentOne) {
    const TaskRecord saved = SampleTask();
    std::string text = SampleText(saved);
    text = Replace(text, "Zorvan File Version 1.0\r\n<ZORVAN>", "  Pelvar File Version 1.0 \r\n\t<PELVAR>");
    text = Replace(text, "</ZORVAN>\r\n", "</PELVAR>\r\n");
    EXPECT_EQ(LoadBytes(text), saved);

    // Header and root need not match, and nothing after the last record is needed.
    text = Replace(text, "<PELVAR>", "<ZORVAN>");
    text = Replace(text, "</PELVAR>\r\n", "");
    EXPECT_EQ(LoadBytes(text), saved);

    EXPECT_TRUE(SaveTask("again.z9f", LoadBytes(text), true));
    EXPECT_EQ(ReadFileBytes(folder.Path() / "again.z9f"), SampleText(saved));
}

TEST_F(TaskFileTest, CountsOfZeroAndBelowForFilesAndEnvironsLoadEmptyAndSave) {
    std::string text = SampleText(SampleTask(1, 0, 0));
    EXPECT_EQ(LoadBytes(text).Environs.size(), 0u);
    text = Replace(text, "<NUMBERTASKFILES>0<", "<NUMBERTASKFILES>-1<");
    text = Replace(text, "<NUMBERENVIRON>0<", "<NUMBERENVIRON> -5 <");
    TaskRecord t = LoadBytes(text);
    EXPECT_EQ(t.TaskFiles.size(), 0u);
    EXPECT_EQ(t.NumberEnviron, " -5 ");

    // Such a task saves (no records for those counts) and loads back the same.
    t.Environs.resize(2);
    ASSERT_TRUE(SaveTask("negative.z9f", t, true)) << LastTaskError();
    TaskRecord back;
    ASSERT_TRUE(LoadTask("negative.z9f", back, true)) << LastTaskError();
    EXPECT_EQ(back.NumberEnviron, " -5 ");
    EXPECT_EQ(back.NumberTaskFiles, "-1");
    EXPECT_TRUE(back.Environs.empty());
    EXPECT_EQ(back.Steps, t.Steps);
}

TEST_F(TaskFileTest, EachFailureHasItsTextAndProgressNumber) {
    const std::string good = SampleText(SampleTask(2, 1, 2));
    ExpectLoadFails("", "Invalid File Version.", 6);
    ExpectLoadFails(std::string("\x00\xff\x13\r\n\x01\x02garbage\x1a", 15), "Invalid File Version.", 6);
    std::string lfOnly;
    for (char c : good)
        if (c != '\r') lfOnly.push_back(c);
    ExpectLoadFails(lfOnly, "Invalid File Version.", 6);
    ExpectLoadFails(Replace(good, "<ZORVAN>", "<ZORVEN>"), "Invalid File Format.", 6);
    ExpectLoadFails(Replace(good, "<GENERAL>\r\n", ""), "Invalid File Format.", 6);
    ExpectLoadFails(Replace(good, "\t<SERVERPATH>value 5 <&></SERVERPATH>\r\n", ""),
                    "Invalid Data: SERVERPATH", 6);
    ExpectLoadFails(Replace(good, "<TASKNAME>value 0 <&></TASKNAME>", "<TASKNAME>value 0 <&></TASKNAM>"),
                    "Invalid Data: TASKNAME", 6);
    ExpectLoadFails(Replace(good, "<TASKNAME>value 0 <&></TASKNAME>", "</TASKNAME><TASKNAME>"),
                    "Invalid Data: TASKNAME", 6);
    ExpectLoadFails(Replace(good, "<NUMBERSTEPS>2<", "<NUMBERSTEPS>two<"), "Type mismatch", 6);
    ExpectLoadFails(Replace(good, "<NUMBERSTEPS>2<", "<NUMBERSTEPS><"), "Type mismatch", 6);
    // A number past 32 bits is an overflow, not a type mismatch; trailing junk still is one.
    ExpectLoadFails(Replace(good, "<NUMBERTASKFILES>1<", "<NUMBERTASKFILES>2147483648<"), "Overflow", 6);
    ExpectLoadFails(Replace(good, "<NUMBERENVIRON>2<", "<NUMBERENVIRON>-2147483649<"), "Overflow", 6);
    ExpectLoadFails(Replace(good, "<NUMBERSTEPS>2<", "<NUMBERSTEPS>99999999999999999999999<"), "Overflow", 6);
    ExpectLoadFails(Replace(good, "<NUMBERSTEPS>2<", "<NUMBERSTEPS>99999999999999999999999x<"),
                    "Type mismatch", 6);
    ExpectLoadFails(Replace(good, "<NUMBERSTEPS>2<", "<NUMBERSTEPS>0<"), "Invalid File Format.", 7);
    ExpectLoadFails(Replace(good, "<NUMBERSTEPS>2<", "<NUMBERSTEPS>-1<"), "Invalid File Format.", 7);
    ExpectLoadFails(Replace(good, "<STEPNAME>value 28 <&></STEPNAME>", ""), "Invalid Data: STEPNAME", 7);
    ExpectLoadFails(Replace(good, "</STEP>\r\n<STEP>", "<STEP>"), "Invalid File Format.", 7);
    ExpectLoadFails(Replace(good, "\t<COPY>value 50 <&></COPY>", "\t<copy>value 50 <&></copy>"),
                    "Invalid Data: COPY", 8);
    ExpectLoadFails(Replace(good, "<TASKFILE>", "<TASKFILES>"), "Invalid File Format.", 8);
    ExpectLoadFails(good.substr(0, good.rfind("\t<FORMAT>")), "Invalid Data: FORMAT", 9);
    ExpectLoadFails(Replace(good, "</ENVIRON>\r\n<ENVIRON>", "</ENVIRON>\r\n\r\n<ENVIRON>"),
                    "Invalid File Format.", 9);
}

TEST_F(TaskFileTest, HugeCountsRunOutOfRecordsInsteadOfMemory) {
    const std::string good = SampleText(SampleTask(2, 1, 2));
    ExpectLoadFails(Replace(good, "<NUMBERSTEPS>2<", "<NUMBERSTEPS>2147483647<"), "Invalid File Format.", 7);
    ExpectLoadFails(Replace(good, "<NUMBERTASKFILES>1<", "<NUMBERTASKFILES>2147483647<"),
                    "Invalid File Format.", 8);
    ExpectLoadFails(Replace(good, "<NUMBERENVIRON>2<", "<NUMBERENVIRON>2147483647<"), "Invalid File Format.",
                    9);
    // A count in range but past the records the file holds fails on the missing tag.
    ExpectLoadFails(Replace(good, "<NUMBERENVIRON>2<", "<NUMBERENVIRON>3<"), "Invalid File Format.", 9);
}

TEST_F(TaskFileTest, EditProtectionLineBelongsOnlyInsideAContainer) {
    TaskRecord encrypted = SampleTask();
    encrypted.EditPPP = "1";
    ASSERT_TRUE(SaveTask("enc.z9f", encrypted, true));
    const std::string plainWithEdit = ReadFileBytes(folder.Path() / "enc.z9f");
    // The same text unwrapped: a plain file that carries the line.
    Z9StringReader reader(plainWithEdit);
    ASSERT_TRUE(OpenContainer(reader));
    ExpectLoadFails(reader.toString(), "Invalid Data: NUMBERSTEPS", 6);

    // A container around a text without the line.
    const std::string plain = SampleText(SampleTask());
    ExpectLoadFails(BuildContainer(plain.substr(0, plain.size() - 2)) + "\r\n", "Invalid Data: EDITPPP", 6);

    // A damaged container is not opened and the text is not a task file.
    const std::string whole = ReadFileBytes(folder.Path() / "enc.z9f");
    ExpectLoadFails(whole.substr(0, whole.size() * 2 / 3), "Invalid File Version.", 6);
    ExpectLoadFails(Replace(whole, "</zorvanfile>", "</zorvan>"), "Invalid File Version.", 6);
}

TEST_F(TaskFileTest, TenMebibytesLoadAndOneByteMoreDoesNot) {
    TaskRecord t = SampleTask(1, 0, 0);
    t.Reserved2.clear();
    const std::size_t base = SampleText(t).size();
    t.Reserved2.assign(kMaxTaskFileSize - base, 'r');
    const std::string exact = SampleText(t);
    ASSERT_EQ(exact.size(), kMaxTaskFileSize);
    EXPECT_EQ(LoadBytes(exact).Reserved2.size(), kMaxTaskFileSize - base);
    ExpectLoadFails(exact + " ", "File too big.", 2);
    // Ten mebibytes of one line.
    ExpectLoadFails(std::string(kMaxTaskFileSize, 'z'), "Invalid File Version.", 6);
}

TEST_F(TaskFileTest, AFailedLoadLeavesTheRecordAsItWas) {
    TaskRecord t = SampleTask();
    const TaskRecord before = t;
    folder.Write("bad.z9f", Replace(SampleText(), "<NUMBERENVIRON>2<", "<NUMBERENVIRON>9<"));
    EXPECT_FALSE(LoadTask("bad.z9f", t, true));
    EXPECT_EQ(t, before);
}

TEST_F(TaskFileTest, MessageBoxOnlyWhenNotSilentAndNotAServer) {
    FakeClock clock;
    TaskRecord t;
    EXPECT_FALSE(LoadTask("missing.z9f", t, true));
    EXPECT_TRUE(messages.Messages().empty());

    SetAppTitle("Zorvan Submitter");
    EXPECT_FALSE(LoadTask("missing.z9f", t, false));
    ASSERT_EQ(messages.Messages().size(), 1u);
    EXPECT_EQ(messages.Messages()[0].text, LoadError("missing.z9f", kFileNotFound, 907));
    EXPECT_EQ(messages.Messages()[0].style, 16);

    TaskRecord broken = SampleTask();
    broken.NumberSteps = "3";
    EXPECT_FALSE(SaveTask("out.z9f", broken, false));
    ASSERT_EQ(messages.Messages().size(), 2u);
    EXPECT_EQ(messages.Messages()[1].text, "SAVETASK ERROR:\n\n\tSubscript out of range");
    EXPECT_EQ(messages.Messages()[1].style, 16);

    for (const char* server : {"Zorvan Server", "Zorvan Personal Server"}) {
        SetAppTitle(server);
        EXPECT_FALSE(LoadTask("missing.z9f", t, false));
        EXPECT_FALSE(SaveTask("out.z9f", broken, false));
        EXPECT_FALSE(LastTaskError().empty());
    }
    EXPECT_EQ(messages.Messages().size(), 2u);
}

TEST_F(TaskFileTest, SaveRefusesCountsTheRecordCannotBackUp) {
    TaskRecord t = SampleTask();
    t.NumberEnviron = "3";
    EXPECT_FALSE(SaveTask("out.z9f", t, true));
    EXPECT_EQ(LastTaskError(), "SAVETASK ERROR:\n\n\tSubscript out of range");
    t.NumberEnviron = "two";
    EXPECT_FALSE(SaveTask("out.z9f", t, true));
    EXPECT_EQ(LastTaskError(), "SAVETASK ERROR:\n\n\tType mismatch");
    t.NumberEnviron = "4294967298";
    EXPECT_FALSE(SaveTask("out.z9f", t, true));
    EXPECT_EQ(LastTaskError(), "SAVETASK ERROR:\n\n\tOverflow");
    EXPECT_FALSE(fs::exists(folder.Path() / "out.z9f"));

    // Fewer records than the arrays hold: only the counted ones are written.
    t.NumberEnviron = "1";
    ASSERT_TRUE(SaveTask("out.z9f", t, true));
    TaskRecord loaded;
    ASSERT_TRUE(LoadTask("out.z9f", loaded, true));
    EXPECT_EQ(loaded.Environs.size(), 1u);
    EXPECT_EQ(loaded.Environs[0], t.Environs[0]);
}

// ---- Exclusive access ------------------------------------------------------------

#ifdef _WIN32
// A handle that shares the file with nobody, as another program holds it.
class HeldLock {
public:
    explicit HeldLock(const fs::path& p)
        : handle_(CreateFileA(p.string().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr)) {
        EXPECT_NE(handle_, INVALID_HANDLE_VALUE);
    }
    ~HeldLock() { Release(); }
    void Release() {
        if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
        handle_ = INVALID_HANDLE_VALUE;
    }

private:
    HANDLE handle_;
};
#else
// Another open file description holding the exclusive lock, as another program would.
class HeldLock {
public:
    explicit HeldLock(const fs::path& p) : fd_(::open(p.c_str(), O_RDONLY)) {
        EXPECT_GE(fd_, 0);
        EXPECT_EQ(::flock(fd_, LOCK_EX | LOCK_NB), 0);
    }
    ~HeldLock() { Release(); }
    void Release() {
        if (fd_ >= 0) ::close(fd_);
        fd_ = -1;
    }

private:
    int fd_;
};
#endif

TEST_F(TaskFileTest, ALockedFileIsTriedSixTimesAHundredMillisecondsApart) {
    SampleText();
    FakeClock clock;
    std::vector<int> sleeps;
    clock.OnSleep([&](int ms) { sleeps.push_back(ms); });
    HeldLock lock(folder.Path() / "sample.z9f");
    TaskRecord t;
    EXPECT_FALSE(LoadTask("sample.z9f", t, true));
    EXPECT_EQ(LastTaskError(), LoadError("sample.z9f", kSharingViolation, 907));
    EXPECT_EQ(sleeps, std::vector<int>(5, 100));

    // Missing files and folders end in the probe too.
    EXPECT_FALSE(LoadTask("nothing.z9f", t, true));
    EXPECT_EQ(LastTaskError(), LoadError("nothing.z9f", kFileNotFound, 907));
    fs::create_directory(folder.Path() / "folder.z9f");
    EXPECT_FALSE(LoadTask("folder.z9f", t, true));
    EXPECT_EQ(LastTaskError(), LoadError("folder.z9f", kAccessDenied, 907));
    EXPECT_EQ(clock.Sleeps(), 15);
}

TEST_F(TaskFileTest, ALockReleasedDuringTheWaitsLetsTheLoadSucceed) {
    const TaskRecord saved = SampleTask();
    SampleText(saved);
    FakeClock clock;
    HeldLock lock(folder.Path() / "sample.z9f");
    clock.OnSleep([&](int) {
        if (clock.Sleeps() == 2) lock.Release();
    });
    TaskRecord t;
    ASSERT_TRUE(LoadTask("sample.z9f", t, true)) << LastTaskError();
    EXPECT_EQ(t, saved);
    EXPECT_EQ(clock.Sleeps(), 2);
    EXPECT_EQ(clock.SleptMs(), 200);
}

#ifndef _WIN32
// On Windows a handle that shares nothing blocks every other handle alike,
// whichever process holds it: the HeldLock tests above are that case there.
TEST_F(TaskFileTest, AnotherProcessHoldingTheFileIsWaitedOut) {
    const TaskRecord saved = SampleTask();
    SampleText(saved);
    int locked[2], release[2];
    ASSERT_EQ(::pipe(locked), 0);
    ASSERT_EQ(::pipe(release), 0);
    const std::string file = (folder.Path() / "sample.z9f").string();
    pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        int fd = ::open(file.c_str(), O_RDONLY);
        char c = ::flock(fd, LOCK_EX) == 0 ? 'L' : 'E';
        (void)!::write(locked[1], &c, 1);
        (void)!::read(release[0], &c, 1);
        ::_exit(0);
    }
    char c = 0;
    ASSERT_EQ(::read(locked[0], &c, 1), 1);
    ASSERT_EQ(c, 'L');

    FakeClock clock;
    TaskRecord t;
    EXPECT_FALSE(LoadTask("sample.z9f", t, true));
    EXPECT_EQ(LastTaskError(), LoadError("sample.z9f", kSharingViolation, 907));
    EXPECT_EQ(clock.Sleeps(), 5);

    clock.OnSleep([&](int) {
        if (clock.Sleeps() == 8) { // the third wait of the second load
            ASSERT_EQ(::write(release[1], "x", 1), 1);
            int status = 0;
            ::waitpid(child, &status, 0);
        }
    });
    EXPECT_TRUE(LoadTask("sample.z9f", t, true)) << LastTaskError();
    EXPECT_EQ(t, saved);
    EXPECT_EQ(clock.Sleeps(), 8);
    for (int fd : {locked[0], locked[1], release[0], release[1]})
        ::close(fd);
}
#endif

// ---- Safe saving -------------------------------------------------------------------

TEST_F(TaskFileTest, SavingReplacesTheWholeFileAndKeepsItsMode) {
    folder.Write("jobs/task.z9f", std::string(100000, 'o'));
    fs::permissions(folder.Path() / "jobs/task.z9f", fs::perms(0640));
    ASSERT_TRUE(SaveTask("jobs\\task.z9f", SampleTask(), true)) << LastTaskError();
    EXPECT_EQ(ReadFileBytes(folder.Path() / "jobs/task.z9f"), SampleText());
#ifndef _WIN32 // Windows files carry no such mode bits
    struct stat st {};
    ASSERT_EQ(::stat((folder.Path() / "jobs/task.z9f").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
#endif
    EXPECT_EQ(FolderEntries(folder.Path() / "jobs"), std::vector<std::string>{"task.z9f"});
}

#ifndef _WIN32
// Windows has no limit on one process's file size to make a write fail midway.
TEST_F(TaskFileTest, AFailedSaveLeavesThePreviousFileAndNoLeftovers) {
    const std::string previous = SampleText(SampleTask(1, 0, 0));
    TaskRecord bigger = SampleTask();
    bigger.Reserved2.assign(200000, 'b');

    // The file system refuses to let it grow past 64 KiB: the write itself fails midway.
    bool saved = true;
    std::string error;
    {
        test::FileSizeLimit limit(65536);
        ASSERT_TRUE(limit.Set());
        saved = SaveTask("sample.z9f", bigger, true);
        error = LastTaskError();
    }

    EXPECT_FALSE(saved);
    EXPECT_EQ(error, "SAVETASK ERROR:\n\n\tFile too large");
    EXPECT_EQ(ReadFileBytes(folder.Path() / "sample.z9f"), previous);
    EXPECT_EQ(FolderEntries(folder.Path()),
              (std::vector<std::string>{"home", "registry", "sample.z9f", "unc"}));
}
#endif

TEST_F(TaskFileTest, SavesThatCannotBeginLeaveEverythingAsItWas) {
    const std::string previous = SampleText();
    fs::create_directory(folder.Path() / "folder.z9f");
    EXPECT_FALSE(SaveTask("folder.z9f", SampleTask(), true));
    EXPECT_EQ(LastTaskError(), "SAVETASK ERROR:\n\n\t" + kAccessDenied);
    EXPECT_TRUE(fs::is_directory(folder.Path() / "folder.z9f"));

    EXPECT_FALSE(SaveTask("no such folder\\task.z9f", SampleTask(), true));
    EXPECT_EQ(LastTaskError(), "SAVETASK ERROR:\n\n\t" + kPathNotFound);

    {
        HeldLock lock(folder.Path() / "sample.z9f");
        TaskRecord other = SampleTask(1, 0, 0);
        EXPECT_FALSE(SaveTask("sample.z9f", other, true));
#ifdef _WIN32
        // Windows refuses to put a file in place of one another handle holds.
        EXPECT_EQ(LastTaskError(), "SAVETASK ERROR:\n\n\t" + kAccessDenied);
#else
        EXPECT_EQ(LastTaskError(), "SAVETASK ERROR:\n\n\t" + kSharingViolation);
#endif
    }
    EXPECT_EQ(ReadFileBytes(folder.Path() / "sample.z9f"), previous);
    EXPECT_EQ(FolderEntries(folder.Path()),
              (std::vector<std::string>{"folder.z9f", "home", "registry", "sample.z9f", "unc"}));
}

#ifndef _WIN32
// Windows's read-only attribute on a folder does not keep files from being made in it.
TEST_F(TaskFileTest, AReadOnlyFolderKeepsItsFile) {
    if (::geteuid() == 0) GTEST_SKIP() << "permissions do not bind the super-user";
    const std::string previous = SampleText();
    fs::create_directory(folder.Path() / "ro");
    fs::copy_file(folder.Path() / "sample.z9f", folder.Path() / "ro/sample.z9f");
    fs::permissions(folder.Path() / "ro", fs::perms(0555));
    EXPECT_FALSE(SaveTask("ro/sample.z9f", SampleTask(1, 0, 0), true));
    EXPECT_EQ(LastTaskError(), "SAVETASK ERROR:\n\n\tAccess is denied.");
    fs::permissions(folder.Path() / "ro", fs::perms(0755));
    EXPECT_EQ(ReadFileBytes(folder.Path() / "ro/sample.z9f"), previous);
    EXPECT_EQ(FolderEntries(folder.Path() / "ro"), std::vector<std::string>{"sample.z9f"});
}

// A reader never sees a file another program is still writing: each load gets
// one whole version, or waits for the writer's lock and reports 907.
// The writer must be another program: LastTaskError is one per program, so a
// writer thread beside the reader would share it. (Not yet on Windows.)
// A load only gets through in the moments between two saves, so how many do is
// up to the scheduler: the writer keeps saving until the reader has loaded both
// versions, however long a busy machine takes to let that happen.
TEST_F(TaskFileTest, LoadsBesideARunningWriterSeeWholeFilesOnly) {
    TaskRecord small = SampleTask(1, 0, 1), large = SampleTask(3, 2, 300);
    large.Reserved2.assign(300000, 'L');
    SampleText(small);
    int stop[2];
    ASSERT_EQ(::pipe(stop), 0);
    pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::close(stop[1]);
        ::fcntl(stop[0], F_SETFL, O_NONBLOCK);
        // At least 150 saves, and on until the reader has had what it needs
        // (or is gone: then the pipe reads as ended).
        auto told = [fd = stop[0]] {
            char byte = 0;
            return ::read(fd, &byte, 1) >= 0 || errno != EAGAIN;
        };
        // A save fails only while the reader holds the file, and says so; how
        // often that happens is up to the scheduler.
        const std::string busy = "SAVETASK ERROR:\n\n\t" + kSharingViolation;
        for (int saves = 0; saves < 150 || !told(); ++saves)
            if (!SaveTask("sample.z9f", saves % 2 ? small : large, true) && LastTaskError() != busy) {
                std::fprintf(stderr, "save failed: %s\n", LastTaskError().c_str());
                ::_exit(1);
            }
        ::_exit(0);
    }
    ::close(stop[0]);
    int loadedSmall = 0, loadedLarge = 0;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(120);
    while ((loadedSmall == 0 || loadedLarge == 0) && std::chrono::steady_clock::now() < deadline) {
        TaskRecord t;
        if (LoadTask("sample.z9f", t, true)) {
            if (t == small)
                ++loadedSmall;
            else if (t == large)
                ++loadedLarge;
            else
                ADD_FAILURE() << "a load saw neither version";
        } else {
            EXPECT_EQ(LastTaskError(), LoadError("sample.z9f", kSharingViolation, 907));
        }
        if (HasFailure()) break;
    }
    const char byte = 1;
    EXPECT_EQ(::write(stop[1], &byte, 1), 1);
    ::close(stop[1]);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_GT(loadedSmall, 0);
    EXPECT_GT(loadedLarge, 0);
    EXPECT_EQ(FolderEntries(folder.Path()),
              (std::vector<std::string>{"home", "registry", "sample.z9f", "unc"}));
}

#endif

} // namespace
} // namespace z9
