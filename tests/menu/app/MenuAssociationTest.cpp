#include "menu/app/MenuAssociation.h"
#include "common/DesktopDatabase.h"
#include "common/Program.h"
#include "common/Registry.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

namespace z9 {
namespace {

std::string Classes(const std::string& key) {
    RegKey k;
    RegValue v;
    if (k.Open(RegRoot::ClassesRoot, key) != 0 || k.Query("", v) != 0) return "<none>";
    return v.Text();
}

TEST(MenuAssociation, TheRegistryAndTheDesktopBothOpenMenusInZ9Menu) {
    test::TempFolder temp;
    SetProgramFolder((temp.Path() / "z9").string());
    const std::string menu = ProgramFile("Z9Menu");
    temp.Write("z9/Z9Menu", "#!/bin/sh\n");
    std::filesystem::permissions(menu, std::filesystem::perms::owner_all);
    RegisterMenuFileType();
    EXPECT_EQ(Classes("Zorvan Menu"), "Zorvan Menu");
    EXPECT_EQ(Classes(".Z9M"), "Zorvan Menu");
    EXPECT_EQ(Classes("Zorvan Menu\\shell\\open\\command"), "\"" + menu + "\" %1");
    EXPECT_EQ(Classes("Zorvan Menu\\DefaultIcon"), menu + ",0");
    EXPECT_EQ(MimeTypeForFileName("start.z9m"), "application/x-zorvan-menu");
    EXPECT_EQ(DefaultApplication("application/x-zorvan-menu"), "zorvan-z9menu.desktop");
    EXPECT_EQ(DesktopEntryProgram("zorvan-z9menu.desktop"), menu);
    SetProgramFolder("");
}

} // namespace
} // namespace z9
