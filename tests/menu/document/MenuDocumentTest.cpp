#include "menu/document/MenuDocument.h"

#include "common/HostText.h"
#include "common/SystemErrorText.h"

#include "tests/support/FaultSupport.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <random>

#ifndef _WIN32
#include <unistd.h>
#endif

namespace z9 {
namespace {

namespace fs = std::filesystem;
using test::FolderEntries;
using test::MessageRecorder;
using test::ReadFileBytes;
using test::TempFolder;

// Records the window's steps in order.
class RecordingView : public MenuView {
public:
    explicit RecordingView(const MenuDocument* document = nullptr) : document_(document) {}
    void ClearPage() override { steps.push_back("ClearPage"); }
    void ShowHeader(const std::string& name) override { steps.push_back("ShowHeader " + name); }
    void ProcessEvents() override { ++events; }
    void FileChanged(const std::string& path) override { steps.push_back("FileChanged " + path); }
    void ShowCaption(const std::string& path) override { steps.push_back("ShowCaption " + path); }
    void LoadFields() override {
        steps.push_back("LoadFields");
        // The page is built from complete lists.
        if (document_) {
            linesAtLoad = document_->Lines();
            summariesAtLoad = document_->Summaries();
        }
    }
    void StoreLast(const std::string& path) override { steps.push_back("StoreLast " + path); }

    std::vector<std::string> steps;
    int events = 0;
    std::vector<std::string> linesAtLoad, summariesAtLoad;

private:
    const MenuDocument* document_;
};

MenuItem Label(const std::string& caption) {
    MenuItem item;
    item.Type = vLabel;
    item.Caption = caption;
    item.Font = DefaultItemFont();
    return item;
}

class MenuDocumentTest : public ::testing::Test {
protected:
    // A menu file from lines, each ended by CR LF.
    fs::path WriteMenu(const std::string& name, const std::vector<std::string>& lines) {
        return folder.Write(name, MenuFileText(lines));
    }

