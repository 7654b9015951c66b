#include "HostPath.h"

namespace z9 {

// Windows understands the system's paths as they are written, shares included.
std::string HostPath(const std::string& path) {
    return path;
}

} // namespace z9
