#pragma once
// Fixtures every test uses: a private temporary folder for the registry, the
// network shares and the working folder; recorded message boxes; a fake clock.
#include "common/Clock.h"
#include "common/MessageBox.h"

#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace z9::test {

// A fresh folder for one test. While it lives, Z9_REGISTRY_DIR, Z9_UNC_ROOT,
// HOME, XDG_CONFIG_HOME and XDG_DATA_HOME point into it and it is the current
// folder; all of that is put back afterwards (to the run's scratch folder,
// TestRun.h). On Windows the registry roots of the process are scratch keys
// meanwhile.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    std::filesystem::path RegistryDir() const { return path_ / "registry"; }
    std::filesystem::path UncRoot() const { return path_ / "unc"; }
    // Writes bytes to a file below the folder (creating parent folders) and returns its path.
    std::filesystem::path Write(const std::string& relative, const std::string& bytes) const;

private:
    struct ScratchRegistry;
    std::filesystem::path path_;
    std::unique_ptr<ScratchRegistry> registry_;
    std::filesystem::path previousCwd_;
    std::vector<std::pair<std::string, std::string>> savedEnv_;
    std::vector<std::string> unsetEnv_;
};

#ifndef _WIN32
// While it lives, no file this process writes may grow past `bytes`: a write
// past it fails ("File too large") instead of ending the process. (Windows
// knows no such limit.)
class FileSizeLimit {
public:
    explicit FileSizeLimit(unsigned long long bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;
    // False when the system would not set the limit.
    bool Set() const { return set_; }

private:
    unsigned long long previous_ = 0;
    void (*previousHandler_)(int) = nullptr;
    bool set_ = false;
};
#endif

// Sets (or, with nullopt, removes) an environment variable while it lives.
class ScopedEnv {
public:
    ScopedEnv(const char* name, std::optional<std::string> value);
    ~ScopedEnv();
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    const char* name_;
    std::optional<std::string> old_;
};

// True when the tests run under Wine rather than on Windows itself: checks of
// what Wine does differently are skipped there, with the reason.
bool RunningUnderWine();
// Windows's wording of one of its error codes; under Wine, whose message table
// words them differently, Wine's own text.
std::string WindowsText(long code, const std::string& wording);

// The default value of HKEY_CLASSES_ROOT\<key> as text, "<missing>" when there is none.
std::string ClassesDefault(const std::string& key);

// Reads a whole file as bytes; empty when it cannot be read.
std::string ReadFileBytes(const std::filesystem::path& path);
// The names of a folder's entries, sorted.
std::vector<std::string> FolderEntries(const std::filesystem::path& folder);

// The examples folder of the source tree.
std::filesystem::path ExamplesDir();
// The folder holding the built programs.
std::filesystem::path BinDir();

struct RecordedMessage {
    std::string text;
    int style = 0;
    std::string title;
};

// Records every message box while it lives and answers from a queue (OK, or
// the default button when the queue is empty).
class MessageRecorder {
public:
    MessageRecorder();
    ~MessageRecorder();
    void Answer(int result) { answers_.push_back(result); }
    const std::vector<RecordedMessage>& Messages() const { return messages_; }
    std::vector<std::string> Texts() const;
    void Clear() { messages_.clear(); }

private:
    MessageHandler previous_;
    std::vector<RecordedMessage> messages_;
    std::deque<int> answers_;
};

// Virtual time: sleeps advance it at once. An action may run on each sleep
// (a fake server that answers after so many virtual seconds).
class FakeClock : public ClockBackend {
public:
    FakeClock();
    ~FakeClock() override;
    TimePoint Now() override { return now_; }
    void Sleep(int ms) override;
    void SleepProcessingEvents(int ms) override;
    void Set(TimePoint t) { now_ = t; }
    void OnSleep(std::function<void(int ms)> action) { onSleep_ = std::move(action); }
    int Sleeps() const { return sleeps_; }
    long long SleptMs() const { return sleptMs_; }

private:
    ClockBackend* previous_;
    TimePoint now_;
    std::function<void(int)> onSleep_;
    int sleeps_ = 0;
    long long sleptMs_ = 0;
};

} // namespace z9::test
