#include "TestSupport.h"

#include "common/Program.h"
#include "common/Registry.h"
#include "common/SystemErrorText.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>

#ifdef _WIN32
#include <windows.h>
#else
#include <csignal>
#include <sys/resource.h>
#endif

namespace z9::test {

namespace fs = std::filesystem;

#ifdef _WIN32
// Windows keeps the registry in the system, not in files: while a test folder
// lives, HKEY_CURRENT_USER and HKEY_CLASSES_ROOT of this process are scratch
// keys below HKCU\Software\Z9Tests, so no test touches the real ones.
// A test's folder nests inside the run's (TestRun.h): afterwards the roots are
// the run's scratch keys again, not the real ones.
struct TempFolder::ScratchRegistry {
    std::string path;
    HKEY user = nullptr;
    HKEY classes = nullptr;
    HKEY outerUser = nullptr; // the overrides in force before; nullptr: the real roots
    HKEY outerClasses = nullptr;

    static HKEY& CurrentUser() {
        static HKEY key = nullptr;
        return key;
    }
    static HKEY& CurrentClasses() {
        static HKEY key = nullptr;
        return key;
    }

    explicit ScratchRegistry(const std::string& name)
        : path("Software\\Z9Tests\\" + name), outerUser(CurrentUser()), outerClasses(CurrentClasses()) {
        RegCreateKeyExA(HKEY_CURRENT_USER, (path + "\\HKCU").c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                        &user, nullptr);
        RegCreateKeyExA(HKEY_CURRENT_USER, (path + "\\HKCR").c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                        &classes, nullptr);
        RegOverridePredefKey(HKEY_CURRENT_USER, user);
        RegOverridePredefKey(HKEY_CLASSES_ROOT, classes);
        CurrentUser() = user;
        CurrentClasses() = classes;
    }
    ~ScratchRegistry() {
        RegOverridePredefKey(HKEY_CURRENT_USER, outerUser);
        RegOverridePredefKey(HKEY_CLASSES_ROOT, outerClasses);
        CurrentUser() = outerUser;
        CurrentClasses() = outerClasses;
        RegCloseKey(user);
        RegCloseKey(classes);
        RegDeleteTreeA(HKEY_CURRENT_USER, path.c_str());
        RegDeleteKeyA(HKEY_CURRENT_USER, path.c_str());
    }
};
#else
struct TempFolder::ScratchRegistry {
    explicit ScratchRegistry(const std::string&) {} // the hive files live in the folder itself
};
#endif

TempFolder::TempFolder() {
    std::random_device rd;
    fs::path base = fs::temp_directory_path();
    for (;;) {
        path_ = base / ("z9test-" + std::to_string(rd()) + "-" + std::to_string(rd()));
        std::error_code ec;
        if (fs::create_directory(path_, ec)) break;
    }
    registry_ = std::make_unique<ScratchRegistry>(path_.filename().string());
    fs::create_directories(RegistryDir());
    fs::create_directories(UncRoot());
    fs::create_directories(path_ / "home");
    const std::pair<const char*, fs::path> vars[] = {
        {"Z9_REGISTRY_DIR", RegistryDir()},
        {"Z9_UNC_ROOT", UncRoot()},
        {"HOME", path_ / "home"},
        {"XDG_CONFIG_HOME", path_ / "home" / ".config"},
        {"XDG_DATA_HOME", path_ / "home" / ".local" / "share"},
    };
    for (const auto& [name, value] : vars) {
        if (const char* old = std::getenv(name))
            savedEnv_.emplace_back(name, old);
        else
            unsetEnv_.emplace_back(name);
        SetEnvVar(name, value.string());
    }
    previousCwd_ = fs::current_path();
    fs::current_path(path_);
}

TempFolder::~TempFolder() {
    std::error_code ec;
    fs::current_path(previousCwd_, ec);
    for (const auto& [name, value] : savedEnv_)
        SetEnvVar(name.c_str(), value);
    for (const auto& name : unsetEnv_)
        SetEnvVar(name.c_str(), std::nullopt);
    registry_.reset();
    fs::remove_all(path_, ec);
}

fs::path TempFolder::Write(const std::string& relative, const std::string& bytes) const {
    fs::path target = path_ / relative;
    fs::create_directories(target.parent_path());
    std::ofstream out(target, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return target;
}

#ifndef _WIN32
FileSizeLimit::FileSizeLimit(unsigned long long bytes) {
    struct rlimit limit {};
    if (::getrlimit(RLIMIT_FSIZE, &limit) != 0) return;
    previous_ = limit.rlim_cur;
    previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    limit.rlim_cur = bytes;
    set_ = ::setrlimit(RLIMIT_FSIZE, &limit) == 0;
}

FileSizeLimit::~FileSizeLimit() {
    struct rlimit limit {};
    if (set_ && ::getrlimit(RLIMIT_FSIZE, &limit) == 0) {
        limit.rlim_cur = previous_;
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    if (previousHandler_) std::signal(SIGXFSZ, previousHandler_);
}
#endif

ScopedEnv::ScopedEnv(const char* name, std::optional<std::string> value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    SetEnvVar(name, value);
}

ScopedEnv::~ScopedEnv() {
    SetEnvVar(name_, old_);
}

bool RunningUnderWine() {
#ifdef _WIN32
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
#else
    return false;
#endif
}

std::string WindowsText(long code, const std::string& wording) {
    return RunningUnderWine() ? SystemErrorText(code) : wording;
}

std::string ClassesDefault(const std::string& key) {
    RegKey k;
    RegValue v;
    if (k.Open(RegRoot::ClassesRoot, key) != 0 || k.Query("", v) != 0) return "<missing>";
    return v.Text();
}

std::string ReadFileBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream all;
    all << in.rdbuf();
    return all.str();
}

std::vector<std::string> FolderEntries(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

fs::path ExamplesDir() {
    const char* dir = std::getenv("Z9_EXAMPLES_DIR");
    return dir ? fs::path(dir) : fs::path(Z9_SOURCE_DIR) / "examples";
}

fs::path BinDir() {
    const char* dir = std::getenv("Z9_BIN_DIR");
    return dir ? fs::path(dir) : fs::path(Z9_BINARY_DIR) / "bin";
}

MessageRecorder::MessageRecorder() {
    previous_ = SetMessageHandler([this](const std::string& text, int style, const std::string& title) {
        messages_.push_back({text, style, title});
        if (!answers_.empty()) {
            int answer = answers_.front();
            answers_.pop_front();
            return answer;
        }
        switch (style & 7) {
        case vbYesNo:
            return static_cast<int>(vbYes);
        case vbYesNoCancel:
            return static_cast<int>(vbYes);
        default:
            return static_cast<int>(vbOK);
        }
    });
}

MessageRecorder::~MessageRecorder() {
    SetMessageHandler(previous_);
}

std::vector<std::string> MessageRecorder::Texts() const {
    std::vector<std::string> texts;
    for (const auto& m : messages_)
        texts.push_back(m.text);
    return texts;
}

FakeClock::FakeClock()
    : previous_(Clock::Install(this)), now_(std::chrono::system_clock::from_time_t(1700000000)) {}

FakeClock::~FakeClock() {
    Clock::Install(previous_);
}

void FakeClock::Sleep(int ms) {
    ++sleeps_;
    sleptMs_ += ms;
    now_ += std::chrono::milliseconds(ms);
    if (onSleep_) onSleep_(ms);
}

void FakeClock::SleepProcessingEvents(int ms) {
    Sleep(ms);
}

} // namespace z9::test
