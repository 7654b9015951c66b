#include "Z9StringReader.h"

#include <algorithm>

namespace z9 {

void Z9StringReader::toString(std::string text) {
    text_ = std::move(text);
    pos_ = 0;
}

void Z9StringReader::Delimiter(const std::string& delimiter) {
    if (!delimiter.empty()) delimiter_ = delimiter;
}

std::string Z9StringReader::ReadNextLine() {
    if (IsEOF()) return {};
    const std::size_t d = delimiter_.size();
    std::size_t end = text_.find(delimiter_, pos_);
    if (doubled_) {
        // A doubled delimiter belongs to the line; look on past it.
        while (end != std::string::npos && text_.compare(end + d, d, delimiter_) == 0)
            end = text_.find(delimiter_, end + 2 * d);
    }
    std::string line;
    if (end == std::string::npos) {
        line = text_.substr(pos_);
        pos_ = text_.size();
    } else {
        line = text_.substr(pos_, end - pos_);
        pos_ = end + d;
    }
    if (doubled_) {
        const std::string twice = delimiter_ + delimiter_;
        std::string single;
        single.reserve(line.size());
        std::size_t from = 0;
        for (std::size_t at; (at = line.find(twice, from)) != std::string::npos; from = at + twice.size())
            single.append(line, from, at - from).append(delimiter_);
        single.append(line, from, std::string::npos);
        line.swap(single);
    }
    return line;
}

void Z9StringReader::SkipOneBack() {
    const std::size_t d = delimiter_.size();
    std::size_t end = std::min(pos_, text_.size());
    // Step over the delimiter that ended the previous line.
    if (end >= d && text_.compare(end - d, d, delimiter_) == 0) end -= d;
    if (end < d) {
        pos_ = 0;
        return;
    }
    std::size_t at = text_.rfind(delimiter_, end - d);
    pos_ = at == std::string::npos ? 0 : at + d;
}

void Z9StringReader::SkipOneForward() {
    ReadNextLine();
}

} // namespace z9
