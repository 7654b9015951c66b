#include "LineBreaks.h"

namespace z9 {

// A value never spans lines: CR LF, a lone LF, a lone CR and Ctrl-Z (which
// ends a text file for some readers) are each written as character 1, and
// character 1 reads back as CR LF. A file edited by hand may still hold a lone
// CR, a lone LF or a Ctrl-Z inside a value; they read as CR LF too, as they
// would after the next save. So loading is stable: a value loads the same
// before and after it is saved, and saving it again writes the same bytes. A
// value that holds character 1 itself cannot keep it: it reads back as a line
// break.
std::string EncodeValue(const std::string& value) {
    std::string out;
    out.reserve(value.size());
    for (std::size_t i = 0; i < value.size(); ++i) {
        const char c = value[i];
        if (c == '\r' && i + 1 < value.size() && value[i + 1] == '\n') {
            out.push_back('\x01');
            ++i;
        } else if (c == '\r' || c == '\n' || c == '\x1a') {
            out.push_back('\x01');
        } else {
            out.push_back(c);
        }
    }
    return out;
}

std::string DecodeValue(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            out.append("\r\n");
            ++i;
        } else if (c == '\x01' || c == '\r' || c == '\n' || c == '\x1a') {
            out.append("\r\n");
        } else {
            out.push_back(c);
        }
    }
    return out;
}

} // namespace z9
