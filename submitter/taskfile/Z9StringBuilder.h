#pragma once
// A list of strings joined into one text: the task file writer builds its lines with it.
#include <string>
#include <vector>

namespace z9 {

class Z9StringBuilder {
public:
    void AppendElement(std::string s) { items_.push_back(std::move(s)); }
    // Adds s with every default delimiter in it doubled, so a reader with
    // doubled delimiters on gets it back as one line.
    void AppendElementWithDefDelim(const std::string& s);

    // 0-based; out of range changes nothing and reads empty.
    void UpdateElement(std::size_t index, std::string s);
    std::string GetElement(std::size_t index) const;
    void removeLastElement();
    std::size_t Elements() const { return items_.size(); }
    void Reset() { items_.clear(); }
    // Room for n elements, so a builder of known size never moves its elements.
    void Reserve(std::size_t n) { items_.reserve(n); }
    const std::vector<std::string>& Items() const { return items_; }

    // Joined with nothing, or with d, between the elements.
    std::string toString() const { return toDelimitedString({}); }
    std::string toDelimitedString(const std::string& d) const;

    // The delimiter AppendElementWithDefDelim doubles; CR LF unless set.
    const std::string& DefaultDelimiter() const { return defDelim_; }
    void DefaultDelimiter(const std::string& d) {
        if (!d.empty()) defDelim_ = d;
    }

private:
    std::vector<std::string> items_;
    std::string defDelim_ = "\r\n";
};

} // namespace z9
