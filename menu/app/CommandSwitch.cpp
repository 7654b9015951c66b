#include "menu/app/CommandSwitch.h"

#include "common/AsciiText.h"

namespace z9 {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

bool StartsWord(const std::string& text, std::size_t at) {
    return at == 0 || IsBlank(text[at - 1]);
}

bool EndsWord(const std::string& text, std::size_t end) {
    return end >= text.size() || IsBlank(text[end]);
}

} // namespace

std::size_t FindSwitch(const std::string& text, const std::string& name, SwitchAt which, SwitchEnd end) {
    if (name.empty()) return std::string::npos;
    std::size_t found = std::string::npos;
    for (std::size_t at = FindNoCase(text, name); at != std::string::npos;
         at = FindNoCase(text, name, at + 1)) {
        if (!StartsWord(text, at)) continue;
        if (end == SwitchEnd::WordEnd && !EndsWord(text, at + name.size())) continue;
        if (which == SwitchAt::First) return at;
        found = at;
    }
    return found;
}

} // namespace z9
