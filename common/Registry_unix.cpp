// The Linux registry: one REGEDIT4 hive file per root in RegistryFolder().
// Every change re-reads the file under an advisory lock (flock on a .lock
// beside it) and replaces it atomically, so both programs can write at once
// and a crash never leaves half a hive.
#include "Registry.h"
#include "RegistryHive.h"

#include "Clock.h"
#include "Program.h"
#include "SafeFile.h"
#include "SystemErrorText.h"

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <functional>
#include <memory>
#include <mutex>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace z9 {

namespace {

struct Fd {
    int fd = -1;
    explicit Fd(int f) : fd(f) {}
    ~Fd() {
        if (fd >= 0) ::close(fd);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
};

long LastError() {
    return WinErrorFromErrno(errno);
}

// Reads an open file to its end.
long ReadAll(int fd, std::string& out) {
    out.clear();
    char buffer[65536];
    for (;;) {
        ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return LastError();
        if (n == 0) return 0;
        out.append(buffer, static_cast<size_t>(n));
    }
}

// Creates the folder and its missing parents, private to the user.
long MakeFolder(const std::string& folder) {
    for (size_t at = 1; at <= folder.size(); ++at) {
        if (at != folder.size() && folder[at] != '/') continue;
        std::string part = folder.substr(0, at);
        if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) return LastError();
    }
    struct stat st {};
    if (::stat(folder.c_str(), &st) != 0) return LastError();
    return S_ISDIR(st.st_mode) ? 0L : static_cast<long>(ERROR_PATH_NOT_FOUND_CODE);
}

// The whole file replaced at once, private to the user: a reader sees either
// the old or the new hive, never a part of one.
long ReplaceFile(const std::string& file, const std::string& bytes) {
    SafeFileOptions options;
    options.privateToUser = true;
    long error = 0;
    return WriteFileSafely(file, bytes, options, &error) ? 0 : error;
}

// Parsed hives, reused while the file is unchanged. A file changed within the
// last two seconds is never trusted from memory: another writer may replace it
// again within the resolution of its time stamp.
struct CachedHive {
    std::string file;
    struct stat st {};
    std::shared_ptr<const Hive> hive;
};

std::mutex cacheLock;
CachedHive cache[2];

CachedHive& CacheOf(RegRoot root) {
    return cache[root == RegRoot::ClassesRoot ? 1 : 0];
}

bool SameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino && a.st_size == b.st_size &&
           a.st_mtim.tv_sec == b.st_mtim.tv_sec && a.st_mtim.tv_nsec == b.st_mtim.tv_nsec &&
           a.st_ctim.tv_sec == b.st_ctim.tv_sec && a.st_ctim.tv_nsec == b.st_ctim.tv_nsec;
}

bool SettledLongEnough(const struct stat& st) {
    using namespace std::chrono;
    auto now = duration_cast<seconds>(Clock::Now().time_since_epoch()).count();
    return now - static_cast<long long>(st.st_mtim.tv_sec) >= 2 &&
           now - static_cast<long long>(st.st_ctim.tv_sec) >= 2;
}