    TempFolder folder;
    MessageRecorder messages;
    MenuDocument doc;
};

// ---- reading and writing lines ---------------------------------------------------

TEST(MenuLinesTest, LinesEndAtCrLfOrALoneCr) {
    using Lines = std::vector<std::string>;
    EXPECT_EQ(SplitMenuLines("a\r\nb\rc"), (Lines{"a", "b", "c"}));
    EXPECT_EQ(SplitMenuLines("a\r\nb\r\n"), (Lines{"a", "b"}));
    EXPECT_EQ(SplitMenuLines("a\r"), (Lines{"a"}));
    EXPECT_EQ(SplitMenuLines("a\r\n\r\n\r"), (Lines{"a", "", ""}));
    EXPECT_EQ(SplitMenuLines("\r\n"), (Lines{""}));
    EXPECT_EQ(SplitMenuLines(""), Lines{});
    // A lone LF ends nothing: it stays in the line.
    EXPECT_EQ(SplitMenuLines("a\nb\r\n"), (Lines{"a\nb"}));
    EXPECT_EQ(SplitMenuLines(std::string("a\0b\r\n\0", 6)),
              (Lines{std::string("a\0b", 3), std::string(1, '\0')}));

    EXPECT_EQ(MenuFileText({"a", "", "b"}), "a\r\n\r\nb\r\n");
    EXPECT_EQ(MenuFileText({}), "");
}

TEST_F(MenuDocumentTest, OpeningRunsTheWindowsStepsInOrder) {
    WriteMenu("menus/main.z9m",
              {"1><CAPTION>Top</CAPTION>", "3><CAPTION>Go</CAPTION> <LINK>x.z9f</LINK>", "5>"});
    RecordingView view(&doc);
    doc.SetView(&view);
    doc.SetMCh(true);
    ASSERT_TRUE(doc.OpenP8M("menus\\main.z9m"));
    EXPECT_EQ(view.steps, (std::vector<std::string>{
                              "ClearPage", "ShowHeader main.z9m", "FileChanged menus\\main.z9m",
                              "ShowCaption menus\\main.z9m", "LoadFields", "StoreLast menus\\main.z9m"}));
    EXPECT_EQ(view.events, 3);
    EXPECT_EQ(view.linesAtLoad, doc.Lines());
    EXPECT_EQ(view.summariesAtLoad, (std::vector<std::string>{"Type = vTitle, Caption = Top",
                                                              "Type = vLink, Caption = Go", "Type = vLine"}));
    EXPECT_EQ(doc.FFile(), "menus\\main.z9m");
    EXPECT_FALSE(doc.Dirty());
    EXPECT_TRUE(messages.Messages().empty());
}

// Lines a person or another program may have written: unknown types, tags in
// any order or missing, bytes of the whole code page. Saved unedited, each
// comes back as it was.
std::vector<std::string> GeneratedLines(std::mt19937& rng, int count) {
    const std::vector<std::string> pieces = {"<CAPTION>",
                                             "</CAPTION> ",
                                             "<LINK>",
                                             "</LINK> ",
                                             "<FONTNAME>Arial</FONTNAME> ",
                                             "<FONTSIZE>10.5</FONTSIZE>",
                                             "<FONTBOLD>maybe</FONTBOLD>",
                                             "<FONTCOLOR>-1</FONTCOLOR>",
                                             "<FONTCHAR>",
                                             "<caption>",
                                             "R&D",
                                             " < ",
                                             "&amp;",
                                             "\xC4\xD6\xDC\xDF\xE9\x80\x9F\xFF",
                                             std::string("\0", 1),
                                             "\x01",
                                             "\t",
                                             "  ",
                                             "</",
                                             ">",
                                             "C:\\Jobs\\a.z9f"};
    std::vector<std::string> lines;
    for (int i = 0; i < count; ++i) {
        std::string line;
        if (rng() % 4) line += static_cast<char>('0' + rng() % 10);
        if (rng() % 4) line += '>';
        for (int n = static_cast<int>(rng() % 12); n > 0; --n) {
            if (rng() % 3 == 0) {
                // Any byte but the line ends and character 26, which a save writes as a break.
                char c;
                do
                    c = static_cast<char>(rng() % 256);
                while (c == '\r' || c == '\n' || c == '\x1a');
                line += c;
            } else {
                line += pieces[rng() % pieces.size()];
            }
        }
        lines.push_back(line);
    }
    return lines;
}

// A copy tells the window of the one it was copied from, and a copy of a
// document alone stays alone after the first one is gone.
TEST_F(MenuDocumentTest, ACopyOutlivesItsOriginal) {
    const fs::path menu = WriteMenu("a.z9m", {"<LABEL><CAPTION>One</CAPTION>"});
    RecordingView view;
    MenuDocument shown(&view);
    MenuDocument copyShown(shown);
    ASSERT_TRUE(copyShown.OpenP8M(menu.string()));
    EXPECT_FALSE(view.steps.empty());

    auto alone = std::make_unique<MenuDocument>();
    MenuDocument copyAlone(*alone);
    alone.reset();
    ASSERT_TRUE(copyAlone.OpenP8M(menu.string()));
    ASSERT_TRUE(copyAlone.SaveP8M((folder.Path() / "b.z9m").string()));
    EXPECT_EQ(copyAlone.Lines(), std::vector<std::string>{"<LABEL><CAPTION>One</CAPTION>"});
}

TEST_F(MenuDocumentTest, UneditedLinesAreWrittenBackByteForByte) {
    std::mt19937 rng(7);
    for (int round = 0; round < 20; ++round) {
        const std::vector<std::string> lines = GeneratedLines(rng, 200);
        const std::string bytes = MenuFileText(lines);
        folder.Write("in.z9m", bytes);
        ASSERT_TRUE(doc.OpenP8M("in.z9m"));
        ASSERT_EQ(doc.Count(), lines.size());
        ASSERT_TRUE(doc.SaveP8M("out.z9m"));
        ASSERT_EQ(ReadFileBytes(folder.Path() / "out.z9m"), bytes) << "round " << round;
    }
    // An example menu beside an edited neighbour: only the edited line changes.
    const fs::path example = test::ExamplesDir() / "main-menu.z9m";
    ASSERT_TRUE(doc.OpenP8M(example.string()));
    ASSERT_TRUE(doc.ReplaceItem(1, Label("changed")));
    ASSERT_TRUE(doc.SaveP8M("edited.z9m"));
    std::vector<std::string> expected = SplitMenuLines(ReadFileBytes(example));
    expected[1] = WriteItem(Label("changed"));
    EXPECT_EQ(ReadFileBytes(folder.Path() / "edited.z9m"), MenuFileText(expected));

    // Lines read at a lone CR or without an ending are written with CR LF.
    folder.Write("cr.z9m", "1><CAPTION>a</CAPTION>\r2>\r\n3>");
    ASSERT_TRUE(doc.OpenP8M("cr.z9m"));
    ASSERT_TRUE(doc.SaveP8M("cr.z9m"));
    EXPECT_EQ(ReadFileBytes(folder.Path() / "cr.z9m"), "1><CAPTION>a</CAPTION>\r\n2>\r\n3>\r\n");
    EXPECT_TRUE(messages.Messages().empty());
}

TEST_F(MenuDocumentTest, ACaptionOnTwoLinesIsOneFileLine) {
    folder.Write("two.z9m", "");
    ASSERT_TRUE(doc.OpenP8M("two.z9m"));
    ASSERT_TRUE(doc.InsertItem(0, Label("first\r\nsecond")));
    ASSERT_TRUE(doc.InsertItem(1, Label("lone\nfeed and lone\rreturn")));
    ASSERT_TRUE(doc.SaveP8M("two.z9m"));
    const std::string bytes = ReadFileBytes(folder.Path() / "two.z9m");
    EXPECT_EQ(bytes, WriteItem(Label("first\x01second")) + "\r\n" +
                         WriteItem(Label("lone\x01"
                                         "feed and lone\x01return")) +
                         "\r\n");
    // The escaped copy is what was written; the document keeps its breaks.
    EXPECT_EQ(doc.Escaped(), SplitMenuLines(bytes));
    EXPECT_EQ(doc.Item(0).Caption, "first\r\nsecond");

    MenuDocument again;
    ASSERT_TRUE(again.OpenP8M("two.z9m"));
    EXPECT_EQ(again.Item(0).Caption, "first\r\nsecond");
    // Every break comes back as CR LF.
    EXPECT_EQ(again.Item(1).Caption, "lone\r\nfeed and lone\r\nreturn");
    EXPECT_EQ(again.Summaries()[0], "Type = vLabel, Caption = first\r\nsecond");

    // Character 26 is written as a break too, so it comes back as one.
    ASSERT_TRUE(again.ReplaceItem(0, Label("a\x1a"
                                           "b")));
    ASSERT_TRUE(again.SaveP8M("two.z9m"));
    ASSERT_TRUE(again.OpenP8M("two.z9m"));
    EXPECT_EQ(again.Item(0).Caption, "a\r\nb");

    // A lone LF or a character 26 put into the file by hand reads as the break
    // a save would make of it.
    WriteMenu("hand.z9m", {"2><CAPTION>a\nb\x1a"
                           "c</CAPTION>"});
    ASSERT_TRUE(again.OpenP8M("hand.z9m"));
    EXPECT_EQ(again.Lines()[0], "2><CAPTION>a\r\nb\r\nc</CAPTION>");
}

TEST_F(MenuDocumentTest, UnknownTypesAndHalfSizesStayUntilEdited) {
    const std::string future = "7><CAPTION>Calendar</CAPTION> <WIDTH>4000</WIDTH>";
    const std::string half = "2><CAPTION>Half</CAPTION> <FONTSIZE>10.5</FONTSIZE>";
    const std::string odd = "2><CAPTION>Odd</CAPTION> <FONTSIZE>11.5</FONTSIZE>";
    WriteMenu("keep.z9m", {future, half, odd});
    ASSERT_TRUE(doc.OpenP8M("keep.z9m"));
    EXPECT_EQ(doc.Item(0).Type, 7);
    EXPECT_EQ(doc.Summaries()[0], "Type = , Caption = Calendar");
    EXPECT_EQ(doc.Item(1).Font.Size, 10);
    EXPECT_EQ(doc.Item(2).Font.Size, 12);

    // Edited, each item is written as it reads now; the unknown line stays.
    ASSERT_TRUE(doc.ReplaceItem(1, doc.Item(1)));
    ASSERT_TRUE(doc.ReplaceItem(2, doc.Item(2)));
    ASSERT_TRUE(doc.SaveP8M("keep.z9m"));
    const std::vector<std::string> saved = SplitMenuLines(ReadFileBytes(folder.Path() / "keep.z9m"));
    ASSERT_EQ(saved.size(), 3u);
    EXPECT_EQ(saved[0], future);
    EXPECT_EQ(ReadTag(saved[1], "FONTSIZE"), "10");
    EXPECT_EQ(ReadTag(saved[2], "FONTSIZE"), "12");
}

TEST_F(MenuDocumentTest, AnEmptyFileIsAnEmptyMenuAndBack) {
    folder.Write("empty.z9m", "");
    RecordingView view(&doc);
    doc.SetView(&view);
    ASSERT_TRUE(doc.OpenP8M("empty.z9m"));
    EXPECT_EQ(doc.Count(), 0u);
    EXPECT_TRUE(doc.Summaries().empty());
    EXPECT_EQ(view.events, 0);

    WriteMenu("two.z9m", {"5>", "4>"});
    ASSERT_TRUE(doc.OpenP8M("two.z9m"));
    ASSERT_TRUE(doc.RemoveItem(1));
    ASSERT_TRUE(doc.RemoveItem(0));
    ASSERT_TRUE(doc.SaveP8M("two.z9m"));
    EXPECT_EQ(fs::file_size(folder.Path() / "two.z9m"), 0u);
}

TEST_F(MenuDocumentTest, ChangedMarksDirtyAndOnlyOpenOrSaveClearIt) {
    EXPECT_FALSE(doc.Dirty());
    doc.SetMCh(true);
    EXPECT_TRUE(doc.MCh());
    EXPECT_TRUE(doc.Dirty());
    doc.SetMCh(false);
    EXPECT_FALSE(doc.MCh());
    EXPECT_TRUE(doc.Dirty());

    folder.Write("a.z9m", "");
    ASSERT_TRUE(doc.OpenP8M("a.z9m"));
    EXPECT_FALSE(doc.Dirty());
    ASSERT_TRUE(doc.InsertItem(0, Label("x")));
    EXPECT_TRUE(doc.MCh());
    EXPECT_TRUE(doc.Dirty());
    ASSERT_TRUE(doc.SaveP8M("a.z9m"));
    EXPECT_FALSE(doc.Dirty());
}

TEST_F(MenuDocumentTest, EditsKeepLinesAndSummariesTogether) {
    WriteMenu("e.z9m", {"2><CAPTION>a</CAPTION>", "2><CAPTION>b</CAPTION>", "2><CAPTION>c</CAPTION>"});
    ASSERT_TRUE(doc.OpenP8M("e.z9m"));
    auto captions = [&] {
        std::string s;
        for (std::size_t i = 0; i < doc.Count(); ++i)
            s += doc.Item(i).Caption;
        return s;
    };
    auto summariesMatch = [&] {
        if (doc.Summaries().size() != doc.Lines().size()) return false;
        for (std::size_t i = 0; i < doc.Count(); ++i) {
            const MenuItem item = doc.Item(i);
            if (doc.Summaries()[i] != DescribeItem(ItemTypeName(item.Type), item)) return false;
        }
        return true;
    };
    // Out of range: nothing changes and nothing is marked.
    EXPECT_FALSE(doc.ReplaceItem(3, Label("x")));
    EXPECT_FALSE(doc.InsertItem(4, Label("x")));
    EXPECT_FALSE(doc.RemoveItem(3));
    EXPECT_FALSE(doc.SwapItems(0, 3));
    EXPECT_FALSE(doc.MCh());
    EXPECT_EQ(captions(), "abc");

    EXPECT_TRUE(doc.SwapItems(0, 2));
    EXPECT_EQ(captions(), "cba");
    EXPECT_TRUE(doc.MCh());
    EXPECT_TRUE(doc.InsertItem(3, Label("d")));
    EXPECT_TRUE(doc.InsertItem(0, Label("e")));
    EXPECT_EQ(captions(), "ecbad");
    EXPECT_TRUE(doc.RemoveItem(2));
    EXPECT_TRUE(doc.ReplaceItem(0, Label("f")));
    EXPECT_EQ(captions(), "fcad");
    EXPECT_TRUE(summariesMatch());
}

// ---- FOpen --------------------------------------------------------------------------

TEST_F(MenuDocumentTest, OnlyMenuFilesOpenWhateverTheCaseOfTheirExtension) {
    WriteMenu("menu.Z9M", {"2><CAPTION>upper</CAPTION>"});
    WriteMenu("menu.txt", {"2><CAPTION>text</CAPTION>"});
    ASSERT_TRUE(doc.FOpen("menu.Z9M"));
    EXPECT_EQ(doc.Item(0).Caption, "upper");

    EXPECT_FALSE(doc.FOpen("menu.txt"));
    ASSERT_EQ(messages.Messages().size(), 1u);
    EXPECT_EQ(messages.Messages()[0].text, "Cannot open: \"menu.txt\"\n\nInvalid file extension!");
    EXPECT_EQ(messages.Messages()[0].style, vbExclamation);
    // The menu on show stays.
    EXPECT_EQ(doc.FFile(), "menu.Z9M");
    EXPECT_EQ(doc.Item(0).Caption, "upper");
}

TEST_F(MenuDocumentTest, UnsavedChangesAreOfferedForSavingFirst) {
    WriteMenu("a.z9m", {"2><CAPTION>a</CAPTION>"});
    WriteMenu("b.z9m", {"2><CAPTION>b</CAPTION>"});
    const std::string question = "Do you want to save the changes you made to \n\na.z9m?";
    ASSERT_TRUE(doc.FOpen("a.z9m"));
    ASSERT_TRUE(doc.ReplaceItem(0, Label("a2")));

    messages.Answer(vbCancel);
    EXPECT_FALSE(doc.FOpen("b.z9m"));
    ASSERT_EQ(messages.Messages().size(), 1u);
    EXPECT_EQ(messages.Messages()[0].text, question);
    EXPECT_EQ(messages.Messages()[0].style, vbYesNoCancel | vbQuestion);
    EXPECT_EQ(doc.FFile(), "a.z9m");
    EXPECT_TRUE(doc.Dirty());
    EXPECT_TRUE(doc.History().empty());

    messages.Answer(vbNo);
    ASSERT_TRUE(doc.FOpen("b.z9m"));
    EXPECT_EQ(doc.Item(0).Caption, "b");
    EXPECT_EQ(ReadFileBytes(folder.Path() / "a.z9m"), MenuFileText({"2><CAPTION>a</CAPTION>"}));

    ASSERT_TRUE(doc.ReplaceItem(0, Label("b2")));
    messages.Answer(vbYes);
    ASSERT_TRUE(doc.FOpen("a.z9m"));
    EXPECT_EQ(ReadFileBytes(folder.Path() / "b.z9m"), MenuFileText({WriteItem(Label("b2"))}));
    EXPECT_EQ(doc.Item(0).Caption, "a");
    EXPECT_FALSE(doc.Dirty());
}

TEST_F(MenuDocumentTest, AFailedSaveStopsTheOpen) {
    WriteMenu("a.z9m", {"2><CAPTION>a</CAPTION>"});
    WriteMenu("b.z9m", {"2><CAPTION>b</CAPTION>"});
    ASSERT_TRUE(doc.FOpen("a.z9m"));
    ASSERT_TRUE(doc.ReplaceItem(0, Label("a2")));
    // The file became a folder meanwhile: the save cannot replace it.
    fs::remove(folder.Path() / "a.z9m");
    fs::create_directory(folder.Path() / "a.z9m");
    messages.Answer(vbYes);
    EXPECT_FALSE(doc.FOpen("b.z9m"));
    ASSERT_EQ(messages.Messages().size(), 2u);
    EXPECT_EQ(messages.Messages()[1].text,
              "Cannot save:\n\na.z9m\n\n" + SystemErrorText(ERROR_ACCESS_DENIED_CODE));
    EXPECT_EQ(messages.Messages()[1].style, vbCritical);
    EXPECT_EQ(doc.FFile(), "a.z9m");
    EXPECT_EQ(doc.Item(0).Caption, "a2");
    EXPECT_TRUE(doc.Dirty());
}

TEST_F(MenuDocumentTest, AMissingMenuCanBeCreated) {
    const std::string path = (folder.Path() / "new\\deeper\\start.z9m").string();
    messages.Answer(vbNo);
    EXPECT_FALSE(doc.FOpen(path));
    ASSERT_EQ(messages.Messages().size(), 1u);
    EXPECT_EQ(messages.Messages()[0].text,
              "File " + path + " does not exist.\n\nWould you like to create a new menu?");
    EXPECT_EQ(messages.Messages()[0].style, vbYesNo | vbExclamation);
    EXPECT_FALSE(fs::exists(folder.Path() / "new"));

    messages.Answer(vbYes);
    ASSERT_TRUE(doc.FOpen(path));
    EXPECT_EQ(fs::file_size(folder.Path() / "new/deeper/start.z9m"), 0u);
    EXPECT_EQ(doc.FFile(), path);
    EXPECT_EQ(doc.Count(), 0u);
}

TEST_F(MenuDocumentTest, TheHistoryRecordsFilesLeftAndBackWalksItBackwards) {
    for (const char* name : {"a.z9m", "b.z9m", "c.z9m"})
        WriteMenu(name, {std::string("2><CAPTION>") + name + "</CAPTION>"});
    EXPECT_FALSE(doc.Back());
    ASSERT_TRUE(doc.FOpen("a.z9m"));
    ASSERT_TRUE(doc.FOpen("b.z9m"));
    ASSERT_TRUE(doc.FOpen("c.z9m"));
    EXPECT_EQ(doc.History(), (std::vector<std::string>{"a.z9m", "b.z9m"}));

    ASSERT_TRUE(doc.Revert());
    EXPECT_EQ(doc.FFile(), "c.z9m");
    EXPECT_EQ(doc.History(), (std::vector<std::string>{"a.z9m", "b.z9m"}));

    ASSERT_TRUE(doc.Back());
    EXPECT_EQ(doc.FFile(), "b.z9m");
    ASSERT_TRUE(doc.Back());
    EXPECT_EQ(doc.FFile(), "a.z9m");
    EXPECT_TRUE(doc.History().empty());
    EXPECT_FALSE(doc.HistoryStep());
    EXPECT_FALSE(doc.Back());
}

// ---- CreateMenuFile ----------------------------------------------------------------

TEST_F(MenuDocumentTest, CreatingAsksBeforeEmptyingAnExistingMenu) {
    const fs::path file = WriteMenu("menus/m.z9m", {"2><CAPTION>keep</CAPTION>"});
    const std::string path = file.string();
    messages.Answer(vbNo);
    EXPECT_FALSE(CreateMenuFile(path));
    ASSERT_EQ(messages.Messages().size(), 1u);
    EXPECT_EQ(messages.Messages()[0].text,
              "File: " + path + " already exists.\n\nDo you want overwrite this file?");
    EXPECT_EQ(messages.Messages()[0].style, vbYesNo | vbExclamation);
    EXPECT_EQ(ReadFileBytes(file), MenuFileText({"2><CAPTION>keep</CAPTION>"}));

    messages.Answer(vbYes);
    EXPECT_TRUE(CreateMenuFile(path));
    EXPECT_EQ(fs::file_size(file), 0u);
}

TEST_F(MenuDocumentTest, CreatingWhereNoFolderCanBeMadeSaysSo) {
    folder.Write("plain", "a file, not a folder");
    const std::string path = (folder.Path() / "plain/sub/m.z9m").string();
    EXPECT_FALSE(CreateMenuFile(path));
    ASSERT_EQ(messages.Messages().size(), 1u);
    EXPECT_EQ(messages.Messages()[0].text,
              "Cannot save:\n\n" + path + "\n\n" + SystemErrorText(ERROR_PATH_NOT_FOUND_CODE));
    EXPECT_EQ(messages.Messages()[0].style, vbCritical);
}

// ---- bad input -------------------------------------------------------------------------

// What a failed open must leave: the document exactly as it was.
struct Snapshot {
    explicit Snapshot(const MenuDocument& d)
        : lines(d.Lines()), summaries(d.Summaries()), file(d.FFile()), dirty(d.Dirty()) {}
    bool operator==(const Snapshot&) const = default;
    std::vector<std::string> lines, summaries;
    std::string file;
    bool dirty;
};

TEST_F(MenuDocumentTest, AFileThatCannotBeReadLeavesTheMenuAsItWas) {
    WriteMenu("good.z9m", {"2><CAPTION>good</CAPTION>"});
    ASSERT_TRUE(doc.OpenP8M("good.z9m"));
    ASSERT_TRUE(doc.InsertItem(1, Label("unsaved")));
    const Snapshot before(doc);
    RecordingView view(&doc);
    doc.SetView(&view);

    EXPECT_FALSE(doc.OpenP8M("missing.z9m"));
    fs::create_directory(folder.Path() / "folder.z9m");
    EXPECT_FALSE(doc.OpenP8M("folder.z9m"));
    EXPECT_EQ(messages.Texts(),
              (std::vector<std::string>{
                  "Cannot open:\n\nmissing.z9m\n\n" + SystemErrorText(ERROR_FILE_NOT_FOUND_CODE),
                  "Cannot open:\n\nfolder.z9m\n\n" + SystemErrorText(ERROR_ACCESS_DENIED_CODE)}));
    for (const auto& m : messages.Messages())
        EXPECT_EQ(m.style, vbCritical);
    EXPECT_TRUE(Snapshot(doc) == before);
    EXPECT_TRUE(view.steps.empty());

    // Through FOpen a folder exists, so it is opened and refused the same way.
    messages.Clear();
    messages.Answer(vbNo);
    EXPECT_FALSE(doc.FOpen("folder.z9m"));
    EXPECT_EQ(messages.Texts().back(),
              "Cannot open:\n\nfolder.z9m\n\n" + SystemErrorText(ERROR_ACCESS_DENIED_CODE));
}

TEST_F(MenuDocumentTest, HugeLinesNulBytesAndBinaryFilesOpenAndSave) {
    // One line of 20 MB: read, described, and saved back whole.
    std::string huge = "3><CAPTION>" + std::string(20 << 20, 'x') + "</CAPTION> <LINK>";
    folder.Write("huge.z9m", huge);
    ASSERT_TRUE(doc.OpenP8M("huge.z9m"));
    ASSERT_EQ(doc.Count(), 1u);
    EXPECT_EQ(doc.Item(0).Caption.size(), 20u << 20);
    EXPECT_EQ(doc.Item(0).Link, "");
    ASSERT_TRUE(doc.SaveP8M("huge.z9m"));
    EXPECT_EQ(ReadFileBytes(folder.Path() / "huge.z9m"), huge + "\r\n");

    const char raw[] = "2><CAPTION>a\0b</CAPTION>\0<LINK>\0</LINK>\r\n";
    const std::string nul(raw, sizeof raw - 1);
    folder.Write("zeros.z9m", nul);
    ASSERT_TRUE(doc.OpenP8M("zeros.z9m"));
    ASSERT_EQ(doc.Count(), 1u);
    EXPECT_EQ(doc.Item(0).Caption, std::string("a\0b", 3));
    ASSERT_TRUE(doc.SaveP8M("zeros.z9m"));
    EXPECT_EQ(ReadFileBytes(folder.Path() / "zeros.z9m"), nul);

    std::mt19937 rng(99);
    std::string binary(1 << 20, '\0');
    for (char& c : binary)
        c = static_cast<char>(rng());
    folder.Write("binary.z9m", binary);
    ASSERT_TRUE(doc.OpenP8M("binary.z9m"));
    EXPECT_GT(doc.Count(), 1000u);
    ASSERT_TRUE(doc.SaveP8M("binary.z9m"));
    EXPECT_TRUE(messages.Messages().empty());
}

TEST_F(MenuDocumentTest, SavesThatCannotHappenKeepTheOldFile) {
    const std::vector<std::string> old = {"2><CAPTION>old</CAPTION>"};
    WriteMenu("m.z9m", old);
    ASSERT_TRUE(doc.OpenP8M("m.z9m"));
    ASSERT_TRUE(doc.ReplaceItem(0, Label("new")));

    fs::create_directory(folder.Path() / "dir.z9m");
    EXPECT_FALSE(doc.SaveP8M("dir.z9m"));
    EXPECT_FALSE(doc.SaveP8M("no such folder\\m.z9m"));
    EXPECT_EQ(messages.Texts(),
              (std::vector<std::string>{
                  "Cannot save:\n\ndir.z9m\n\n" + SystemErrorText(ERROR_ACCESS_DENIED_CODE),
                  "Cannot save:\n\nno such folder\\m.z9m\n\n" + SystemErrorText(ERROR_PATH_NOT_FOUND_CODE)}));
    EXPECT_TRUE(doc.Dirty());
    EXPECT_EQ(doc.FFile(), "m.z9m");
    EXPECT_EQ(ReadFileBytes(folder.Path() / "m.z9m"), MenuFileText(old));
}

#ifndef _WIN32
// ---- what only a POSIX host can stage: permissions, a full disk -------------

// A menu named in the code page is the file the host names in its own
// encoding (here code page 1252 to UTF-8, as the program installs it).
TEST_F(MenuDocumentTest, NamesAboveAsciiReachTheDiskInTheHostsEncoding) {
    auto latin1ToUtf8 = [](const std::string& ansi) {
        std::string out;
        for (unsigned char c : ansi) {
            if (c < 0x80) {
                out += static_cast<char>(c);
            } else {
                out += static_cast<char>(0xC0 | c >> 6);
                out += static_cast<char>(0x80 | (c & 0x3F));
            }
        }
        return out;
    };
    SetHostTextConversion(latin1ToUtf8, nullptr);
    const std::string name = "Men\xFC\\\xDC"
                             "bersicht.z9m"; // Menü\Übersicht.z9m
    messages.Answer(vbYes);
    const bool opened = doc.FOpen(name);
    const bool saved = doc.InsertItem(0, Label("x")) && doc.SaveP8M(name);
    SetHostTextConversion(nullptr, nullptr);
    ASSERT_TRUE(opened && saved);
    EXPECT_EQ(ReadFileBytes(folder.Path() / "Men\xC3\xBC" /
                            "\xC3\x9C"
                            "bersicht.z9m"),
              MenuFileText({WriteItem(Label("x"))}));
    EXPECT_EQ(doc.FFile(), name);
}

TEST_F(MenuDocumentTest, AFileWithoutReadPermissionIsRefused) {
    if (::geteuid() == 0) GTEST_SKIP() << "permissions do not bind the super-user";
    WriteMenu("locked.z9m", {"2><CAPTION>x</CAPTION>"});
    fs::permissions(folder.Path() / "locked.z9m", fs::perms::none);
    EXPECT_FALSE(doc.OpenP8M("locked.z9m"));
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{"Cannot open:\n\nlocked.z9m\n\n" +
                                                         SystemErrorText(ERROR_ACCESS_DENIED_CODE)});
    EXPECT_EQ(doc.Count(), 0u);
    EXPECT_EQ(doc.FFile(), "");
}

TEST_F(MenuDocumentTest, AReadOnlyFolderKeepsItsMenu) {
    if (::geteuid() == 0) GTEST_SKIP() << "permissions do not bind the super-user";
    const fs::path file = WriteMenu("ro/m.z9m", {"2><CAPTION>old</CAPTION>"});
    ASSERT_TRUE(doc.OpenP8M("ro/m.z9m"));
    ASSERT_TRUE(doc.ReplaceItem(0, Label("new")));
    fs::permissions(folder.Path() / "ro", fs::perms(0555));
    EXPECT_FALSE(doc.SaveP8M("ro/m.z9m"));
    fs::permissions(folder.Path() / "ro", fs::perms(0755));
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{"Cannot save:\n\nro/m.z9m\n\n" +
                                                         SystemErrorText(ERROR_ACCESS_DENIED_CODE)});
    EXPECT_TRUE(doc.Dirty());
    EXPECT_EQ(ReadFileBytes(file), MenuFileText({"2><CAPTION>old</CAPTION>"}));
    EXPECT_EQ(FolderEntries(folder.Path() / "ro"), std::vector<std::string>{"m.z9m"});
}

TEST_F(MenuDocumentTest, ADiskThatFillsUpDuringTheSaveKeepsTheOldMenu) {
    const std::string old = MenuFileText({"2><CAPTION>old</CAPTION>"});
    folder.Write("m.z9m", old);
    ASSERT_TRUE(doc.OpenP8M("m.z9m"));
    ASSERT_TRUE(doc.ReplaceItem(0, Label(std::string(200000, 'n'))));

    // The file system lets no file grow past 64 KiB: the write fails midway.
    const std::string result = test::RunWithFileSizeLimit(65536, [&] {
        const bool saved = doc.SaveP8M("m.z9m");
        const auto texts = messages.Texts();
        return std::string(saved ? "saved" : "refused") + (doc.Dirty() ? ", dirty: " : ", clean: ") +
               (texts.empty() ? std::string() : texts.back());
    });
    EXPECT_EQ(result, "refused, dirty: Cannot save:\n\nm.z9m\n\nFile too large");
    EXPECT_EQ(ReadFileBytes(folder.Path() / "m.z9m"), old);
    EXPECT_EQ(FolderEntries(folder.Path()), (std::vector<std::string>{"home", "m.z9m", "registry", "unc"}));
}
#endif

} // namespace
} // namespace z9
