// Z9QueueServer: a development stand-in for the Zorvan server's job queue.
// It publishes the queue of one server under $Z9_UNC_ROOT/<SERVER>/$JQ and
// answers the submitter's requests there.
#include "QueueServer.h"

#include "common/Clock.h"
#include "common/HostPath.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>

namespace {

const char* const kUsage =
    "Usage: Z9QueueServer [options]\n"
    "  --server NAME        server whose queue is published (default ZORVAN)\n"
    "  --root FOLDER        the queue folder itself (default $Z9_UNC_ROOT/NAME/$JQ)\n"
    "  --location PATH      queue location written to QPath (default: the queue folder)\n"
    "  --answer TEXT        answer to credential requests (default Granted; Denied, any text)\n"
    "  --silent             never answer credential requests\n"
    "  --reply-delay S      seconds before a credential answer (default 0)\n"
    "  --folder-delay S     seconds before task folders are made (default 0)\n"
    "  --consume            delete requests once handled\n"
    "  --until-task         stop after the first queued task file and print its path\n"
    "  --timeout S          give up after S seconds (exit code 1)\n"
    "  --poll-ms MS         how often the queue is looked at (default 200)\n";

int ToInt(const char* text, const char* option) {
    char* end = nullptr;
    long value = std::strtol(text, &end, 10);
    if (!*text || *end || value < 0 || value > 86400 * 365) {
        std::cerr << "Z9QueueServer: " << option << " needs a whole number of at least 0\n";
        std::exit(2);
    }
    return static_cast<int>(value);
}

} // namespace

int main(int argc, char** argv) {
    using namespace z9;
    std::string server = "ZORVAN";
    std::string root;
    QueueServerOptions options;
    bool untilTask = false;
    int timeout = -1;
    int pollMs = 200;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        auto value = [&]() -> const char* {
            if (i + 1 >= argc) {
                std::cerr << "Z9QueueServer: " << arg << " needs a value\n" << kUsage;
                std::exit(2);
            }
            return argv[++i];
        };
        if (arg == "--server")
            server = value();
        else if (arg == "--root")
            root = value();
        else if (arg == "--location")
            options.queueLocation = value();
        else if (arg == "--answer")
            options.answer = std::string(value());
        else if (arg == "--silent")
            options.answer.reset();
        else if (arg == "--reply-delay")
            options.replyDelaySeconds = ToInt(value(), "--reply-delay");
        else if (arg == "--folder-delay")
            options.folderDelaySeconds = ToInt(value(), "--folder-delay");
        else if (arg == "--consume")
            options.consumeRequests = true;
        else if (arg == "--until-task")
            untilTask = true;
        else if (arg == "--timeout")
            timeout = ToInt(value(), "--timeout");
        else if (arg == "--poll-ms")
            pollMs = std::max(10, ToInt(value(), "--poll-ms"));
        else if (arg == "--help" || arg == "-h") {
            std::cout << kUsage;
            return 0;
        } else {
            std::cerr << "Z9QueueServer: unknown option " << arg << "\n" << kUsage;
            return 2;
        }
    }
    if (server.empty() || server.find_first_of("/\\") != std::string::npos) {
        std::cerr << "Z9QueueServer: not a server name: " << server << "\n";
        return 2;
    }
    if (root.empty()) root = HostPath("\\\\" + server + "\\$JQ");

    QueueServer queue(root, options);
    try {
        queue.Publish();
    } catch (const std::exception& e) {
        std::cerr << "Z9QueueServer: cannot publish the queue in " << root << ": " << e.what() << "\n";
        return 1;
    }
    std::cout << "Z9QueueServer: queue of \\\\" << server << "\\$JQ in " << queue.Root().string()
              << ", queue location " << queue.QueueLocation() << std::endl;

    TimePoint start = Clock::Now();
    for (;;) {
        for (const auto& event : queue.Poll(Clock::Now())) {
            std::cout << event << std::endl;
            if (untilTask && event.rfind("queued task file ", 0) == 0) return 0;
        }
        if (timeout >= 0 && Clock::Now() - start >= std::chrono::seconds(timeout)) {
            std::cerr << "Z9QueueServer: no queued task file within " << timeout << " seconds\n";
            return 1;
        }
        Clock::Sleep(pollMs);
    }
}
