#include "ShellCopy.h"

namespace z9 {
namespace {

CopyProgressFactory& ProgressFactory() {
    static CopyProgressFactory factory;
    return factory;
}

} // namespace

std::string MakeCopyList(const std::vector<std::string>& paths) {
    std::string list;
    for (const auto& p : paths) {
        list += p;
        list += '\0';
    }
    list += '\0';
    return list;
}

std::vector<std::string> SplitCopyList(const std::string& list) {
    std::vector<std::string> paths;
    size_t start = 0;
    while (start < list.size()) {
        size_t end = list.find('\0', start);
        if (end == std::string::npos) end = list.size();
        if (end == start) break; // the closing NUL
        paths.push_back(list.substr(start, end - start));
        start = end + 1;
    }
    return paths;
}

CopyProgressFactory SetCopyProgressFactory(CopyProgressFactory factory) {
    CopyProgressFactory previous = std::move(ProgressFactory());
    ProgressFactory() = std::move(factory);
    return previous;
}

const CopyProgressFactory& CopyProgressFactoryInUse() {
    return ProgressFactory();
}

} // namespace z9
