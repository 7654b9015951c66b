#include "SystemErrorText.h"

#include <cerrno>
#include <cstring>

namespace z9 {

std::string SystemErrorText(long winError) {
    if (winError >= 0) {
        std::string text = MessageTableText(winError);
        if (!text.empty()) return text;
    }
    switch (winError) {
    case 0:
        return "The operation completed successfully.";
    case 2:
        return "The system cannot find the file specified.";
    case 3:
        return "The system cannot find the path specified.";
    case 5:
        return "Access is denied.";
    case 6:
        return "The handle is invalid.";
    case 8:
        return "Not enough memory resources are available to process this command.";
    case 13:
        return "The data is invalid.";
    case 32:
        return "The process cannot access the file because it is being used by another process.";
    case 53:
        return "The network path was not found.";
    case 67:
        return "The network name cannot be found.";
    case 80:
        return "The file exists.";
    case 86:
        return "The specified network password is not correct.";
    case 87:
        return "The parameter is incorrect.";
    case 112:
        return "There is not enough space on the disk.";
    case 161:
        return "The specified path is invalid.";
    case 1018:
        return "Illegal operation attempted on a registry key that has been marked for deletion.";
    case 1326:
        return "The user name or password is incorrect.";
    default:
        break;
    }
    if (winError < 0) return std::strerror(static_cast<int>(-winError));
    return "Unknown error " + std::to_string(winError) + ".";
}

long WinErrorFromErrno(int err) {
    switch (err) {
    case 0:
        return 0;
    case ENOENT:
        return ERROR_FILE_NOT_FOUND_CODE;
    case ENOTDIR:
        return ERROR_PATH_NOT_FOUND_CODE;
    case EACCES:
    case EPERM:
    case EISDIR:
        return ERROR_ACCESS_DENIED_CODE;
    case EWOULDBLOCK:
        return ERROR_SHARING_VIOLATION_CODE;
    case EEXIST:
        return ERROR_FILE_EXISTS_CODE;
    case ENOSPC:
        return ERROR_DISK_FULL_CODE;
    case ENOMEM:
        return ERROR_NOT_ENOUGH_MEMORY_CODE;
    default:
        return -static_cast<long>(err);
    }
}

std::string ErrnoText(int err) {
    return SystemErrorText(WinErrorFromErrno(err));
}

} // namespace z9
