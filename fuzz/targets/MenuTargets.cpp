// The menu file and its item lines.
#include "fuzz/FuzzTarget.h"

#include "common/LineBreaks.h"
#include "common/PlainFile.h"
#include "menu/document/MenuDocument.h"

#include <climits>
#include <cmath>
#include <cstdint>

namespace z9::fuzz {
namespace {

// The file as a save writes the lines read from it: every line ended by CR
// LF, a lone CR taken as a line end.
std::string WithCrLfEnds(std::string_view input) {
    std::string out;
    for (std::size_t i = 0; i < input.size(); ++i) {
        if (input[i] != '\r') {
            out += input[i];
            continue;
        }
        out += "\r\n";
        if (i + 1 < input.size() && input[i + 1] == '\n') ++i;
    }
    if (!out.empty() && (out.size() < 2 || out.compare(out.size() - 2, 2, "\r\n") != 0)) out += "\r\n";
    return out;
}

// A line as a save writes it back: every break in it (character 1, and a lone
// LF or a character 26 left there by hand) is one character 1.
std::string SavedLine(std::string line) {
    for (char& c : line)
        if (c == '\x01' || c == '\n' || c == '\x1a') c = '\x01';
    return line;
}

// An item's text as it reads back from its line: every break, however it was
// written (CR LF, a lone CR or LF, character 1 or 26), is CR LF.
std::string ReadBackText(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        if (c == '\r' || c == '\n' || c == '\x01' || c == '\x1a')
            out += "\r\n";
        else
            out += c;
    }
    return out;
}

// True when a text holds one of the line's own tags: the format has no escape,
// so such a text cannot be told from the tags round it.
bool HoldsTag(const std::string& text) {
    for (std::string_view tag : kItemTags)
        if (text.find("<" + std::string(tag) + ">") != std::string::npos ||
            text.find("</" + std::string(tag) + ">") != std::string::npos)
            return true;
    return false;
}

std::uint64_t Fnv1a(std::string_view bytes) {
    std::uint64_t hash = 14695981039346656037ull;
    for (unsigned char c : bytes)
        hash = (hash ^ c) * 1099511628211ull;
    return hash;
}

std::string FileBytes(const std::string& path) {
    std::string bytes;
    Z9_FUZZ_CHECK(ReadPlainFile(path, UINT64_MAX, bytes));
    return bytes;
}

} // namespace

// Any bytes: the lines come back as the file had them, every line reads as an
// item without a crash, an item whose texts hold no "<" is written and read
// back unchanged, and a line's breaks survive a save and a reload.
void MenuFile(std::string_view input) {
    const std::vector<std::string> lines = SplitMenuLines(input);
    Z9_FUZZ_EQ(MenuFileText(lines), WithCrLfEnds(input));

    for (const std::string& line : lines) {
        Z9_FUZZ_CHECK(line.find('\r') == std::string::npos);
        const MenuItem item = ReadItem(line);
        Z9_FUZZ_CHECK(item.Type >= 0 && item.Type <= 9);
        Z9_FUZZ_CHECK(item.Font.Size >= 1);
        Z9_FUZZ_CHECK(!item.Font.Name.empty());
        const std::string summary = DescribeItem(ItemTypeName(item.Type), item);
        Z9_FUZZ_CHECK(summary.rfind("Type = ", 0) == 0);

        const std::string written = WriteItem(item);
        Z9_FUZZ_CHECK(written.compare(0, 2, std::to_string(item.Type) + ">") == 0);
        const bool plain = item.Caption.find('<') == std::string::npos &&
                           item.Link.find('<') == std::string::npos &&
                           item.Font.Name.find('<') == std::string::npos;
        if (plain) Z9_FUZZ_CHECK(ReadItem(written) == item);

        // Read (character 1 and a hand-made break to CR LF), then saved (every
        // break to character 1): each break is one character 1 in the file.
        Z9_FUZZ_EQ(EncodeValue(DecodeValue(line)), SavedLine(line));
    }
}

