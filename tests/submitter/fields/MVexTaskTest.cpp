#include "submitter/fields/MVexTask.h"

#include "common/P8LocaleSettings.h"
#include "common/Program.h"
#include "submitter/base/ReportError.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace z9 {
namespace {

using test::MessageRecorder;
using test::TempFolder;

// A message as the checks write it: the text, LF LF, then each non-empty line and LF LF.
std::string Report(const std::string& message,
                   const std::vector<std::pair<std::string, std::string>>& lines) {
    std::string text = message + "\n\n";
    for (const auto& [label, value] : lines)
        if (!value.empty()) text += label + value + "\n\n";
    return text;
}

struct FieldCase {
    const char* name;
    std::string type, variable, value, min, max, format, percent;
    std::string expected; // empty: passes without a message
    int style = 48;
};

class ValidateEnvFieldTest : public ::testing::Test {
protected:
    void SetUp() override { UseLocale("en_US"); }

    void Run(const std::vector<FieldCase>& cases) {
        for (const FieldCase& c : cases) {
            SCOPED_TRACE(c.name);
            MessageRecorder messages;
            bool ok = ValidateEnvField(c.type, c.variable, c.value, c.min, c.max, c.format, c.percent);
            EXPECT_EQ(ok, c.expected.empty());
            if (c.expected.empty()) {
                EXPECT_TRUE(messages.Messages().empty()) << messages.Messages().front().text;
            } else {
                ASSERT_EQ(messages.Messages().size(), 1u);
                EXPECT_EQ(messages.Messages()[0].text, c.expected);
                EXPECT_EQ(messages.Messages()[0].style, c.style);
            }
        }
    }

