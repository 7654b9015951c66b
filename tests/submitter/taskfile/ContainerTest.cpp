#include "submitter/taskfile/Container.h"
#include "submitter/taskfile/Z9StringReader.h"

#include <gtest/gtest.h>

#include <random>
#include <set>
#include <vector>

namespace z9 {
namespace {

std::string RandomBytes(std::mt19937& rng, std::size_t n, int lo = 0, int hi = 255) {
    std::uniform_int_distribution<int> byte(lo, hi);
    std::string s(n, '\0');
    for (char& c : s)
        c = static_cast<char>(byte(rng));
    return s;
}

std::vector<std::string> Lines(const std::string& text) {
    Z9StringReader r(text);
    std::vector<std::string> lines;
    while (!r.IsEOF())
        lines.push_back(r.ReadNextLine());
    return lines;
}

std::string Join(const std::vector<std::string>& lines) {
    std::string out;
    for (std::size_t i = 0; i < lines.size(); ++i)
        out += (i ? "\r\n" : "") + lines[i];
    return out;
}

TEST(HexDecode, SkipsWhatIsNotAnUppercaseDigitAndDropsAnOddOneAndReadsHexEncode) {
    EXPECT_EQ(HexDecode("41 42x43"), "ABC");
    EXPECT_EQ(HexDecode("4a41"), "D"); // lower-case a skipped, trailing 1 dropped
    EXPECT_EQ(HexDecode("00FF7F"), std::string("\x00\xFF\x7F", 3));
    EXPECT_EQ(HexDecode(""), "");
    EXPECT_EQ(HexDecode("F"), "");
    std::string all;
    for (int c = 0; c < 256; ++c)
        all.push_back(static_cast<char>(c));
    EXPECT_EQ(HexEncode("\x01\xAB z"), "01AB207A");
    EXPECT_EQ(HexDecode(HexEncode(all)), all);
}

TEST(EncipherLine, EveryChunkLengthRoundTripsInPrintableSymbols) {
    std::mt19937 rng(7);
    for (int round = 0; round < 20; ++round) {
        for (std::size_t n = 1; n <= kContainerChunk; ++n) {
            const std::string chunk = RandomBytes(rng, n);
            const std::string line = EncipherLine(chunk);
            // Six header symbols in front, six to ten behind, four symbols per three bytes.
            const std::size_t body = n / 3 * 4 + (n % 3 ? n % 3 + 1 : 0);
            EXPECT_GE(line.size(), 12 + body);
            EXPECT_LE(line.size(), 16 + body);
            for (char c : line)
                ASSERT_TRUE(c >= 33 && c <= 126) << "byte " << int(c);
            ASSERT_EQ(DecipherLine(line), chunk) << "length " << n;
        }
    }
}

TEST(EncipherLine, SameChunkEnciphersDifferentlyEachTime) {
    const std::string chunk = "<TASKNAME>Nightly backup</TASKNAME>";
    std::set<std::string> lines;
    for (int i = 0; i < 20; ++i)
        lines.insert(EncipherLine(chunk));
    EXPECT_GT(lines.size(), 15u);
}

TEST(DecipherLine, GarbageInGivesGarbageOutWithoutFailing) {
    EXPECT_EQ(DecipherLine(""), "");
    EXPECT_EQ(DecipherLine("short"), "");
    std::mt19937 rng(3);
    for (int i = 0; i < 200; ++i)
        DecipherLine(RandomBytes(rng, i % 90)); // must not crash
    // A body of one symbol over a multiple of four is ignored, not read past.
    std::string line = EncipherLine("abc");
    line.insert(10, "N");
    EXPECT_LE(DecipherLine(line).size(), 3u);
}

TEST(BuildContainer, LayoutOfTheLines) {
    const std::vector<std::string> empty = Lines(BuildContainer(""));
    ASSERT_EQ(empty.size(), 6u);
    EXPECT_EQ(empty[0], kContainerLine1);
    EXPECT_EQ(empty[1], kContainerLine2);
    EXPECT_EQ(empty[2].size(), 40u);
    EXPECT_EQ(empty[4].size(), 40u);
    EXPECT_NE(empty[2], empty[4]); // opening and closing markers differ
    EXPECT_EQ(empty[5], kContainerEnd);
    ASSERT_EQ(empty[3].size(), 40u);
    for (char c : empty[3])
        EXPECT_GE(static_cast<unsigned char>(c), 32);

    EXPECT_EQ(Lines(BuildContainer(std::string(40, 'x'))).size(), 7u);
    const std::vector<std::string> two = Lines(BuildContainer(std::string(41, 'x')));
    ASSERT_EQ(two.size(), 8u);
    EXPECT_EQ(two[2], empty[2]);
    EXPECT_EQ(two[6], empty[4]);
}

std::string Opened(const std::string& container) {
    Z9StringReader r(container);
    return OpenContainer(r) ? r.toString() : "<not a container>";
}

// A saved task streams through the writer: text fed in pieces of any size
// gives the lines a whole text gives, and the container leaves in pieces, so
// a large task is never held twice.
TEST(ContainerWriter, PiecesInGiveTheSameLinesAndPiecesOut) {
    std::mt19937 rng(5);
    const std::string plain = RandomBytes(rng, 300000);
    std::vector<std::size_t> pieces;
    std::string container;
    ContainerWriter writer([&](std::string_view piece) {
        pieces.push_back(piece.size());
        container.append(piece);
        return true;
    });
    const std::size_t steps[] = {1, 7, 39, 40, 41, 333, 4096};
    for (std::size_t at = 0, i = 0; at < plain.size(); at += steps[i++ % 7])
        ASSERT_TRUE(writer.Add(std::string_view(plain).substr(at, steps[i % 7])));
    ASSERT_TRUE(writer.Finish());

    EXPECT_EQ(Opened(container), plain);
    const std::vector<std::string> lines = Lines(container);
    ASSERT_EQ(lines.size(), 6u + (plain.size() + 39) / 40);
    for (std::size_t i = 4; i + 2 < lines.size(); ++i)
        ASSERT_EQ(DecipherLine(lines[i]), plain.substr((i - 4) * 40, 40)) << i;
    ASSERT_GT(pieces.size(), 5u);
    for (std::size_t size : pieces)
        EXPECT_LE(size, PieceWriter::kPieceSize + 80);
    EXPECT_EQ(Lines(BuildContainer(plain)).size(), lines.size());
}

TEST(ContainerWriter, AFailingSinkStopsTheWriting) {
    int calls = 0;
    ContainerWriter writer([&](std::string_view) {
        ++calls;
        return false;
    });
    const std::string plain(200000, 'p');
    EXPECT_FALSE(writer.Add(plain));
    EXPECT_EQ(calls, 1);
    EXPECT_FALSE(writer.Add(plain));
    EXPECT_FALSE(writer.Finish());
    EXPECT_EQ(calls, 1);
}

TEST(OpenContainer, OpensToThePlainTextWhateverItHolds) {
    std::mt19937 rng(11);
    for (std::size_t n : {0, 1, 39, 40, 41, 80, 1000, 4097}) {
        const std::string plain = RandomBytes(rng, n);
        const std::string a = BuildContainer(plain), b = BuildContainer(plain);
        if (n > 0) {
            EXPECT_NE(a, b);
        }
        for (const std::string& text : {a, b}) {
            Z9StringReader r(text);
            r.DoubledDelimiters(true);
            r.ReadNextLine();
            ASSERT_TRUE(OpenContainer(r)) << n;
            EXPECT_EQ(r.toString(), plain);
            EXPECT_EQ(r.Position(), 1u);
            EXPECT_TRUE(r.DoubledDelimiters()); // restored
        }
    }
}

TEST(OpenContainer, DamagedContainersAreLeftAsTheyAre) {
    const std::string good =
        BuildContainer("Zorvan File Version 1.0\r\n<ZORVAN>\r\n" + std::string(100, 'v'));
    const std::vector<std::string> lines = Lines(good);
    ASSERT_EQ(lines.size(), 10u);

    std::vector<std::string> damaged;
    auto without = [&](std::size_t i) {
        auto copy = lines;
        copy.erase(copy.begin() + static_cast<long>(i));
        return Join(copy);
    };
    auto replaced = [&](std::size_t i, const std::string& s) {
        auto copy = lines;
        copy[i] = s;
        return Join(copy);
    };
    damaged.push_back(replaced(0, "<?xml version=\"1.0\"?> "));
    damaged.push_back(replaced(1, "<zorvanfile version=\"1.0\" encrypted=\"yes\">"));
    // Four body lines (4 to 7), the closing marker at 8.
    damaged.push_back(replaced(2, lines[8])); // third line is not the opening marker
    damaged.push_back(replaced(3, ""));       // empty padding
    damaged.push_back(without(8));            // no closing marker: runs out of text
    damaged.push_back(without(9));            // nothing after the closing marker
    damaged.push_back(replaced(9, "</zorvanfile >"));
    damaged.push_back(good.substr(0, good.size() / 2)); // truncated
    damaged.push_back(Join({lines[0], lines[1]}));
    for (std::size_t i = 0; i < damaged.size(); ++i) {
        Z9StringReader r(damaged[i]);
        r.ReadNextLine();
        EXPECT_FALSE(OpenContainer(r)) << "case " << i;
        EXPECT_EQ(r.toString(), damaged[i]);
        EXPECT_EQ(r.Position(), 1u);
    }

    // The plain text itself is not a container either.
    Z9StringReader plain("Zorvan File Version 1.0\r\n<ZORVAN>");
    EXPECT_FALSE(OpenContainer(plain));
}

TEST(ScrambleValue, LengthsOfTheScrambledForm) {
    EXPECT_EQ(ScrambleValue("abcdef").size(), 14u);
    EXPECT_EQ(ScrambleValue("abc").size(), 12u);
    EXPECT_EQ(ScrambleValue("a").size(), 12u);
    EXPECT_EQ(ScrambleValue(std::string(128, 'p')).size(), 258u);
    EXPECT_EQ(ScrambleValue(std::string(129, 'p')), "");
    EXPECT_EQ(ScrambleValue(""), "");
    const std::string hex = ScrambleValue("Secret-42");
    EXPECT_EQ(hex.find_first_not_of("0123456789ABCDEF"), std::string::npos);
}

TEST(ScrambleValue, EveryLengthAndEveryByteUnscramblesBack) {
    std::mt19937 rng(5);
    for (std::size_t n = 1; n <= 128; ++n) {
        for (int round = 0; round < 5; ++round) {
            const std::string value = RandomBytes(rng, n);
            const std::string hex = ScrambleValue(value);
            ASSERT_EQ(UnscrambleValue(hex), value) << "length " << n;
        }
    }
}

TEST(ScrambleValue, ShortValuesGetRandomFillerLongOnesDoNot) {
    std::set<std::string> shortForms, longForms;
    for (int i = 0; i < 10; ++i) {
        shortForms.insert(ScrambleValue("pw"));
        longForms.insert(ScrambleValue("password"));
    }
    EXPECT_GT(shortForms.size(), 1u);
    EXPECT_EQ(longForms.size(), 1u);
    for (const auto& s : shortForms)
        EXPECT_EQ(UnscrambleValue(s), "pw");
}

// Flips one bit of the byte at 1-based position pos of a hexadecimal text.
std::string FlipBit(std::string hex, std::size_t pos, int bit) {
    std::string bytes = HexDecode(hex);
    bytes[pos - 1] = static_cast<char>(bytes[pos - 1] ^ (1 << bit));
    return HexEncode(bytes);
}

TEST(UnscrambleValue, RefusesWhatCannotHoldAValue) {
    EXPECT_EQ(UnscrambleValue(""), "");
    EXPECT_EQ(UnscrambleValue(std::string(260, 'A')), "");
    EXPECT_EQ(UnscrambleValue("0A0B0C"), ""); // shorter than the block

    // The length byte of a 5-character value is 101 in binary: its low pair sits
    // in byte 6, its 2-3 pair in byte 4 and its top pair in byte 1.
    const std::string hex = ScrambleValue("abcde");
    ASSERT_EQ(UnscrambleValue(hex), "abcde");
    EXPECT_EQ(UnscrambleValue(FlipBit(FlipBit(hex, 6, 0), 4, 2)), ""); // length 0
    EXPECT_EQ(UnscrambleValue(FlipBit(hex, 1, 7)), "");                // length 133
    EXPECT_EQ(UnscrambleValue(FlipBit(hex, 6, 1)), "");                // length 7: more than the block holds
}

} // namespace
} // namespace z9
