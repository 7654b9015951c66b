#pragma once
// The server's side of the job-queue file protocol, for development and tests:
// it publishes QPath, answers credential requests, makes the task folders with
// their Zorvan.ctf, and leaves queued task files where they land.
#include "common/Clock.h"

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace z9 {

struct QueueServerOptions {
    // The queue's root as the server sees it, written to QPath; folder requests
    // must lie under it. Empty: the queue folder's own path.
    std::string queueLocation;
    // The answer to every credential request; nothing means no answer at all.
    std::optional<std::string> answer = std::string("Granted");
    // Seconds between a request and its answer.
    int replyDelaySeconds = 0;
    int folderDelaySeconds = 0;
    // Delete requests once handled (a real server consumes them); otherwise they
    // stay for inspection and are answered again only when rewritten.
    bool consumeRequests = false;
};

// The fields of one request line ("a","b",...): the outer quotes removed, split at ",".
std::vector<std::string> ParseRequestLine(const std::string& line);

class QueueServer {
public:
    // root is the local folder published as \\SERVER\$JQ.
    QueueServer(std::filesystem::path root, QueueServerOptions options);

    const std::filesystem::path& Root() const { return root_; }
    std::filesystem::path InQ() const { return root_ / "$InQ"; }
    std::filesystem::path JobQ() const { return root_ / "$JobQ"; }
    std::filesystem::path JobR() const { return root_ / "$JobR"; }
    const std::string& QueueLocation() const { return location_; }
    QueueServerOptions& Options() { return options_; }

    // Makes the queue folders and writes QPath.
    void Publish();

    // Handles every request that is due at now. A request counts from the last
    // poll that did not see it. Returns one line per thing done.
    std::vector<std::string> Poll(TimePoint now);

    // The local folder for a path as the server sees it; empty when the path
    // does not lie under the queue location.
    std::filesystem::path LocalFolder(const std::string& serverPath) const;

    // The queued task files (.z9f) in $InQ, by name.
    std::vector<std::filesystem::path> QueuedTasks() const;

private:
    struct Pending {
        std::filesystem::file_time_type written;
        TimePoint since;
        bool done = false;
    };
    bool Handle(const std::filesystem::path& request, TimePoint now, const Pending& pending,
                std::vector<std::string>& events);

    std::filesystem::path root_;
    QueueServerOptions options_;
    std::string location_;
    std::optional<TimePoint> lastPoll_;
    std::map<std::string, Pending> requests_;
    std::map<std::string, std::filesystem::file_time_type> tasksSeen_;
};

} // namespace z9
