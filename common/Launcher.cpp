#include "Launcher.h"

namespace z9 {
namespace {

Launcher* installed = nullptr;

} // namespace

Launcher& CurrentLauncher() {
    return installed ? *installed : SystemLauncher();
}

Launcher* InstallLauncher(Launcher* launcher) {
    Launcher* previous = installed;
    installed = launcher;
    return previous;
}

std::string ExecutableBuffer(const std::string& path) {
    if (path.size() > kExecutableBufferSize) return {};
    std::string buffer = path;
    buffer.resize(kExecutableBufferSize, '\0');
    return buffer;
}

} // namespace z9
