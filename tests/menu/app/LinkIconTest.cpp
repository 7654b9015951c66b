#include "menu/app/LinkIcon.h"
#include "FakeLauncher.h"
#include "common/Program.h"

#include <gtest/gtest.h>

namespace z9 {
namespace {

TEST(LinkIcon, MenusTasksAndTheRest) {
    test::FakeLauncher launcher;
    launcher.refuseStarts = true;
    launcher.executables["/jobs/pay.z9f"] = ExecutableBuffer("/opt/z9/Z9Sub");
    launcher.executables["/menus/next.z9m"] = ExecutableBuffer("/opt/z9/Z9Menu");
    launcher.executables["tool"] = ExecutableBuffer("/usr/bin/tool.z9m");
    launcher.executables["/docs/a.txt"] = ExecutableBuffer("/usr/bin/editor");

    LinkIcon task = LinkIconFor("/jobs/pay.z9f /Z9+");
    EXPECT_EQ(task.kind, LinkIconKind::Task);
    EXPECT_EQ(task.source, "/jobs/pay.z9f") << "a document stands for itself";
    EXPECT_EQ(LinkIconFor("\"/menus/next.z9m\"").kind, LinkIconKind::Menu);
    // A program stands for itself through what the look-up found.
    EXPECT_EQ(LinkIconFor("tool -x").kind, LinkIconKind::Menu);

    LinkIcon doc = LinkIconFor("/docs/a.txt");
    EXPECT_EQ(doc.kind, LinkIconKind::Desktop);
    EXPECT_EQ(doc.source, "/docs/a.txt");
    LinkIcon missing = LinkIconFor("/nowhere/x.Z9F");
    EXPECT_EQ(missing.kind, LinkIconKind::Task) << "an unresolved target is still its own source";

    SetProgramFolder("/opt/z9.d");
    LinkIcon sub = LinkIconFor("z9sub /jobs/pay.z9f");
    EXPECT_EQ(sub.source, ProgramFile("Z9Sub"));
    EXPECT_EQ(sub.kind, LinkIconKind::Desktop) << "the submitter's own icon, not the task icon";
    SetProgramFolder("");
    EXPECT_EQ(LinkIconFor("").kind, LinkIconKind::Desktop);
}

} // namespace
} // namespace z9