// A whole menu file opened and saved as the menu window does it. Saved with no
// edit, every line comes back byte for byte, ended by CR LF; a break in a line
// comes back as character 1 however the file had it. With one field of one
// item changed (which item and field the input decides), the other lines stay
// as they were and the item reads back as it was made: its breaks as CR LF,
// its size a whole number, unless one of its texts holds a tag of the line.
void MenuRoundTrip(std::string_view input) {
    const std::string path = ScratchFolder() + "/roundtrip.z9m";
    WriteWholeFile(path, input);
    MessageCounter messages;
    MenuDocument doc;
    Z9_FUZZ_CHECK(doc.OpenP8M(path));
    std::vector<std::string> expected;
    for (const std::string& line : SplitMenuLines(input))
        expected.push_back(SavedLine(line));
    Z9_FUZZ_EQ(static_cast<long long>(doc.Count()), static_cast<long long>(expected.size()));

    Z9_FUZZ_CHECK(doc.SaveP8M(path));
    Z9_FUZZ_CHECK(!doc.Dirty());
    Z9_FUZZ_EQ(FileBytes(path), MenuFileText(expected));
    MenuDocument reopened;
    Z9_FUZZ_CHECK(reopened.OpenP8M(path));
    Z9_FUZZ_CHECK(reopened.Lines() == doc.Lines());

    if (doc.Count() > 0) {
        const std::uint64_t h = Fnv1a(input);
        const std::size_t row = h % doc.Count();
        MenuItem item = doc.Item(row);
        const std::string text(input.substr((h >> 24) % input.size(), 1 + (h >> 40) % 48));
        switch ((h >> 8) % 7) {
        case 0:
            item.Type = static_cast<std::int16_t>((h >> 16) % 10);
            break;
        case 1:
            item.Caption = text;
            break;
        case 2:
            item.Link = text;
            break;
        case 3:
            item.Font.Name = text;
            break;
        case 4: // the font dialog's sizes, halves included
            item.Font.Size = 1 + static_cast<double>((h >> 16) % (SHRT_MAX - 1)) + ((h >> 32) & 1 ? 0.5 : 0);
            break;
        case 5:
            item.Font.Bold = !item.Font.Bold;
            item.Font.Italic ^= (h >> 16) & 1;
            item.Font.Underline ^= (h >> 17) & 1;
            item.Font.Strikethrough ^= (h >> 18) & 1;
            break;
        default:
            item.FontColor = static_cast<std::int32_t>(h >> 16);
            item.Font.Charset = static_cast<std::int16_t>(h >> 48);
            break;
        }
        Z9_FUZZ_CHECK(doc.ReplaceItem(row, item));
        Z9_FUZZ_CHECK(doc.Dirty());
        Z9_FUZZ_CHECK(doc.SaveP8M(path));

        const std::vector<std::string> lines = SplitMenuLines(FileBytes(path));
        Z9_FUZZ_EQ(static_cast<long long>(lines.size()), static_cast<long long>(expected.size()));
        for (std::size_t i = 0; i < lines.size(); ++i)
            if (i != row) Z9_FUZZ_EQ(lines[i], expected[i]);
        MenuDocument edited;
        Z9_FUZZ_CHECK(edited.OpenP8M(path));
        if (!HoldsTag(item.Caption) && !HoldsTag(item.Link) && !HoldsTag(item.Font.Name)) {
            MenuItem made = item;
            made.Caption = ReadBackText(item.Caption);
            made.Link = ReadBackText(item.Link);
            made.Font.Name = ReadBackText(item.Font.Name);
            if (made.Font.Name.empty()) made.Font.Name = DefaultItemFont().Name;
            made.Font.Size = std::nearbyint(item.Font.Size); // half to even
            Z9_FUZZ_CHECK(edited.Item(row) == made);
        }
    }
    Z9_FUZZ_EQ(messages.Count(), 0);
}

} // namespace z9::fuzz
