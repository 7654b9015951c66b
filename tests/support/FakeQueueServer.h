#pragma once
// A queue server for tests: the development server's protocol on the test's
// UNC root, answering from the fake clock's sleeps in virtual time.
#include "TestSupport.h"
#include "tools/queueserver/QueueServer.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace z9::test {

class FakeQueueServer {
public:
    // Publishes \\server\$JQ under $Z9_UNC_ROOT (a TempFolder must be alive).
    explicit FakeQueueServer(const std::string& server,
                             const std::string& queueLocation = "C:\\ZorvanQueue\\");
    ~FakeQueueServer();
    FakeQueueServer(const FakeQueueServer&) = delete;
    FakeQueueServer& operator=(const FakeQueueServer&) = delete;

    // From now on the server looks at its queue on every sleep of clock.
    void Attach(FakeClock& clock);

    void Answer(std::optional<std::string> answer) { queue_.Options().answer = std::move(answer); }
    void ReplyDelay(int seconds) { queue_.Options().replyDelaySeconds = seconds; }
    void FolderDelay(int seconds) { queue_.Options().folderDelaySeconds = seconds; }

    // Looks at the queue once, at the current (virtual) time.
    void Poll();

    QueueServer& Queue() { return queue_; }
    const std::string& Location() const { return queue_.QueueLocation(); }
    std::filesystem::path InQ() const { return queue_.InQ(); }
    std::filesystem::path JobR() const { return queue_.JobR(); }
    // The local folder of DOMAIN\USER\TASKNAME under the queue.
    std::filesystem::path TaskFolder(const std::string& domain, const std::string& user,
                                     const std::string& taskName) const;
    // Everything the server did, in order.
    const std::vector<std::string>& Events() const { return events_; }

private:
    QueueServer queue_;
    FakeClock* clock_ = nullptr;
    std::vector<std::string> events_;
};

} // namespace z9::test
