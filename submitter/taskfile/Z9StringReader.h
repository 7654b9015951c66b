#pragma once
// A line reader over one text: the task file reader walks its lines with it.
#include <string>

namespace z9 {

class Z9StringReader {
public:
    Z9StringReader() = default;
    explicit Z9StringReader(std::string text) : text_(std::move(text)) {}

    // Replaces the text and starts again at its beginning.
    void toString(std::string text);
    const std::string& toString() const { return text_; }

    // The next line without its delimiter; empty at the end of the text.
    std::string ReadNextLine();
    // Back to the start of the previous line.
    void SkipOneBack();
    // Past the current line.
    void SkipOneForward();
    // True once the position is beyond the end of the text.
    bool IsEOF() const { return pos_ >= text_.size(); }
    void ResetPosition() { pos_ = 0; }

    // Default CR LF; an empty delimiter is ignored.
    const std::string& Delimiter() const { return delimiter_; }
    void Delimiter(const std::string& delimiter);

    // With doubled delimiters on, a delimiter written twice is part of the line
    // and comes back single.
    bool DoubledDelimiters() const { return doubled_; }
    void DoubledDelimiters(bool on) { doubled_ = on; }

    // The 1-based position of the next character to read.
    std::size_t Position() const { return pos_ + 1; }

private:
    std::string text_;
    std::string delimiter_ = "\r\n";
    std::size_t pos_ = 0; // 0-based
    bool doubled_ = false;
};

} // namespace z9
