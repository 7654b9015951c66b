#include "LineBreaks.h"

namespace z9 {

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
    for (char c : text) {
        if (c == '\x01')
            out.append("\r\n");
        else
            out.push_back(c);
    }
    return out;
}

} // namespace z9
