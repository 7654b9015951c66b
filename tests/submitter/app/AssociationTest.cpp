#include "submitter/app/Association.h"

#include "common/Program.h"
#include "submitter/base/SubmitterKeys.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

namespace z9 {
namespace {

using test::ClassesDefault;

TEST(AssociationTest, SubmitterAssociationInBothModes) {
    // Without the workstation the submitter takes over opening and the icon; with
    // it, it only adds its own verb and leaves the open command alone.
    struct Mode {
        bool workstation;
        const char* oldOpen;
        const char* open;
        const char* icon;
        const char* verb;
    };
    const char* ours = "\"/opt/zorvan/Z9Sub\" %1";
    for (Mode m : {Mode{false, "\"/old/Z9Sub\" %1", ours, "/opt/zorvan/Z9Sub,0", "<missing>"},
                   Mode{true, "\"/ws/Workstation\" %1", "\"/ws/Workstation\" %1", "<missing>", ours}}) {
        SCOPED_TRACE(m.workstation ? "with the workstation" : "without the workstation");
        test::TempFolder folder;
        SetProgramFolder("/opt/zorvan");
        if (m.workstation) {
            ASSERT_EQ(CreateKey(kWorkstationKey), 0);
        }
        ASSERT_EQ(SetStringValue(RegRoot::ClassesRoot, "Zorvan File\\shell\\open\\command", "", m.oldOpen),
                  0);
        EXPECT_TRUE(RegisterFileType());
        EXPECT_EQ(ClassesDefault("Zorvan File"), "Zorvan File");
        EXPECT_EQ(ClassesDefault(".Z9F"), "Zorvan File");
        EXPECT_EQ(ClassesDefault("Zorvan File\\shell\\open\\command"), m.open);
        EXPECT_EQ(ClassesDefault("Zorvan File\\DefaultIcon"), m.icon);
        EXPECT_EQ(ClassesDefault("Zorvan File\\shell\\Zorvan Submitter\\command"), m.verb);
    }
}

} // namespace
} // namespace z9
