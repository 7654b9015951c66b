#include "ServerTask.h"

#include "JobQueue.h"

namespace z9 {
namespace {

ServerTaskFactory& Factory() {
    static ServerTaskFactory factory;
    return factory;
}

} // namespace

std::unique_ptr<ServerTask> CreateServerTask(const std::string& server) {
    if (!server.empty() && !IsLocalServer(server)) return nullptr;
    return Factory() ? Factory()() : PlatformServerTask();
}

ServerTaskFactory SetServerTaskFactory(ServerTaskFactory factory) {
    ServerTaskFactory previous = std::move(Factory());
    Factory() = std::move(factory);
    return previous;
}

} // namespace z9
