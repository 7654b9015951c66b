#include "NetworkShare.h"

#include "common/HostPath.h"
#include "common/SystemErrorText.h"

#ifdef _WIN32
#include <windows.h>
#include <winnetwk.h>
#else
#include <filesystem>
#endif

namespace z9 {

long AddShareConnection(const std::string& resource, const std::string& user, const std::string& password) {
#ifdef _WIN32
    NETRESOURCEA net = {};
    net.dwType = RESOURCETYPE_ANY;
    net.lpLocalName = nullptr;
    net.lpRemoteName = const_cast<char*>(resource.c_str());
    return static_cast<long>(WNetAddConnection2A(&net, password.c_str(), user.c_str(), 0));
#else
    // Authentication belongs to the mount; the share is there or it is not.
    std::error_code ec;
    return std::filesystem::is_directory(HostPath(resource), ec) ? 0L
                                                                 : static_cast<long>(ERROR_BAD_NETPATH_CODE);
#endif
}

void CancelShareConnection(const std::string& resource) {
#ifdef _WIN32
    WNetCancelConnection2A(resource.c_str(), 0, FALSE);
#else
    (void)resource; // nothing was connected
#endif
}

} // namespace z9
