#pragma once
// Connections to a server's network share (\\SERVER\SHARE). On Linux the shares
// are folders under $Z9_UNC_ROOT, mounted there by an administrator.
#include <string>

namespace z9 {

// Adds a connection to resource with no local device, resource type "any" and no
// flags (not remembered in the user's profile). Returns 0 or a Windows error code;
// on Linux 0 when the share's folder exists, else 53 (network path not found).
long AddShareConnection(const std::string& resource, const std::string& user, const std::string& password);

// Cancels the connection without forcing and without updating the profile; the result is ignored.
void CancelShareConnection(const std::string& resource);

} // namespace z9
