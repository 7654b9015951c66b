#include "HostPath.h"

#include <algorithm>

namespace z9 {

std::string HostPath(const std::string& path) {
    std::string out = IsUncPath(path) ? UncRoot() + "/" + path.substr(2) : path;
    std::replace(out.begin(), out.end(), '\\', '/');
    return out;
}

} // namespace z9
