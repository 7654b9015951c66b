// The Windows side of the file search: the system's own, in the order it lists the folder.
#include "FileSearch.h"

#include <windows.h>

namespace z9 {

std::string FindFileName(const std::string& path) {
    WIN32_FIND_DATAA data;
    HANDLE found = FindFirstFileA(path.c_str(), &data);
    if (found == INVALID_HANDLE_VALUE) return {};
    FindClose(found);
    return data.cFileName;
}

} // namespace z9
