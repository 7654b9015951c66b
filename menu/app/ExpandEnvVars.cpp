#include "menu/app/ExpandEnvVars.h"

#include "common/HostText.h"
#include "common/Program.h"

namespace z9 {
namespace {

constexpr std::size_t kLongestName = 30;

} // namespace

std::string EnvironmentValue(const std::string& name) {
    if (name.empty()) return {};
    return FromHostText(EnvVar(ToHostText(name).c_str()));
}

std::string ExpandEnvVars(const std::string& text) {
    if (text.size() < 3 || text.find('%') == std::string::npos) return text;
    std::string out;
    out.reserve(text.size());
    size_t i = 0;
    while (i < text.size()) {
        size_t open = text.find('%', i);
        if (open == std::string::npos) {
            out.append(text, i, std::string::npos);
            break;
        }
        out.append(text, i, open - i);
        size_t close = text.find('%', open + 1);
        if (close == std::string::npos) {
            out.append(text, open, std::string::npos);
            break;
        }
        const std::string name = text.substr(open + 1, close - open - 1);
        std::string value = name.size() <= kLongestName ? EnvironmentValue(name) : std::string();
        if (!value.empty()) {
            out += value;
            i = close + 1;
        } else {
            out += '%';
            out += name;
            i = close;
        }
    }
    return out;
}

} // namespace z9
