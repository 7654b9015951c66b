#include "Z9StringBuilder.h"

namespace z9 {

void Z9StringBuilder::AppendElementWithDefDelim(const std::string& s) {
    std::string doubled;
    doubled.reserve(s.size());
    std::size_t from = 0;
    for (std::size_t at; (at = s.find(defDelim_, from)) != std::string::npos; from = at + defDelim_.size())
        doubled.append(s, from, at - from).append(defDelim_).append(defDelim_);
    doubled.append(s, from, std::string::npos);
    items_.push_back(std::move(doubled));
}

void Z9StringBuilder::UpdateElement(std::size_t index, std::string s) {
    if (index < items_.size()) items_[index] = std::move(s);
}

std::string Z9StringBuilder::GetElement(std::size_t index) const {
    return index < items_.size() ? items_[index] : std::string();
}

void Z9StringBuilder::removeLastElement() {
    if (!items_.empty()) items_.pop_back();
}

std::string Z9StringBuilder::toDelimitedString(const std::string& d) const {
    std::size_t total = 0;
    for (const auto& s : items_)
        total += s.size() + d.size();
    std::string out;
    out.reserve(total);
    for (std::size_t i = 0; i < items_.size(); ++i) {
        if (i) out += d;
        out += items_[i];
    }
    return out;
}

} // namespace z9