// The current content of a root's hive; a missing file is an empty hive.
long LoadHive(RegRoot root, std::shared_ptr<const Hive>& out) {
    std::string folder = RegistryFolder();
    if (folder.empty()) {
        out = std::make_shared<Hive>();
        return 0;
    }
    std::string file = HiveFile(root);
    Fd fd(::open(file.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.fd < 0) {
        if (errno != ENOENT && errno != ENOTDIR) return LastError();
        out = std::make_shared<Hive>();
        return 0;
    }
    struct stat st {};
    if (::fstat(fd.fd, &st) != 0) return LastError();
    std::lock_guard<std::mutex> guard(cacheLock);
    CachedHive& cached = CacheOf(root);
    if (cached.hive && cached.file == file && SameFile(cached.st, st)) {
        out = cached.hive;
        return 0;
    }
    std::string bytes;
    if (long rc = ReadAll(fd.fd, bytes)) return rc;
    auto hive = std::make_shared<Hive>(ParseHive(bytes, root));
    if (SettledLongEnough(st)) {
        cached.file = file;
        cached.st = st;
        cached.hive = hive;
    } else {
        cached.hive.reset();
    }
    out = std::move(hive);
    return 0;
}

// Changes a hive under its lock: reads the file afresh, lets change edit it and
// writes it back when change succeeded and changed something. A hive that had
// lines nobody could read is first kept beside it as <hive>.damaged.
long ChangeHive(RegRoot root, const std::function<long(Hive&, bool&)>& change) {
    std::string folder = RegistryFolder();
    if (folder.empty()) return ERROR_PATH_NOT_FOUND_CODE;
    if (long rc = MakeFolder(folder)) return rc;
    std::string file = HiveFile(root);
    Fd lock(::open((file + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600));
    if (lock.fd < 0) return LastError();
    while (::flock(lock.fd, LOCK_EX) != 0)
        if (errno != EINTR) return LastError();

    std::string bytes;
    Fd in(::open(file.c_str(), O_RDONLY | O_CLOEXEC));
    if (in.fd >= 0) {
        if (long rc = ReadAll(in.fd, bytes)) return rc;
    } else if (errno != ENOENT) {
        return LastError();
    }
    Hive hive = ParseHive(bytes, root);
    bool changed = false;
    if (long rc = change(hive, changed)) return rc;
    if (!changed) return 0;
    if (hive.lostLines) {
        if (long rc = ReplaceFile(file + ".damaged", bytes)) return rc;
    }
    long rc = ReplaceFile(file, WriteHive(hive, root));
    std::lock_guard<std::mutex> guard(cacheLock);
    CacheOf(root).hive.reset();
    return rc;
}

} // namespace

std::string RegistryFolder() {
    std::string dir = EnvVar("Z9_REGISTRY_DIR");
    if (!dir.empty()) return dir;
    std::string config = EnvVar("XDG_CONFIG_HOME");
    if (config.empty() || config.front() != '/') {
        std::string home = EnvVar("HOME");
        if (home.empty()) {
            if (const passwd* pw = ::getpwuid(::geteuid()); pw && pw->pw_dir) home = pw->pw_dir;
        }
        if (home.empty()) return std::string();
        config = home + "/.config";
    }
    return config + "/Brindle";
}

std::string HiveFile(RegRoot root) {
    return RegistryFolder() + "/" + RegRootName(root) + ".reg";
}

long RegKey::Open(RegRoot root, const std::string& path) {
    Close();
    std::string normal;
    if (long rc = NormalizeKeyPath(path, normal)) return rc;
    std::shared_ptr<const Hive> hive;
    if (long rc = LoadHive(root, hive)) return rc;
    auto it = hive->keys.find(FoldKeyPath(normal));
    if (it == hive->keys.end()) return ERROR_FILE_NOT_FOUND_CODE;
    root_ = root;
    path_ = it->second.path;
    open_ = true;
    return 0;
}

long RegKey::Create(RegRoot root, const std::string& path) {
    Close();
    std::string normal;
    if (long rc = NormalizeKeyPath(path, normal)) return rc;
    if (Open(root, normal) == 0) return 0;
    std::string spelt;
    long rc = ChangeHive(root, [&](Hive& hive, bool& changed) {
        spelt = hive.Ensure(normal, &changed).path;
        return 0L;
    });
    if (rc) return rc;
    root_ = root;
    path_ = spelt;
    open_ = true;
    return 0;
}

void RegKey::Close() {
    open_ = false;
    path_.clear();
}

long RegKey::Query(const std::string& name, RegValue& value) const {
    if (!open_) return ERROR_INVALID_HANDLE_CODE;
    std::shared_ptr<const Hive> hive;
    if (long rc = LoadHive(root_, hive)) return rc;
    auto key = hive->keys.find(FoldKeyPath(path_));
    if (key == hive->keys.end()) return ERROR_KEY_DELETED_CODE;
    const RegNamedValue* found = key->second.Find(name);
    if (!found) return ERROR_FILE_NOT_FOUND_CODE;
    value = found->value;
    return 0;
}

long RegKey::Set(const std::string& name, const RegValue& value) const {
    if (!open_) return ERROR_INVALID_HANDLE_CODE;
    if (long rc = CheckValueName(name)) return rc;
    return ChangeHive(root_, [&](Hive& hive, bool& changed) {
        HiveKey* key = hive.Find(path_);
        if (!key) return ERROR_KEY_DELETED_CODE;
        changed = key->Put(name, value);
        return 0L;
    });
}

long RegKey::DeleteValue(const std::string& name) const {
    if (!open_) return ERROR_INVALID_HANDLE_CODE;
    return ChangeHive(root_, [&](Hive& hive, bool& changed) {
        HiveKey* key = hive.Find(path_);
        if (!key) return ERROR_KEY_DELETED_CODE;
        changed = key->Remove(name);
        return changed ? 0L : static_cast<long>(ERROR_FILE_NOT_FOUND_CODE);
    });
}

long RegKey::EnumKeys(std::vector<std::string>& names) const {
    names.clear();
    if (!open_) return ERROR_INVALID_HANDLE_CODE;
    std::shared_ptr<const Hive> hive;
    if (long rc = LoadHive(root_, hive)) return rc;
    if (!hive->keys.count(FoldKeyPath(path_))) return ERROR_KEY_DELETED_CODE;
    names = hive->Children(path_);
    return 0;
}

long RegKey::EnumValues(std::vector<RegNamedValue>& values) const {
    values.clear();
    if (!open_) return ERROR_INVALID_HANDLE_CODE;
    std::shared_ptr<const Hive> hive;
    if (long rc = LoadHive(root_, hive)) return rc;
    auto key = hive->keys.find(FoldKeyPath(path_));
    if (key == hive->keys.end()) return ERROR_KEY_DELETED_CODE;
    values = key->second.values;
    return 0;
}

long DeleteRegKey(RegRoot root, const std::string& path) {
    std::string normal;
    if (long rc = NormalizeKeyPath(path, normal)) return rc;
    if (normal.empty()) return ERROR_INVALID_PARAMETER_CODE;
    RegKey probe;
    if (long rc = probe.Open(root, normal)) return rc;
    return ChangeHive(root, [&](Hive& hive, bool& changed) {
        changed = hive.Erase(normal);
        return changed ? 0L : static_cast<long>(ERROR_FILE_NOT_FOUND_CODE);
    });
}

} // namespace z9
