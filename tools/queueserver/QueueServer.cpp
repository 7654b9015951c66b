#include "QueueServer.h"

#include "common/AsciiText.h"
#include "common/PlainFile.h"
#include "common/SafeFile.h"

#include <algorithm>
#include <fstream>

namespace z9 {
namespace {

namespace fs = std::filesystem;

std::string Slashes(std::string text) {
    std::replace(text.begin(), text.end(), '\\', '/');
    return text;
}

// A request's bytes; empty while it cannot be read.
std::string ReadAll(const fs::path& path) {
    std::string bytes;
    ReadPlainFile(path.string(), 16 << 20, bytes);
    return bytes;
}

// Written under a temporary name and renamed, so the submitter never reads half a file.
bool WriteAtomically(const fs::path& path, const std::string& bytes) {
    return WriteFileSafely(path.string(), bytes);
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find_first_of("\r\n", start);
        if (end == std::string::npos) end = text.size();
        if (end > start) lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

bool EndsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() && LowerAscii(text.substr(text.size() - tail.size())) == tail;
}

} // namespace

std::vector<std::string> ParseRequestLine(const std::string& line) {
    std::string body = line;
    if (!body.empty() && body.front() == '"') body.erase(0, 1);
    if (!body.empty() && body.back() == '"') body.pop_back();
    std::vector<std::string> fields;
    size_t start = 0;
    for (;;) {
        size_t cut = body.find("\",\"", start);
        if (cut == std::string::npos) {
            fields.push_back(body.substr(start));
            return fields;
        }
        fields.push_back(body.substr(start, cut - start));
        start = cut + 3;
    }
}

QueueServer::QueueServer(fs::path root, QueueServerOptions options)
    : root_(std::move(root)), options_(std::move(options)) {
    location_ = options_.queueLocation;
    if (location_.empty()) location_ = fs::absolute(root_).lexically_normal().string();
    if (location_.back() != '\\' && location_.back() != '/')
        location_ += location_.find('\\') != std::string::npos ? '\\' : '/';
}

void QueueServer::Publish() {
    fs::create_directories(JobQ());
    fs::create_directories(InQ());
    fs::create_directories(JobR());
    WriteAtomically(JobQ() / "QPath", "\"" + location_ + "\"\r\n");
    // Task files already queued before this run are not news.
    std::error_code ec;
    for (const auto& task : QueuedTasks())
        tasksSeen_[task.filename().string()] = fs::last_write_time(task, ec);
}

fs::path QueueServer::LocalFolder(const std::string& serverPath) const {
    std::string base = LowerAscii(Slashes(location_));
    std::string path = Slashes(serverPath);
    if (LowerAscii(path).rfind(base, 0) != 0) {
        if (LowerAscii(path) + "/" != base) return {};
        return root_;
    }
    fs::path local = root_;
    std::string rest = path.substr(base.size());
    size_t start = 0;
    while (start <= rest.size()) {
        size_t end = rest.find('/', start);
        if (end == std::string::npos) end = rest.size();
        std::string part = rest.substr(start, end - start);
        if (part == "..") return {};
        if (!part.empty() && part != ".") local /= part;
        start = end + 1;
    }
    return local;
}

std::vector<fs::path> QueueServer::QueuedTasks() const {
    std::vector<fs::path> tasks;
    std::error_code ec;
    for (fs::directory_iterator it(InQ(), ec), end; !ec && it != end; it.increment(ec)) {
        std::string name = it->path().filename().string();
        if (name.front() != '~' && EndsWith(name, ".z9f") && it->is_regular_file())
            tasks.push_back(it->path());
    }
    std::sort(tasks.begin(), tasks.end());
    return tasks;
}

std::vector<std::string> QueueServer::Poll(TimePoint now) {
    std::vector<std::string> events;
    TimePoint since = lastPoll_.value_or(now);
    lastPoll_ = now;

    std::vector<fs::path> entries;
    std::error_code ec;
    for (fs::directory_iterator it(InQ(), ec), end; !ec && it != end; it.increment(ec))
        if (it->is_regular_file()) entries.push_back(it->path());
    std::sort(entries.begin(), entries.end());

    for (const auto& entry : entries) {
        std::string name = entry.filename().string();
        if (name.front() == '~') continue; // still being written
        fs::file_time_type written = fs::last_write_time(entry, ec);
        if (ec) continue;
        if (EndsWith(name, ".z9f")) {
            auto seen = tasksSeen_.find(name);
            if (seen == tasksSeen_.end() || seen->second != written) {
                tasksSeen_[name] = written;
                events.push_back("queued task file " + entry.string());
            }
            continue;
        }
        if (!EndsWith(name, ".urf")) continue;
        auto found = requests_.find(name);
        if (found == requests_.end() || found->second.written != written)
            found = requests_.insert_or_assign(name, Pending{written, since, false}).first;
        Pending& pending = found->second;
        if (pending.done) continue;
        if (Handle(entry, now, pending, events)) {
            pending.done = true;
            if (options_.consumeRequests) {
                fs::remove(entry, ec);
                requests_.erase(found);
            }
        }
    }
    return events;
}

bool QueueServer::Handle(const fs::path& request, TimePoint now, const Pending& pending,
                         std::vector<std::string>& events) {
    std::vector<std::vector<std::string>> lines;
    for (const auto& line : Lines(ReadAll(request)))
        lines.push_back(ParseRequestLine(line));
    if (lines.empty()) return false; // not written yet
    auto due = [&](int seconds) { return now - pending.since >= std::chrono::seconds(seconds); };

    const std::string& kind = lines.front().front();
    if (kind == "CREDENTIALS") {
        if (!due(options_.replyDelaySeconds)) return false;
        const auto& f = lines.front();
        if (f.size() != 5) {
            events.push_back("malformed credential request " + request.filename().string());
            return true;
        }
        if (!options_.answer) {
            events.push_back("credential request " + request.filename().string() + " left unanswered");
            return true;
        }
        fs::path reply = JobR() / fs::path(f[4]).filename();
        fs::create_directories(JobR());
        if (WriteAtomically(reply, "\"" + *options_.answer + "\"\r\n"))
            events.push_back("answered " + f[1] + "@" + f[3] + " with " + *options_.answer + " in " +
                             reply.string());
        else
            events.push_back("cannot write " + reply.string());
        return true;
    }
    if (kind == "DIRECTORY") {
        if (!due(options_.folderDelaySeconds)) return false;
        for (const auto& f : lines) {
            if (f.size() != 5 || f[0] != "DIRECTORY") {
                events.push_back("malformed folder request line in " + request.filename().string());
                continue;
            }
            fs::path folder = LocalFolder(f[3]);
            if (folder.empty()) {
                events.push_back("refused folder outside the queue: " + f[3]);
                continue;
            }
            std::error_code ec;
            fs::create_directories(folder, ec);
            if (ec) {
                events.push_back("cannot make " + folder.string() + ": " + ec.message());
                continue;
            }
            if (f[4] == "3") {
                std::ofstream ctf(folder / "Zorvan.ctf", std::ios::binary | std::ios::trunc);
                ctf << f[1] << "\r\n" << f[2] << "\r\n";
            }
            events.push_back("made folder " + folder.string() + " (level " + f[4] + ")");
        }
        return true;
    }
    events.push_back("unknown request " + request.filename().string());
    return true;
}

} // namespace z9