    TempFolder folder_;
};

const char* const kScope = "Current value does not fit into the current scope.";
const char* const kMinMax = "Min or max value is invalid in current field.";
const char* const kGreater = "Min value is greater than max value.";
const char* const kInvalid = "Invalid value in current field.";
const char* const kPercent = "This is not valid value for split percent.";

// Details of a number field with the given value and limits, no format.
std::string Number(const char* message, const std::string& value, const std::string& min,
                   const std::string& max, const std::string& format = {}) {
    return Report(message, {{"Field Type: ", "1"},
                            {"Variable Name: ", "N"},
                            {"Format: ", format},
                            {"Value: ", value},
                            {"Min Value: ", min},
                            {"Max Value: ", max}});
}

TEST_F(ValidateEnvFieldTest, TypeVariableAndPercentComeFirst) {
    Run({
        {"empty type: the message alone", "", "N", "v", "1", "2", "", "", "Type of field required."},
        {"type not a digit: details so far", "x", "N", "v", "1", "2", "", "",
         Report(kMinMax, {{"Field Type: ", "x"}, {"Variable Name: ", "N"}})},
        {"no variable: information style", "0", "", "ab", "", "9", "", "",
         Report("Variable Name Required.", {{"Field Type: ", "0"}, {"Value: ", "ab"}, {"Max Length: ", "9"}}),
         64},
        {"percent 20", "0", "N", "v", "", "", "", "20", ""},
        {"percent 80", "0", "N", "v", "", "", "", "80", ""},
        {"percent single blank means the default", "0", "N", "v", "", "", "", " ", ""},
        {"percent 19", "0", "N", "v", "", "", "", "19",
         Report(kPercent, {{"Field Type: ", "0"}, {"Variable Name: ", "N"}, {"Value: ", "v"}})},
        {"percent 81", "0", "N", "v", "", "", "", "81",
         Report(kPercent, {{"Field Type: ", "0"}, {"Variable Name: ", "N"}, {"Value: ", "v"}})},
        {"percent not a number", "0", "N", "v", "", "", "", "half",
         Report(kPercent, {{"Field Type: ", "0"}, {"Variable Name: ", "N"}, {"Value: ", "v"}})},
        {"percent 33.5 is no whole number", "0", "N", "v", "", "", "", "33.5",
         Report(kPercent, {{"Field Type: ", "0"}, {"Variable Name: ", "N"}, {"Value: ", "v"}})},
        {"type 8 passes without checks", "8", "N", "x", "abc", "def", "", "", ""},
        {"type 9 still needs a split percent in range", "9", "N", "x", "a", "b", "", "5",
         Report(kPercent, {{"Field Type: ", "9"},
                           {"Variable Name: ", "N"},
                           {"Value: ", "x"},
                           {"Min: ", "a"},
                           {"Max: ", "b"}})},
        {"check box labels", "5", "N", "YES", "NO", "YES", "True", "90",
         Report(kPercent, {{"Field Type: ", "5"},
                           {"Variable Name: ", "N"},
                           {"Value: ", "YES"},
                           {"Min: ", "NO"},
                           {"Max: ", "YES"}})},
        {"only the first character counts", "0 text", "N", "v", "", "", "", "", ""},
    });
}

TEST_F(ValidateEnvFieldTest, LengthsOfTextFileAndFolderFields) {
    auto text = [](const char* type, const char* message, const std::string& value, const std::string& min,
                   const std::string& max) {
        return Report(message, {{"Field Type: ", type},
                                {"Variable Name: ", "N"},
                                {"Value: ", value},
                                {"Min Length: ", min},
                                {"Max Length: ", max}});
    };
    Run({
        {"within the lengths", "0", "N", "abc", "3", "3", "", "", ""},
        {"min 3 and an empty value", "0", "N", "", "3", "", "", "", text("0", kScope, "", "3", "")},
        {"too long", "2", "N", "abcd", "", "3", "", "", text("2", kScope, "abcd", "", "3")},
        {"min above max", "7", "N", "ab", "5", "3", "", "", text("7", kGreater, "ab", "5", "3")},
        {"min not a number", "0", "N", "ab", "two", "", "", "", text("0", kMinMax, "ab", "two", "")},
        {"max beyond 32 bits", "0", "N", "ab", "", "2147483648", "", "",
         text("0", kMinMax, "ab", "", "2147483648")},
        {"max at the 32-bit limit", "0", "N", "ab", "", "2147483647", "", "", ""},
        {"negative min", "0", "N", "", "-2147483648", "", "", "", ""},
        {"a picture in FORMAT is no number picture here", "0", "N", "secret", "", "", "*", "", ""},
        // A password field's value never appears in a message: it is masked as the editor masks it.
        {"password too short", "0", "PW", "secret", "8", "", "*", "",
         Report(kScope, {{"Field Type: ", "0"},
                         {"Variable Name: ", "PW"},
                         {"Value: ", "******"},
                         {"Min Length: ", "8"}})},
        {"password masked with the first character", "0", "PW", "abc", "", "2", "#x", "",
         Report(
             kScope,
             {{"Field Type: ", "0"}, {"Variable Name: ", "PW"}, {"Value: ", "###"}, {"Max Length: ", "2"}})},
    });
}

TEST_F(ValidateEnvFieldTest, NumbersRoundedHalfToEven) {
    Run({
        {"not a number: the five detail lines", "1", "N", "abc", "1", "10", "", "",
         Number(kInvalid, "abc", "1", "10")},
        {"10.4 rounds into 1..10", "1", "N", "10.4", "1", "10", "", "", ""},
        {"10.6 does not", "1", "N", "10.6", "1", "10", "", "", Number(kScope, "10.6", "1", "10")},
        {"10.5 ties to 10", "1", "N", "10.5", "1", "10", "", "", ""},
        {"11.5 ties to 12", "1", "N", "11.5", "1", "11", "", "", Number(kScope, "11.5", "1", "11")},
        {"0.5 ties to 0, below 1", "1", "N", "0.5", "1", "", "", "", Number(kScope, "0.5", "1", "")},
        {"-0.5 ties to 0", "1", "N", "-0.5", "0", "", "", "", ""},
        {"empty value is not a number", "1", "N", "", "", "", "", "", Number(kInvalid, "", "", "")},
        {"min above max after rounding", "1", "N", "1", "1.5", "1.4", "", "",
         Number(kGreater, "1", "1.5", "1.4")},
        {"min not a number", "1", "N", "1", "one", "", "", "", Number(kMinMax, "1", "one", "")},
        {"largest 32-bit value", "1", "N", "2147483647.4", "", "", "", "", ""},
        {"rounds beyond 32 bits", "1", "N", "2147483647.5", "", "", "", "",
         Number(kInvalid, "2147483647.5", "", "")},
        {"smallest 32-bit value", "1", "N", "-2147483648", "", "", "", "", ""},
        {"below 32 bits", "1", "N", "-2147483649", "", "", "", "", Number(kInvalid, "-2147483649", "", "")},
        {"max beyond 32 bits", "1", "N", "1", "", "3000000000", "", "",
         Number(kMinMax, "1", "", "3000000000")},
        {"thousands grouping", "1", "N", "1,000", "", "999", "", "", Number(kScope, "1,000", "", "999")},
        {"a misplaced thousands separator", "1", "N", "1,00", "", "", "", "",
         Number(kInvalid, "1,00", "", "")},
        {"blanks around the number", "1", "N", " 7 ", "7", "7", "", "", ""},
        {"an exponent", "1", "N", "1E3", "1000", "1000", "", "", ""},
        {"trailing text", "1", "N", "12abc", "", "", "", "", Number(kInvalid, "12abc", "", "")},
    });
}

TEST_F(ValidateEnvFieldTest, NumberPictures) {
    Run({
        {"0.00 accepts 1.50", "1", "N", "1.50", "", "", "0.00", "", ""},
        {"0.00 rejects 1.5", "1", "N", "1.5", "", "", "0.00", "", Number(kInvalid, "1.5", "", "", "0.00")},
        {"a limit not in the picture", "1", "N", "1.50", "1", "", "0.00", "",
         Number(kMinMax, "1.50", "1", "", "0.00")},
        {"limits in the picture", "1", "N", "2.50", "1.00", "3.00", "0.00", "", ""},
        {"an empty value with a picture", "1", "N", "", "", "", "0.00", "",
         Number(kInvalid, "", "", "", "0.00")},
        {"grouped picture", "1", "N", "1,234.50", "", "", "#,##0.00", "", ""},
        {"grouped picture wants the separator", "1", "N", "1234.50", "", "", "#,##0.00", "",
         Number(kInvalid, "1234.50", "", "", "#,##0.00")},
        {"# drops zeros", "1", "N", "7", "", "", "#.##", "", Number(kInvalid, "7", "", "", "#.##")},
        {"# keeps the decimal point", "1", "N", "7.", "", "", "#.##", "", ""},
        {"leading zeros", "1", "N", "007", "", "", "000", "", ""},
        {"negative value", "1", "N", "-3.25", "-5.00", "", "0.00", "", ""},
        {"a plus sign is not how the picture writes it", "1", "N", "+3", "", "", "0", "",
         Number(kInvalid, "+3", "", "", "0")},
    });
}

TEST_F(ValidateEnvFieldTest, NumbersReadInTheUsersLocale) {
    UseLocale("de_DE");
    Run({
        {"decimal comma", "1", "N", "10,4", "1", "10", "", "", ""},
        {"decimal comma rounds up", "1", "N", "10,6", "1", "10", "", "", Number(kScope, "10,6", "1", "10")},
        {"point groups thousands", "1", "N", "1.000", "1000", "1000", "", "", ""},
        {"1.5 is no German number", "1", "N", "1.5", "", "", "", "", Number(kInvalid, "1.5", "", "")},
        {"German picture output", "1", "N", "1.234,50", "", "", "#,##0.00", "", ""},
        {"picture wants the comma", "1", "N", "1234.50", "", "", "0.00", "",
         Number(kInvalid, "1234.50", "", "", "0.00")},
        {"0.00 accepts 1,50", "1", "N", "1,50", "", "", "0.00", "", ""},
    });
}

TEST_F(ValidateEnvFieldTest, DatesAndTimes) {
    auto date = [](const char* message, const std::string& value, const std::string& min,
                   const std::string& max, const std::string& format, const char* type = "3") {
        return Report(message, {{"Field Type: ", type},
                                {"Variable Name: ", "D"},
                                {"Format: ", format},
                                {"Value: ", value},
                                {"Min Value: ", min},
                                {"Max Value: ", max}});
    };
    const std::string mask = "DD.MM.YYYY";
    Run({
        {"empty format", "3", "D", "01.01.2024", "", "", "", "",
         date("Format is invalid in current field.", "01.01.2024", "", "", "")},
        {"bad mask", "3", "D", "01.01.2024", "", "", "YYYY-MM-DD", "",
         date("Format is invalid in current field.", "01.01.2024", "", "", "YYYY-MM-DD")},
        {"in range", "3", "D", "15.06.2024", "01.01.2024", "31.12.2024", mask, "", ""},
        {"min not a date", "3", "D", "15.06.2024", "31.02.2024", "", mask, "",
         date(kMinMax, "15.06.2024", "31.02.2024", "", mask)},
        {"max not in the mask", "3", "D", "15.06.2024", "", "2024", mask, "",
         date(kMinMax, "15.06.2024", "", "2024", mask)},
        {"min after max", "3", "D", "15.06.2024", "31.12.2024", "01.01.2024", mask, "",
         date(kGreater, "15.06.2024", "31.12.2024", "01.01.2024", mask)},
        {"empty value", "3", "D", "", "", "", mask, "", date(kInvalid, "", "", "", mask)},
        {"value not a date", "3", "D", "32.01.2024", "", "", mask, "",
         date(kInvalid, "32.01.2024", "", "", mask)},
        {"before min", "3", "D", "31.12.2023", "01.01.2024", "", mask, "",
         date(kScope, "31.12.2023", "01.01.2024", "", mask)},
        {"completed value counts", "3", "D", "2024", "2024", "2024", "YYYY", "", ""},
        {"time in range", "4", "T", "07:30", "07:00", "08:00", "HH:MM", "", ""},
        {"time after max", "4", "T", "23:59", "", "12:00", "HH:MM", "",
         Report(kScope, {{"Field Type: ", "4"},
                         {"Variable Name: ", "T"},
                         {"Format: ", "HH:MM"},
                         {"Value: ", "23:59"},
                         {"Max Value: ", "12:00"}})},
        {"a date mask is no time mask", "4", "T", "07:30", "", "", "DD.MM", "",
         Report(
             "Format is invalid in current field.",
             {{"Field Type: ", "4"}, {"Variable Name: ", "T"}, {"Format: ", "DD.MM"}, {"Value: ", "07:30"}})},
    });
}

TEST_F(ValidateEnvFieldTest, ComboBoxes) {
    auto combo = [](const char* message, const std::string& value, const std::string& min,
                    const std::string& max) {
        return Report(message, {{"Field Type: ", "6"},
                                {"Variable Name: ", "C"},
                                {"Value: ", value},
                                {"Index: ", min},
                                {"Combo Items: ", max}});
    };
    std::string missing = "ComboFromFile/:" + (folder_.Path() / "missing.txt").string();
    std::string list = "ComboFromFile/:" + folder_.Write("list.txt", "a\r\nb\r\n").string();
    Run({
        {"a plain list", "6", "C", "b", "1", "a\nb", "", "", ""},
        {"a list from a file", "6", "C", "b", "1", list, "", "", ""},
        {"the prefix alone is a one-item list", "6", "C", "ComboFromFile/:", "0", "ComboFromFile/:", "", "",
         ""},
        {"missing file", "6", "C", "", "0", missing, "", "",
         combo("Cannot read file for combo contents.", "", "0", missing)},
        {"empty list", "6", "C", "", "0", "", "", "",
         combo("Cannot read file for combo contents.", "", "0", "")},
        {"value still names a file", "6", "C", "ComboFromFile/:x", "0", "a", "", "",
         combo("Please select combo value.", "ComboFromFile/:x", "0", "a")},
    });
    // The combo messages carry the application title.
    MessageRecorder messages;
    EXPECT_FALSE(ValidateEnvField("6", "C", "", "0", missing, "", ""));
    ASSERT_EQ(messages.Messages().size(), 1u);
    EXPECT_EQ(messages.Messages()[0].title, AppTitle());
}

TEST_F(ValidateEnvFieldTest, SubmitModeLogsInsteadOfAsking) {
    SetSubmitMode(true);
    MessageRecorder messages;
    EXPECT_FALSE(ValidateEnvField("1", "N", "abc", "1", "10", "", ""));
    // Nobody can answer a box on this screen, so the combo message is logged too.
    EXPECT_FALSE(ValidateEnvField("6", "C", "", "0", "", "", ""));
    SetSubmitMode(false);
    EXPECT_TRUE(messages.Messages().empty());
    std::string log = test::ReadFileBytes(folder_.Path() / kErrorLogName);
    EXPECT_NE(log.find(" - " + Number(kInvalid, "abc", "1", "10") + "\r\n"), std::string::npos) << log;
    EXPECT_NE(log.find(" - Cannot read file for combo contents.\n\nField Type: 6\n\n"), std::string::npos)
        << log;
}

TEST_F(ValidateEnvFieldTest, AllFieldsStopAtTheFirstFailure) {
    Task().Environs.clear();
    {
        MessageRecorder messages;
        EXPECT_TRUE(ValidateAllEnvFields());
        EXPECT_TRUE(messages.Messages().empty());
    }
    EnvironRecord good;
    good.Type = "0";
    good.Variable = "A";
    good.Value = "x";
    EnvironRecord bad = good;
    bad.Variable = "B";
    bad.Min = "5";
    EnvironRecord worse = good;
    worse.Type = "";
    Task().Environs = {good, bad, worse};
    {
        MessageRecorder messages;
        EXPECT_FALSE(ValidateAllEnvFields());
        ASSERT_EQ(messages.Messages().size(), 1u);
        EXPECT_EQ(messages.Messages()[0].text, Report(kScope, {{"Field Type: ", "0"},
                                                               {"Variable Name: ", "B"},
                                                               {"Value: ", "x"},
                                                               {"Min Length: ", "5"}}));
    }
    Task().Environs = {good, good};
    {
        MessageRecorder messages;
        EXPECT_TRUE(ValidateAllEnvFields());
    }
}

TEST(ComboListTest, BreaksAndSeparators) {
    using Items = std::vector<std::string>;
    EXPECT_EQ(SplitComboList("a\r\nb\rc"), (Items{"a", "b", "c"}));
    EXPECT_EQ(SplitComboList("a\nb\n"), (Items{"a", "b"}));
    EXPECT_EQ(SplitComboList("a\n\nb"), (Items{"a", "", "b"}));
    EXPECT_EQ(SplitComboList("a\r\n\r\n"), (Items{"a", ""}));
    EXPECT_EQ(SplitComboList(""), (Items{""}));

    EXPECT_EQ(ComboItemValue("Daily run|D", "|"), "D");
    EXPECT_EQ(ComboItemValue("Daily run|", "|"), "");
    EXPECT_EQ(ComboItemValue("a|b|c", "|"), "b|c");
    EXPECT_EQ(ComboItemValue("Daily run", "|"), "Daily run");
    EXPECT_EQ(ComboItemValue("Daily run|D", ""), "Daily run|D");
    EXPECT_EQ(ComboItemValue("Daily - D", " - "), "D");

    EXPECT_FALSE(IsComboFromFile("ComboFromFile/:"));
    EXPECT_FALSE(IsComboFromFile("combofromfile/:x"));
    EXPECT_TRUE(IsComboFromFile("ComboFromFile/:x"));
    EXPECT_EQ(ComboItems("ComboFromFile/:"), "ComboFromFile/:");
    EXPECT_EQ(ComboItems("a\nb"), "a\nb");
}

TEST(ComboListTest, ReadComboFileJoinsLinesAndRefusesWhatIsNoList) {
    TempFolder folder;
    auto read = [&](const std::string& name, const std::string& bytes) {
        return ReadComboFile(folder.Write(name, bytes).string());
    };
    EXPECT_EQ(read("crlf.txt", "one\r\ntwo\r\nthree\r\n"), "one\ntwo\nthree");
    EXPECT_EQ(read("last.txt", "one\r\ntwo"), "one\ntwo");
    EXPECT_EQ(read("blank.txt", "one\r\n\r\n"), "one\n");
    EXPECT_EQ(read("empty.txt", ""), "");
    EXPECT_EQ(read("nul.bin", std::string("MZ\0\0\x90", 5)), "");
    EXPECT_EQ(ReadComboFile((folder.Path() / "missing.txt").string()), "");

    std::string line(1023, 'x');
    line += '\n';
    std::string limit;
    for (int i = 0; i < 1024; ++i)
        limit += line; // exactly 1 MiB
    EXPECT_EQ(read("limit.txt", limit).size(), limit.size() - 1);
    EXPECT_EQ(read("over.txt", limit + "y"), "");
    // A file whose size reads as 0 while it has lines (as the kernel's own files
    // do) is read to its end all the same.
    EXPECT_NE(ReadComboFile("/proc/self/status").find("\nPid:\t"), std::string::npos);

    std::filesystem::create_directories(folder.Path() / "dir");
    EXPECT_EQ(ReadComboFile((folder.Path() / "dir").string()), "");

    // A FIFO with no writer would block an ordinary open.
    std::string fifo = (folder.Path() / "pipe").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(ReadComboFile(fifo), "");

    if (::geteuid() != 0) {
        std::string locked = folder.Write("locked.txt", "a\r\n").string();
        ::chmod(locked.c_str(), 0);
        EXPECT_EQ(ReadComboFile(locked), "");
    }

    // The system's own path forms: backslashes and network shares.
    folder.Write("sub/list.txt", "x\r\ny\r\n");
    EXPECT_EQ(ReadComboFile("sub\\list.txt"), "x\ny");
    std::filesystem::create_directories(folder.UncRoot() / "SERVER" / "SHARE");
    folder.Write("unc/SERVER/SHARE/l.txt", "p\r\nq");
    EXPECT_EQ(ComboItems("ComboFromFile/:\\\\SERVER\\SHARE\\l.txt"), "p\nq");
}

TEST(NumberTest, ParseAndRound) {
    auto parse = [](const char* text) { return ParseDecimal(text, ".", ","); };
    auto whole = [&](const char* text) { return RoundToWhole(*parse(text)); };
    ASSERT_TRUE(parse(" -0012.5000 "));
    EXPECT_TRUE(parse(" -0012.5000 ")->Negative);
    EXPECT_EQ(parse(" -0012.5000 ")->Whole, "12");
    EXPECT_EQ(parse(" -0012.5000 ")->Fraction, "5");
    EXPECT_EQ(parse("1.25E2")->Whole, "125");
    EXPECT_EQ(parse("125e-3")->Fraction, "125");
    EXPECT_EQ(parse("1,234,567")->Whole, "1234567");
    EXPECT_EQ(parse(".5")->Fraction, "5");
    for (const char* bad :
         {"", " ", "+", ".", "1e", "1,2", ",123", "1,,234", "12,3456", "1.2.3", "--1", "1 2", "0x10"})
        EXPECT_FALSE(parse(bad)) << bad;

    EXPECT_EQ(whole("0.5"), 0);
    EXPECT_EQ(whole("1.5"), 2);
    EXPECT_EQ(whole("2.5"), 2);
    EXPECT_EQ(whole("2.500000000000000000001"), 3); // no binary rounding on the way
    EXPECT_EQ(whole("-2.5"), -2);
    EXPECT_EQ(whole("-3.5"), -4);
    EXPECT_EQ(whole("2.49"), 2);
    EXPECT_EQ(whole("-2147483648.4"), INT32_MIN);
    EXPECT_FALSE(whole("2147483648"));
    EXPECT_FALSE(whole("1E400"));
    EXPECT_EQ(whole("1E-400"), 0);

    EXPECT_EQ(ToWholeNumber(" 42 "), 42);
    EXPECT_EQ(ToWholeNumber("-7"), -7);
    EXPECT_FALSE(ToWholeNumber("4.2"));
    EXPECT_FALSE(ToWholeNumber("-2147483649"));
    EXPECT_FALSE(ToWholeNumber(""));
}

TEST(NumberTest, Pictures) {
    auto format = [](const char* number, const char* picture) {
        return FormatNumberPicture(*ParseDecimal(number, ".", ","), picture, ".", ",");
    };
    EXPECT_EQ(format("1234567.891", "#,##0.00"), "1,234,567.89");
    EXPECT_EQ(format("0.005", "0.00"), "0.01"); // half away from zero
    EXPECT_EQ(format("-0.005", "0.00"), "-0.01");
    EXPECT_EQ(format("-0.004", "0.00"), "0.00");
    EXPECT_EQ(format("9.996", "0.00"), "10.00");
    EXPECT_EQ(format("5", "#.##"), "5.");
    EXPECT_EQ(format("0.5", "#.##"), ".5");
    EXPECT_EQ(format("0.5", "0.0#"), "0.5");
    EXPECT_EQ(format("7", "000"), "007");
    EXPECT_EQ(format("12345", "00"), "12345");
    EXPECT_EQ(format("0", "#"), "");
    EXPECT_EQ(format("0.25", "0%"), "25%");
    EXPECT_EQ(format("-1.5", "0.00;(0.00)"), "(1.50)");
    EXPECT_EQ(format("0", "0.00;(0.00);\"nil\""), "nil");
    EXPECT_EQ(format("42", "\"No. \"0"), "No. 42");
    EXPECT_EQ(format("42", "\\#0"), "#42");
    EXPECT_EQ(format("1234", "0000.0"), "1234.0");
    EXPECT_EQ(FormatNumberPicture(*ParseDecimal("1234,5", ",", "."), "#,##0.00", ",", "."), "1.234,50");
}

} // namespace
} // namespace z9
