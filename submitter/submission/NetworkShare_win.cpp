#include "NetworkShare.h"

#include <windows.h>
#include <winnetwk.h>

namespace z9 {

long AddShareConnection(const std::string& resource, const std::string& user, const std::string& password) {
    NETRESOURCEA net = {};
    net.dwType = RESOURCETYPE_ANY;
    net.lpLocalName = nullptr;
    net.lpRemoteName = const_cast<char*>(resource.c_str());
    return static_cast<long>(WNetAddConnection2A(&net, password.c_str(), user.c_str(), 0));
}

void CancelShareConnection(const std::string& resource) {
    WNetCancelConnection2A(resource.c_str(), 0, FALSE);
}

} // namespace z9
