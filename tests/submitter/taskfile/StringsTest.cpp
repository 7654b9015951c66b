#include "submitter/taskfile/Z9StringBuilder.h"
#include "submitter/taskfile/Z9StringReader.h"

#include <gtest/gtest.h>

#include <vector>

namespace z9 {
namespace {

std::vector<std::string> AllLines(Z9StringReader& r) {
    std::vector<std::string> lines;
    while (!r.IsEOF())
        lines.push_back(r.ReadNextLine());
    return lines;
}

TEST(Z9StringReader, SplitsAtCrLfOnlyAndKeepsEmptyLines) {
    Z9StringReader r("a\r\nb\nc\r\n\r\nd\re");
    EXPECT_EQ(AllLines(r), (std::vector<std::string>{"a", "b\nc", "", "d\re"}));
    EXPECT_TRUE(r.IsEOF());
    EXPECT_EQ(r.ReadNextLine(), "");
    EXPECT_EQ(r.ReadNextLine(), "");
}

TEST(Z9StringReader, TrailingDelimiterEndsTheTextAndEmptyTextIsAtEnd) {
    Z9StringReader r("only\r\n");
    EXPECT_FALSE(r.IsEOF());
    EXPECT_EQ(r.ReadNextLine(), "only");
    EXPECT_TRUE(r.IsEOF());

    Z9StringReader empty;
    EXPECT_TRUE(empty.IsEOF());
    EXPECT_EQ(empty.ReadNextLine(), "");
}

TEST(Z9StringReader, SettingTheTextRestartsAndEmptyDelimiterIsIgnored) {
    Z9StringReader r("x|y");
    r.Delimiter("");
    EXPECT_EQ(r.Delimiter(), "\r\n");
    EXPECT_EQ(r.ReadNextLine(), "x|y");
    r.Delimiter("|");
    r.toString("1|2|3");
    EXPECT_EQ(r.Position(), 1u);
    EXPECT_EQ(r.ReadNextLine(), "1");
    EXPECT_EQ(r.toString(), "1|2|3");
    EXPECT_EQ(r.ReadNextLine(), "2");
    r.ResetPosition();
    EXPECT_EQ(AllLines(r), (std::vector<std::string>{"1", "2", "3"}));
}

TEST(Z9StringReader, SkipsBackAndForward) {
    Z9StringReader r("one\r\ntwo\r\nthree");
    r.SkipOneBack(); // at the start: stays
    EXPECT_EQ(r.ReadNextLine(), "one");
    EXPECT_EQ(r.ReadNextLine(), "two");
    r.SkipOneBack();
    EXPECT_EQ(r.ReadNextLine(), "two");
    r.SkipOneBack();
    r.SkipOneBack();
    EXPECT_EQ(r.ReadNextLine(), "one");
    r.SkipOneForward();
    EXPECT_EQ(r.ReadNextLine(), "three");
    EXPECT_TRUE(r.IsEOF());
    r.SkipOneBack(); // the last line had no delimiter
    EXPECT_EQ(r.ReadNextLine(), "three");
}

TEST(Z9StringReader, DoubledDelimitersStayInTheLineAsSingleOnes) {
    Z9StringReader r("a||b|c|||d|");
    r.Delimiter("|");
    r.DoubledDelimiters(true);
    EXPECT_EQ(AllLines(r), (std::vector<std::string>{"a|b", "c|", "d"}));
}

TEST(Z9StringBuilder, JoinsAddressesAndRemoves) {
    Z9StringBuilder b;
    EXPECT_EQ(b.toString(), "");
    EXPECT_EQ(b.toDelimitedString(", "), "");
    b.removeLastElement(); // nothing to remove
    b.AppendElement("a");
    b.AppendElement("b");
    b.AppendElement("c");
    EXPECT_EQ(b.Elements(), 3u);
    EXPECT_EQ(b.toString(), "abc");
    EXPECT_EQ(b.toDelimitedString("\r\n"), "a\r\nb\r\nc");
    b.UpdateElement(1, "B");
    b.UpdateElement(3, "out of range");
    EXPECT_EQ(b.GetElement(1), "B");
    EXPECT_EQ(b.GetElement(3), "");
    b.removeLastElement();
    EXPECT_EQ(b.Items(), (std::vector<std::string>{"a", "B"}));
    b.Reset();
    EXPECT_EQ(b.Elements(), 0u);
}

TEST(Z9StringBuilder, DoubledDefaultDelimiterReadsBackAsOneLine) {
    Z9StringBuilder b;
    b.AppendElementWithDefDelim("first\r\nstill first");
    b.AppendElementWithDefDelim("second\r\n");
    EXPECT_EQ(b.GetElement(0), "first\r\n\r\nstill first");

    Z9StringReader r(b.toDelimitedString("\r\n"));
    r.DoubledDelimiters(true);
    EXPECT_EQ(r.ReadNextLine(), "first\r\nstill first");
    EXPECT_EQ(r.ReadNextLine(), "second\r\n");
    EXPECT_TRUE(r.IsEOF());
}

} // namespace
} // namespace z9
