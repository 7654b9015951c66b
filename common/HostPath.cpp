#include "HostPath.h"

#include "HostText.h"
#include "Program.h"

namespace z9 {

std::string UncRoot() {
    std::string root = EnvVar("Z9_UNC_ROOT");
    if (root.empty()) root = "/mnt/unc";
    while (root.size() > 1 && root.back() == '/')
        root.pop_back();
    return root;
}

bool IsUncPath(const std::string& path) {
    auto sep = [](char c) { return c == '\\' || c == '/'; };
    return path.size() > 2 && sep(path[0]) && sep(path[1]) && !sep(path[2]);
}

std::string HostFileName(const std::string& path) {
    return HostPath(ToHostText(path));
}

} // namespace z9
