#include "AsciiText.h"

namespace z9 {

std::string UpperAscii(std::string text) {
    for (char& c : text)
        c = UpperAscii(c);
    return text;
}

std::string LowerAscii(std::string text) {
    for (char& c : text)
        c = LowerAscii(c);
    return text;
}

std::size_t FindNoCase(const std::string& text, const std::string& needle, std::size_t from) {
    if (needle.size() > text.size()) return std::string::npos;
    for (std::size_t i = from; i + needle.size() <= text.size(); ++i) {
        std::size_t k = 0;
        while (k < needle.size() && LowerAscii(text[i + k]) == LowerAscii(needle[k]))
            ++k;
        if (k == needle.size()) return i;
    }
    return std::string::npos;
}

} // namespace z9
