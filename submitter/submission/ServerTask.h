#pragma once
// The Zorvan server's in-process class, reached when the task's server is this
// computer. Behind an interface so the submission can be driven by a stand-in.
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>

namespace z9 {

// A failure of the server object or of a queue file operation; what() is the
// description the user is shown.
class RunTimeError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The members of ZorvanServer.ServerTask the submitter uses. Every member may
// throw RunTimeError when the object fails.
class ServerTask {
public:
    virtual ~ServerTask() = default;
    // The queue location as the server sees it; empty when the server is not configured.
    virtual std::string QueueLocation() = 0;
    // "Granted", "Denied", a server error text or empty. The password is plain.
    virtual std::string ValidateCredentials(const std::string& user, const std::string& password,
                                            const std::string& domain, const std::string& requestKey) = 0;
    // level is "1", "2" or "3".
    virtual bool MkP8Dir(const std::string& user, const std::string& domain, const std::string& path,
                         const std::string& level) = 0;
    // fileName is the bare name of a task file just written to $InQ.
    virtual bool SubmitTask(const std::string& fileName) = 0;
};

// Makes the class's object, or nothing when it cannot be created.
using ServerTaskFactory = std::function<std::unique_ptr<ServerTask>()>;

// The object for server, when server is empty or names this computer and the
// class can be created; otherwise nothing, and the server is reached through
// its queue share.
std::unique_ptr<ServerTask> CreateServerTask(const std::string& server);

// The platform's own way to create the object: COM automation on Windows;
// on Linux the class does not exist and nothing is returned.
std::unique_ptr<ServerTask> PlatformServerTask();

// Replaces the way the class is created (tests); an empty factory restores the
// platform's own, which on Linux never yields an object. Returns the previous one.
ServerTaskFactory SetServerTaskFactory(ServerTaskFactory factory);

} // namespace z9
