#include "ServerTask.h"

namespace z9 {

// The server's class does not exist here: every server is reached through its queue share.
std::unique_ptr<ServerTask> PlatformServerTask() {
    return nullptr;
}

} // namespace z9
