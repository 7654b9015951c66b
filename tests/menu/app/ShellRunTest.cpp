#include "menu/app/ShellRun.h"
#include "FakeLauncher.h"
#include "common/Program.h"

#include <gtest/gtest.h>

namespace z9 {
namespace {

using test::FakeLauncher;

TEST(SplitCommand, PlainAndQuotedPrograms) {
    std::string args;
    EXPECT_EQ(SplitCommand("  notepad.exe C:\\a.txt  ", 1, args), "notepad.exe");
    EXPECT_EQ(args, " C:\\a.txt");
    EXPECT_EQ(SplitCommand("run", 1, args), "run");
    EXPECT_EQ(args, "");
    EXPECT_EQ(SplitCommand("   ", 1, args), "");
    EXPECT_EQ(args, "");

    EXPECT_EQ(SplitCommand("\"C:\\My Tools\\x.exe\" -v \"a b\"", 1, args), "C:\\My Tools\\x.exe");
    EXPECT_EQ(args, " -v \"a b\"");
    EXPECT_EQ(SplitCommand("\"C:\\My Tools\\x.exe\" -v", 2, args), "\"C:\\My Tools\\x.exe\"");
    EXPECT_EQ(args, " -v");
    EXPECT_EQ(SplitCommand("\"C:\\x.exe\"-v", 1, args), "C:\\x.exe");
    EXPECT_EQ(args, "-v") << "the arguments are everything after the closing quote";
    EXPECT_EQ(SplitCommand("\"C:\\x.exe\"", 1, args), "C:\\x.exe");
    EXPECT_EQ(args, "");
}

TEST(SplitCommand, DoubledQuotesAndAMissingClosingQuote) {
    std::string args;
    EXPECT_EQ(SplitCommand("\"say \"\"hi\"\".exe\" now", 1, args), "say \"hi\".exe");
    EXPECT_EQ(args, " now");
    EXPECT_EQ(SplitCommand("\"say \"\"hi\"\".exe\" now", 2, args), "\"say \"\"hi\"\".exe\"");
    // Without a closing quote the whole rest is the program and there are no arguments.
    EXPECT_EQ(SplitCommand("\"C:\\x.exe -v", 1, args), "C:\\x.exe -v");
    EXPECT_EQ(args, "");
    EXPECT_EQ(SplitCommand("\"C:\\x.exe -v", 2, args), "\"C:\\x.exe -v");
    EXPECT_EQ(SplitCommand("\"", 1, args), "");
    EXPECT_EQ(SplitCommand("\"\"\"", 1, args), "\"") << "a doubled quote and no closing one";
}

TEST(ShellRun, AProgramStartsThroughTheShellWithItsArguments) {
    FakeLauncher launcher;
    launcher.executables["notepad.exe"] = ExecutableBuffer("C:\\WINDOWS\\notepad.exe");
    ShellRunResult r = ShellRun(nullptr, "notepad.exe C:\\a.txt", "", kLaunch);
    EXPECT_EQ(r.kind, 1);
    EXPECT_EQ(r.method, 'S');
    EXPECT_EQ(r.executable, "C:\\WINDOWS\\notepad.exe");
    EXPECT_EQ(r.program, "notepad.exe");
    EXPECT_EQ(r.arguments, " C:\\a.txt");
    EXPECT_EQ(r.showMode, 1);
    EXPECT_EQ(r.success, 1);
    ASSERT_EQ(launcher.starts.size(), 1u);
    EXPECT_EQ(launcher.starts[0].how, 'S');
    EXPECT_EQ(launcher.starts[0].file, "C:\\WINDOWS\\notepad.exe");
    EXPECT_EQ(launcher.starts[0].parameters, " C:\\a.txt");
    EXPECT_EQ(launcher.starts[0].showMode, 1);
}

TEST(ShellRun, ADocumentOpensInItsProgramMaximised) {
    FakeLauncher launcher;
    launcher.executables["C:\\Reports\\week.xls"] = ExecutableBuffer("C:\\Office\\EXCEL.EXE");
    ShellRunResult r = ShellRun(nullptr, "C:\\Reports\\week.xls /Z9+", "", kLaunch);
    EXPECT_EQ(r.kind, 0);
    EXPECT_EQ(r.switchText, " /Z9+");
    EXPECT_EQ(r.showMode, 3);
    EXPECT_EQ(r.method, 'S');
    EXPECT_EQ(r.workingFolder, "");
    ASSERT_EQ(launcher.starts.size(), 1u);
    EXPECT_EQ(launcher.starts[0].file, "C:\\Office\\EXCEL.EXE");
    EXPECT_EQ(launcher.starts[0].parameters, "C:\\Reports\\week.xls");
    EXPECT_EQ(launcher.starts[0].showMode, 3);
}

TEST(ShellRun, AFolderAfterTheSwitchCreatesTheProcessThere) {
    FakeLauncher launcher;
    launcher.executables["C:\\Tools\\run.exe"] = ExecutableBuffer("C:\\Tools\\run.exe");
    launcher.executables["C:\\Data\\a.log"] = ExecutableBuffer("C:\\Tools\\view.exe");
    ShellRunResult r = ShellRun(nullptr, "C:\\Tools\\run.exe -q /Z9-  C:\\Work  ", "", kLaunch);
    EXPECT_EQ(r.method, 'C');
    EXPECT_EQ(r.showMode, 2);
    EXPECT_EQ(r.workingFolder, "C:\\Work");
    EXPECT_EQ(r.switchText, " /Z9-  C:\\Work");
    ASSERT_EQ(launcher.starts.size(), 1u);
    EXPECT_EQ(launcher.starts[0].how, 'C');
    EXPECT_EQ(launcher.starts[0].file, "\"C:\\Tools\\run.exe\" -q");
    EXPECT_EQ(launcher.starts[0].folder, "C:\\Work");
    EXPECT_EQ(launcher.starts[0].showMode, 2);
    EXPECT_EQ(launcher.lookUpFolders[0], "C:\\Work");

    // A document: the executable, a blank, the document and its arguments.
    ShellRun(nullptr, "C:\\Data\\a.log /Z9C:\\Work", "", kLaunch);
    ASSERT_EQ(launcher.starts.size(), 2u);
    EXPECT_EQ(launcher.starts[1].file, "\"C:\\Tools\\view.exe\" C:\\Data\\a.log");
    EXPECT_EQ(launcher.starts[1].showMode, 1);

    // A caller's folder alone chooses process creation too.
    ShellRunResult c = ShellRun(nullptr, "C:\\Tools\\run.exe", "C:\\Caller", kLaunch);
    EXPECT_EQ(c.method, 'C');
    EXPECT_EQ(launcher.starts.back().file, "\"C:\\Tools\\run.exe\"");
    EXPECT_EQ(launcher.starts.back().folder, "");
}

TEST(ShellRun, TheShellsAnswerIsCleanedUp) {
    FakeLauncher launcher;
    std::string buffer = ExecutableBuffer("  C:\\Prog\\x.exe \"%1\"");
    launcher.executables["a.doc"] = buffer;
    EXPECT_EQ(ShellRun(nullptr, "a.doc", "", kResolveOnly).executable, "C:\\Prog\\x.exe");
    // A quote that only ends the text, with no ' "' after the first character, stays.
    launcher.executables["b.doc"] = ExecutableBuffer("\"C:\\Prog\\y.exe\"");
    EXPECT_EQ(ShellRun(nullptr, "b.doc", "", kResolveOnly).executable, "\"C:\\Prog\\y.exe\"");
}

TEST(ShellRun, ExtensionsDecideBetweenProgramAndDocument) {
    FakeLauncher launcher;
    launcher.refuseStarts = true;
    launcher.executables["tool"] = ExecutableBuffer("/usr/bin/tool");
    launcher.executables["x.c"] = ExecutableBuffer("/usr/bin/editor");
    launcher.executables["y.txt"] = ExecutableBuffer("ed");
    launcher.executables["/opt/run.sh"] = ExecutableBuffer("/opt/run.sh");
    EXPECT_EQ(ShellRun(nullptr, "tool", "", kResolveOnly).kind, 1) << "no extension";
    EXPECT_EQ(ShellRun(nullptr, "x.c", "", kResolveOnly).kind, 1) << "an extension under 2 characters";
    EXPECT_EQ(ShellRun(nullptr, "y.txt", "", kResolveOnly).kind, 0)
        << "an executable shorter than the extension";
    EXPECT_EQ(ShellRun(nullptr, "/opt/run.sh", "", kResolveOnly).kind, 1);
}

TEST(ShellRun, NothingToStart) {
    FakeLauncher launcher;
    launcher.refuseStarts = true;
    for (const char* link : {"", "   ", "/Z9", "/z9+ C:\\Work", "   /Z9-", "\"", "\"\" /Z9+"}) {
        ShellRunResult r = ShellRun(nullptr, link, "", kLaunch);
        EXPECT_EQ(r.kind, 2) << link;
        EXPECT_EQ(r.success, 0) << link;
    }
    EXPECT_TRUE(launcher.lookUps.empty()) << "an empty program is not looked up";
    EXPECT_EQ(ShellRun(nullptr, "/Z9+ x", "", kLaunch).switchText, " /Z9+ x");
}

TEST(ShellRun, WhatCannotBeFoundIsStartedAsGiven) {
    FakeLauncher launcher;
    ShellRunResult r = ShellRun(nullptr, "nosuch.exe -x", "", kLaunch);
    EXPECT_EQ(r.kind, 2);
    EXPECT_EQ(r.executable, "");
    ASSERT_EQ(launcher.starts.size(), 1u);
    EXPECT_EQ(launcher.starts[0].how, 'S');
    EXPECT_EQ(launcher.starts[0].file, "nosuch.exe");
    EXPECT_EQ(launcher.starts[0].parameters, "") << "the arguments are dropped";
    EXPECT_EQ(r.success, 1);

    launcher.shellAnswer = SE_ERR_FNF_CODE;
    EXPECT_EQ(ShellRun(nullptr, "nosuch.exe", "", kLaunch).success, 0);

    ShellRun(nullptr, "nosuch.exe /Z9 C:\\W", "", kLaunch);
    EXPECT_EQ(launcher.starts.back().how, 'C');
    EXPECT_EQ(launcher.starts.back().file, "nosuch.exe");
    EXPECT_EQ(launcher.starts.back().folder, "C:\\W");
}

TEST(ShellRun, APathFromTheRootGetsTheProgramsDriveWhereThereAreDrives) {
    FakeLauncher launcher;
    launcher.driveLetters = true;
    SetProgramFolder("D:\\Zorvan");
    launcher.executables["D:\\Tools\\x.exe"] = ExecutableBuffer("D:\\Tools\\x.exe");
    ShellRunResult r = ShellRun(nullptr, "\\Tools\\x.exe -a", "", kLaunch);
    EXPECT_EQ(launcher.lookUps, (std::vector<std::string>{"\\Tools\\x.exe", "D:\\Tools\\x.exe"}));
    EXPECT_EQ(r.kind, 1);
    EXPECT_EQ(r.program, "D:\\Tools\\x.exe");

    launcher.lookUps.clear();
    ShellRun(nullptr, "\"\\Tools\\x.exe\" -a", "", kResolveOnly);
    EXPECT_EQ(launcher.lookUps, (std::vector<std::string>{"\\Tools\\x.exe", "D:\\Tools\\x.exe"}));

    // Task files and names without a dot are not tried again.
    launcher.lookUps.clear();
    ShellRun(nullptr, "\\Jobs\\a.z9f", "", kResolveOnly);
    ShellRun(nullptr, "\\Tools\\prog", "", kResolveOnly);
    EXPECT_EQ(launcher.lookUps, (std::vector<std::string>{"\\Jobs\\a.z9f", "\\Tools\\prog"}));

    // Without drive letters the first failure starts what was given.
    launcher.driveLetters = false;
    launcher.lookUps.clear();
    ShellRun(nullptr, "\\Tools\\x.exe", "", kResolveOnly);
    EXPECT_EQ(launcher.lookUps, (std::vector<std::string>{"\\Tools\\x.exe"}));
    SetProgramFolder("");
}

TEST(ShellRun, ResolveOnlyStartsNothingAndFillsTheFields) {
    FakeLauncher launcher;
    launcher.refuseStarts = true;
    launcher.executables["C:\\a.z9f"] = ExecutableBuffer("C:\\Zorvan\\Z9Sub.exe");
    ShellRunResult r = ShellRun(nullptr, "C:\\a.z9f /Z9+C:\\W", "C:\\Caller", kResolveOnly);
    EXPECT_EQ(r.method, ' ');
    EXPECT_EQ(r.kind, 0);
    EXPECT_EQ(r.executable, "C:\\Zorvan\\Z9Sub.exe");
    EXPECT_EQ(r.workingFolder, "C:\\W");
    EXPECT_EQ(r.showMode, 3);
    EXPECT_EQ(r.success, 0);
    ShellRun(nullptr, "nothing here", "", kResolveOnly);
    EXPECT_TRUE(launcher.starts.empty());
}

TEST(LaunchLink, Z9SubLinksStartTheSubmitterBesideUs) {
    FakeLauncher launcher;
    SetProgramFolder("/opt/z9/bin");
    const std::string sub = ProgramFile("Z9Sub");
    launcher.executables[sub] = ExecutableBuffer(sub);
    EXPECT_EQ(LinkCommand("z9sub C:\\Jobs\\pay.z9f"), "\"" + sub + "\" C:\\Jobs\\pay.z9f");
    EXPECT_EQ(LinkCommand("\"Z9SUB\" /tmp/a.z9f /Z9+"), "\"" + sub + "\" /tmp/a.z9f /Z9+");
    EXPECT_EQ(LinkCommand("notepad a.txt"), "notepad a.txt");

    LaunchLink("Z9SUB /tmp/jobs/pay.z9f /Z9-/tmp/work");
    ASSERT_EQ(launcher.starts.size(), 1u);
    EXPECT_EQ(launcher.starts[0].how, 'C');
    EXPECT_EQ(launcher.starts[0].file, "\"" + sub + "\" /tmp/jobs/pay.z9f");
    EXPECT_EQ(launcher.starts[0].folder, "/tmp/work");
    EXPECT_EQ(launcher.starts[0].showMode, 2);

    // The submitter's own folder holds "/z9" and "/Z9Sub": neither is a switch.
    LaunchLink("Z9SUB /tmp/jobs/pay.z9f");
    ASSERT_EQ(launcher.starts.size(), 2u);
    EXPECT_EQ(launcher.starts[1].how, 'S');
    EXPECT_EQ(launcher.starts[1].file, sub);
    EXPECT_EQ(launcher.starts[1].parameters, " /tmp/jobs/pay.z9f");
    SetProgramFolder("");
}

// Their speed is measured by bench_links; a quadratic scan would not end here.
TEST(LaunchLink, HostileLinks) {
    FakeLauncher launcher;
    std::string huge(100 * 1024, 'a');
    std::string quotes = "\"" + std::string(100 * 1024, ' ');
    std::string switches;
    while (switches.size() < 100 * 1024)
        switches += " /Z9/Z9+";
    const std::vector<std::string> links = {
        huge, quotes, huge + " /Z9", switches, "\"unterminated /Z9+ x", "Z9SUB\""};
    for (const std::string& link : links) {
        LaunchLink(link);
        ShellRun(nullptr, link, "", kResolveOnly);
    }
    // The switch storm leaves " /Z9/Z9+..." before its last switch: it starts
    // the program "/Z9/Z9+"; nothing else in these links names anything.
    for (const auto& s : launcher.starts)
        EXPECT_TRUE(s.file == huge || s.file == "/Z9/Z9+" || s.file == "unterminated" ||
                    s.file.find("Z9Sub") != std::string::npos)
            << s.file.substr(0, 40);
}

} // namespace
} // namespace z9
