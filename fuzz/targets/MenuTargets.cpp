// The menu file and its item lines.
#include "fuzz/FuzzTarget.h"

#include "common/LineBreaks.h"
#include "menu/document/MenuDocument.h"

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
        std::string expected = line;
        for (char& c : expected)
            if (c == '\x01' || c == '\n' || c == '\x1a') c = '\x01';
        Z9_FUZZ_EQ(EncodeValue(DecodeValue(line)), expected);
    }
}

} // namespace z9::fuzz
