#include "menu/app/ExpandEnvVars.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

namespace z9 {
namespace {

using test::ScopedEnv;

TEST(ExpandEnvVars, ReplacesKnownNamesAndKeepsTheRest) {
    ScopedEnv tools("Z9T_TOOLS", "/opt/tools");
    ScopedEnv arg("Z9T_ARG", "x y");
    ScopedEnv unset("Z9T_NONE", std::nullopt);
    EXPECT_EQ(ExpandEnvVars("%Z9T_TOOLS%/run %Z9T_ARG%"), "/opt/tools/run x y");
    EXPECT_EQ(ExpandEnvVars("%Z9T_NONE%/run"), "%Z9T_NONE%/run");
    // The closing '%' of an unknown name opens the next pair.
    EXPECT_EQ(ExpandEnvVars("%Z9T_NONE%Z9T_TOOLS%"), "%Z9T_NONE/opt/tools");
    // " of " is an unknown name; its closing '%' pairs with the next one.
    EXPECT_EQ(ExpandEnvVars("100% of %Z9T_TOOLS%"), "100% of /opt/tools");
    EXPECT_EQ(ExpandEnvVars("100% of %Z9T_TOOLS"), "100% of %Z9T_TOOLS");
    EXPECT_EQ(ExpandEnvVars("%Z9T_TOOLS% 100%"), "/opt/tools 100%");
    EXPECT_EQ(ExpandEnvVars("a%%b"), "a%%b");
}

TEST(ExpandEnvVars, ShortTextsAndTextsWithoutPercentStayAsTheyAre) {
    ScopedEnv one("A", "expanded");
    EXPECT_EQ(ExpandEnvVars("%A"), "%A");
    EXPECT_EQ(ExpandEnvVars("%%"), "%%");
    EXPECT_EQ(ExpandEnvVars("%A%"), "expanded");
    EXPECT_EQ(ExpandEnvVars("plain text"), "plain text");
    EXPECT_EQ(ExpandEnvVars(""), "");
}

TEST(ExpandEnvVars, NamesOf31CharactersOrEmptyValuesAreNotExpanded) {
    const std::string name30(30, 'N'), name31(31, 'N');
    ScopedEnv long30(name30.c_str(), "thirty");
    ScopedEnv long31(name31.c_str(), "thirty-one");
    ScopedEnv empty("Z9T_EMPTY", "");
    EXPECT_EQ(ExpandEnvVars("%" + name30 + "%"), "thirty");
    EXPECT_EQ(ExpandEnvVars("%" + name31 + "%"), "%" + name31 + "%");
    EXPECT_EQ(ExpandEnvVars("%Z9T_EMPTY%x"), "%Z9T_EMPTY%x");
}

// Their speed is measured by bench_links; a quadratic scan would not end here.
TEST(ExpandEnvVars, PercentStorms) {
    ScopedEnv var("Z9T_V", "v");
    std::string storm(200000, '%');
    std::string pairs, expected;
    for (int i = 0; i < 20000; ++i) {
        pairs += "%Z9T_V%%x";
        expected += "v%x";
    }
    EXPECT_EQ(ExpandEnvVars(storm), storm);
    std::string expanded = ExpandEnvVars(pairs);
    // "%x%" is an unknown name whose closing '%' opens the next "%Z9T_V%".
    EXPECT_EQ(expanded, expected);
}

} // namespace
} // namespace z9
