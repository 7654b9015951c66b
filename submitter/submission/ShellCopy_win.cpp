// The multi-file copy on Windows: the shell's own file operation.
#include "ShellCopy.h"

#include <windows.h>

#include <shellapi.h> // after windows.h, whose types it uses

namespace z9 {

int ShellCopyFiles(const std::string& list, const std::string& destination, int flags) {
    std::string to = destination;
    to += '\0';
    SHFILEOPSTRUCTA op = {};
    op.hwnd = nullptr;
    op.wFunc = FO_COPY;
    op.pFrom = list.c_str(); // ends with two NULs: the list's own and the string's
    op.pTo = to.c_str();
    op.fFlags = static_cast<FILEOP_FLAGS>(flags);
    int result = SHFileOperationA(&op);
    if (result == 0 && op.fAnyOperationsAborted) return kCopyCancelled;
    return result;
}

} // namespace z9
