#pragma once
// The system's description of a failure, as the Windows message table words it.
#include <string>

namespace z9 {

// Windows error codes this layer produces itself.
enum WinError : long {
    ERROR_SUCCESS_CODE = 0,
    ERROR_FILE_NOT_FOUND_CODE = 2,
    ERROR_PATH_NOT_FOUND_CODE = 3,
    ERROR_ACCESS_DENIED_CODE = 5,
    ERROR_NOT_ENOUGH_MEMORY_CODE = 8,
    ERROR_SHARING_VIOLATION_CODE = 32,
    ERROR_BAD_NETPATH_CODE = 53,
    ERROR_BAD_NET_NAME_CODE = 67,
    ERROR_FILE_EXISTS_CODE = 80,
    ERROR_INVALID_PASSWORD_CODE = 86,
    ERROR_DISK_FULL_CODE = 112,
    ERROR_LOGON_FAILURE_CODE = 1326,
};

// The text for a Windows error code, without a trailing line break: the
// system's message table where it has one, else the Windows wording of the
// codes this layer produces, else strerror for a negated errno value.
std::string SystemErrorText(long winError);

// The system's message table entry for a Windows error code, default language,
// without inserts and without its trailing line break; empty when there is
// none. Windows: FormatMessage. Linux has no message table: always empty.
std::string MessageTableText(long winError);

// The Windows code that stands for an errno value (EACCES -> 5, ENOENT -> 2, ...);
// values without one are returned negated so that ErrnoText can still word them.
long WinErrorFromErrno(int err);

// The system's description of an errno value: the Windows wording where one
// exists, otherwise strerror.
std::string ErrnoText(int err);

} // namespace z9
