// Shares on Linux are folders an administrator mounted under $Z9_UNC_ROOT.
#include "NetworkShare.h"

#include "common/HostPath.h"
#include "common/SystemErrorText.h"

#include <filesystem>

namespace z9 {

long AddShareConnection(const std::string& resource, const std::string& user, const std::string& password) {
    // Authentication belongs to the mount; the share is there or it is not.
    std::error_code ec;
    return std::filesystem::is_directory(HostFileName(resource), ec)
               ? 0L
               : static_cast<long>(ERROR_BAD_NETPATH_CODE);
}

void CancelShareConnection(const std::string&) {
    // Nothing was connected: the mount stays as the administrator made it.
}

} // namespace z9
