#include "FakeQueueServer.h"

#include "common/HostPath.h"

namespace z9::test {

FakeQueueServer::FakeQueueServer(const std::string& server, const std::string& queueLocation)
    : queue_(HostPath("\\\\" + server + "\\$JQ"), QueueServerOptions{queueLocation}) {
    queue_.Publish();
}

FakeQueueServer::~FakeQueueServer() {
    if (clock_) clock_->OnSleep(nullptr);
}

void FakeQueueServer::Attach(FakeClock& clock) {
    clock_ = &clock;
    clock.OnSleep([this](int) { Poll(); });
    Poll();
}

void FakeQueueServer::Poll() {
    for (auto& event : queue_.Poll(Clock::Now()))
        events_.push_back(std::move(event));
}

std::filesystem::path FakeQueueServer::TaskFolder(const std::string& domain, const std::string& user,
                                                  const std::string& taskName) const {
    return queue_.LocalFolder(Location() + domain + "\\" + user + "\\" + taskName);
}

} // namespace z9::test
