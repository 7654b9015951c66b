#include "TaskFile.h"

#include "Container.h"
#include "Z9StringBuilder.h"
#include "Z9StringReader.h"
#include "common/Clock.h"
#include "common/HostPath.h"
#include "common/MessageBox.h"
#include "common/Program.h"
#include "common/SystemErrorText.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <random>

#ifdef _WIN32
#define NOMINMAX
#include <windows.h>
#undef MessageBox // ours, not the Windows macro
#else
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace z9 {
namespace {

// ---- The format's keys, in file order ---------------------------------------

template <class Record> struct Key {
    const char* name;
    std::string Record::*field;
};

constexpr Key<TaskRecord> kGeneralKeys[] = {
    {"TASKNAME", &TaskRecord::TaskName},
    {"USER", &TaskRecord::User},
    {"PASSWORD", &TaskRecord::Password},
    {"DOMAIN", &TaskRecord::Domain},
    {"SERVER", &TaskRecord::Server},
    {"SERVERPATH", &TaskRecord::ServerPath},
    {"DEPENDENT", &TaskRecord::Dependent},
    {"TASKREPORTFILE", &TaskRecord::TaskReportFile},
    {"MAXRC", &TaskRecord::MaxRC},
    {"QUEUEPRIORITY", &TaskRecord::QueuePriority},
    {"CPUPRIORITY", &TaskRecord::CpuPriority},
    {"SCHEDULEDTIME", &TaskRecord::ScheduledTime},
    {"TASKREPEAT", &TaskRecord::TaskRepeat},
    {"MAXTIME", &TaskRecord::MaxTime},
    {"TASKCLASS", &TaskRecord::TaskClass},
    {"SUBUSER", &TaskRecord::SubUser},
    {"SUBDOMAIN", &TaskRecord::SubDomain},
    {"SUBSERVER", &TaskRecord::SubServer},
    {"SUBDATA", &TaskRecord::SubData},
    {"REPEATCANCEL", &TaskRecord::RepeatCancel},
    {"FONTNAME", &TaskRecord::FontName},
    {"FONTSIZE", &TaskRecord::FontSize},
    {"FONTCOLOR", &TaskRecord::FontColor},
    {"FONTCHARSET", &TaskRecord::FontCharset},
    {"FONTBOLD", &TaskRecord::FontBold},
    {"FONTITALIC", &TaskRecord::FontItalic},
    {"RESERVED1", &TaskRecord::Reserved1},
    {"RESERVED2", &TaskRecord::Reserved2},
};
constexpr Key<TaskRecord> kEditKey = {"EDITPPP", &TaskRecord::EditPPP};
constexpr Key<TaskRecord> kCountKeys[] = {
    {"NUMBERSTEPS", &TaskRecord::NumberSteps},
    {"NUMBERTASKFILES", &TaskRecord::NumberTaskFiles},
    {"NUMBERENVIRON", &TaskRecord::NumberEnviron},
};

// Width before height, unlike the record.
constexpr Key<StepRecord> kStepKeys[] = {
    {"STEPNAME", &StepRecord::StepName},
    {"COMMAND", &StepRecord::Command},
    {"FILERC", &StepRecord::FileRC},
    {"WORKINGDIRECTORY", &StepRecord::WorkingDirectory},
    {"ENVIRONMENT", &StepRecord::Environment},
    {"BUFFWIDTH", &StepRecord::BuffWidth},
    {"BUFFHEIGHT", &StepRecord::BuffHeight},
    {"MINRC", &StepRecord::MinRC},
    {"MAXRC", &StepRecord::MaxRC},
    {"EXECUTE", &StepRecord::Execute},
};

constexpr Key<TaskFileRecord> kTaskFileKeys[] = {
    {"LOCALPATH", &TaskFileRecord::LocalPath},
    {"SERVERPATH", &TaskFileRecord::ServerPath},
    {"COPY", &TaskFileRecord::Copy},
};

constexpr Key<EnvironRecord> kEnvironKeys[] = {
    {"STEP", &EnvironRecord::Step},         {"CAPTION", &EnvironRecord::Caption},
    {"VARIABLE", &EnvironRecord::Variable}, {"TYPE", &EnvironRecord::Type},
    {"VALUE", &EnvironRecord::Value},       {"HELP", &EnvironRecord::Help},
    {"MIN", &EnvironRecord::Min},           {"MAX", &EnvironRecord::Max},
    {"PERCENT", &EnvironRecord::Percent},   {"FORMAT", &EnvironRecord::Format},
};

constexpr const char* kHeader = "Zorvan File Version 1.0";
constexpr const char* kOldHeader = "Pelvar File Version 1.0";
constexpr const char* kRoot = "<ZORVAN>";
constexpr const char* kOldRoot = "<PELVAR>";
constexpr const char* kRootEnd = "</ZORVAN>";

// The descriptions the system gives for failed conversions and indexes.
constexpr const char* kTypeMismatch = "Type mismatch";
constexpr const char* kOverflow = "Overflow";
constexpr const char* kSubscriptOutOfRange = "Subscript out of range";

// ---- Shared helpers -----------------------------------------------------------

std::string& LastError() {
    static std::string text;
    return text;
}

// Shows a load or save failure unless silent; a server never shows one.
void Announce(const std::string& text, bool silent) {
    if (silent) return;
    const std::string& title = AppTitle();
    if (title == "Zorvan Server" || title == "Zorvan Personal Server") return;
    MessageBox(text, vbCritical);
}

// Removes every character with code 32 or less from both ends.
std::string Trim(const std::string& s) {
    std::size_t b = 0, e = s.size();
    while (b < e && static_cast<unsigned char>(s[b]) <= 32)
        ++b;
    while (e > b && static_cast<unsigned char>(s[e - 1]) <= 32)
        --e;
    return s.substr(b, e - b);
}

// A count as a 32-bit signed whole number: optional blanks, an optional sign, digits.
// Returns the failure's description, or nullptr: a non-number is a type mismatch,
// a number past 32 bits an overflow.
const char* ToCount(const std::string& text, long long& out) {
    std::size_t i = 0, n = text.size();
    auto blank = [&](std::size_t k) { return text[k] == ' ' || text[k] == '\t'; };
    while (i < n && blank(i))
        ++i;
    while (n > i && blank(n - 1))
        --n;
    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    if (i == n) return kTypeMismatch;
    long long value = 0;
    bool overflow = false;
    for (; i < n; ++i) {
        if (text[i] < '0' || text[i] > '9') return kTypeMismatch;
        if (overflow) continue; // the rest must still be digits
        value = value * 10 + (text[i] - '0');
        overflow = value > static_cast<long long>(INT32_MAX) + 1;
    }
    value = negative ? -value : value;
    if (overflow || value > INT32_MAX || value < INT32_MIN) return kOverflow;
    out = value;
    return nullptr;
}

// ---- File access ---------------------------------------------------------------

#ifdef _WIN32

std::string LastWinErrorText() {
    return SystemErrorText(static_cast<long>(GetLastError()));
}

// Opens and closes the file with no sharing at all; the failure's text, or empty.
std::string ProbeExclusive(const std::string& file) {
    HANDLE h =
        CreateFileA(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return LastWinErrorText();
    CloseHandle(h);
    return {};
}

// Reads the whole file; on failure sets progress and the description.
bool ReadWholeFile(const std::string& file, std::string& text, int& progress, std::string& why) {
    progress = 1;
    HANDLE h = CreateFileA(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        why = LastWinErrorText();
        return false;
    }
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(h, &size)) {
        why = LastWinErrorText();
        CloseHandle(h);
        return false;
    }
    progress = 2;
    if (static_cast<unsigned long long>(size.QuadPart) > kMaxTaskFileSize) {
        why = "File too big.";
        CloseHandle(h);
        return false;
    }
    progress = 3;
    text.assign(static_cast<std::size_t>(size.QuadPart), '\0');
    std::size_t got = 0;
    while (got < text.size()) {
        DWORD n = 0;
        if (!ReadFile(h, text.data() + got, static_cast<DWORD>(text.size() - got), &n, nullptr)) {
            why = LastWinErrorText();
            CloseHandle(h);
            return false;
        }
        if (n == 0) break;
        got += n;
    }
    text.resize(got);
    progress = 4;
    CloseHandle(h);
    return true;
}

// Writes bytes beside the target and moves them over it once they are on disk.
bool WriteReplacing(const std::string& file, const std::string& bytes, std::string& why) {
    DWORD attributes = GetFileAttributesA(file.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES &&
        (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY))) {
        why = SystemErrorText(ERROR_ACCESS_DENIED_CODE);
        return false;
    }
    std::random_device rd;
    std::string temp;
    HANDLE h = INVALID_HANDLE_VALUE;
    for (int attempt = 0; attempt < 16 && h == INVALID_HANDLE_VALUE; ++attempt) {
        temp = file + ".~" + std::to_string(rd() % 1000000) + ".tmp";
        h = CreateFileA(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS) break;
    }
    if (h == INVALID_HANDLE_VALUE) {
        why = LastWinErrorText();
        return false;
    }
    std::size_t done = 0;
    bool ok = true;
    while (ok && done < bytes.size()) {
        DWORD n = 0;
        ok = WriteFile(h, bytes.data() + done,
                       static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1 << 20)), &n,
                       nullptr) != 0;
        done += n;
    }
    if (ok) ok = FlushFileBuffers(h) != 0;
    if (!ok) why = LastWinErrorText();
    CloseHandle(h);
    if (ok && !MoveFileExA(temp.c_str(), file.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        why = LastWinErrorText();
        ok = false;
    }
    if (!ok) DeleteFileA(temp.c_str());
    return ok;
}

#else

class Fd {
public:
    explicit Fd(int fd = -1) : fd_(fd) {}
    ~Fd() { Close(); }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }
    bool ok() const { return fd_ >= 0; }
    void Reset(int fd) {
        Close();
        fd_ = fd;
    }
    int Close() {
        int r = fd_ >= 0 ? ::close(fd_) : 0;
        fd_ = -1;
        return r;
    }

private:
    int fd_;
};

// Opens for reading without ever blocking (a FIFO would otherwise wait for a writer);
// anything but a plain file is refused as Windows refuses it.
int OpenPlainFile(const std::string& file, struct stat& st) {
    int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) return -1;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        int err = S_ISDIR(st.st_mode) ? EISDIR : EACCES;
        ::close(fd);
        errno = err;
        return -1;
    }
    return fd;
}

// Exclusive sharing is an exclusive advisory lock: held by a writer, it makes this fail.
std::string ProbeExclusive(const std::string& file) {
    struct stat st {};
    Fd fd(OpenPlainFile(file, st));
    if (!fd.ok()) return ErrnoText(errno);
    if (::flock(fd.get(), LOCK_EX | LOCK_NB) != 0) return ErrnoText(errno);
    return {};
}

bool ReadWholeFile(const std::string& file, std::string& text, int& progress, std::string& why) {
    progress = 1;
    struct stat st {};
    Fd fd(OpenPlainFile(file, st));
    if (!fd.ok()) {
        why = ErrnoText(errno);
        return false;
    }
    progress = 2;
    if (static_cast<unsigned long long>(st.st_size) > kMaxTaskFileSize) {
        why = "File too big.";
        return false;
    }
    progress = 3;
    text.assign(static_cast<std::size_t>(st.st_size), '\0');
    std::size_t got = 0;
    while (got < text.size()) {
        ssize_t n = ::read(fd.get(), text.data() + got, text.size() - got);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            why = ErrnoText(errno);
            return false;
        }
        if (n == 0) break;
        got += static_cast<std::size_t>(n);
    }
    text.resize(got);
    progress = 4;
    if (fd.Close() != 0) {
        why = ErrnoText(errno);
        return false;
    }
    return true;
}

std::string ParentFolder(const std::string& file) {
    auto cut = file.find_last_of('/');
    if (cut == std::string::npos) return ".";
    return cut == 0 ? "/" : file.substr(0, cut);
}

bool WriteAll(int fd, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// Writes bytes to a new file beside the target, under an exclusive lock, and
// renames it over the target once it is on disk. The existing target stays
// locked meanwhile, so a reader's exclusive probe waits for the new file.
bool WriteReplacing(const std::string& file, const std::string& bytes, std::string& why) {
    auto fail = [&why](int err) {
        why = ErrnoText(err);
        return false;
    };
    struct stat st {};
    bool exists = false;
    if (::stat(file.c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode)) return fail(EISDIR);
        if (!S_ISREG(st.st_mode)) return fail(EACCES);
        exists = true;
    } else if (errno != ENOENT) {
        return fail(errno);
    } else {
        struct stat folder {};
        if (::stat(ParentFolder(file).c_str(), &folder) != 0 || !S_ISDIR(folder.st_mode)) {
            why = SystemErrorText(ERROR_PATH_NOT_FOUND_CODE);
            return false;
        }
    }

    Fd old;
    if (exists) {
        if (::access(file.c_str(), W_OK) != 0) return fail(errno);
        old.Reset(::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
        if (!old.ok()) old.Reset(::open(file.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
        if (!old.ok()) return fail(errno);
        if (::flock(old.get(), LOCK_EX | LOCK_NB) != 0) return fail(errno);
    }

    const std::string folder = ParentFolder(file);
    const std::string base = file.substr(file.find_last_of('/') + 1);
    const mode_t mode = exists ? (st.st_mode & 07777) : 0666;
    std::random_device rd;
    std::string temp;
    Fd out;
    for (int attempt = 0; attempt < 16 && !out.ok(); ++attempt) {
        temp = folder + "/." + base + ".~" + std::to_string(rd() % 1000000) + ".tmp";
        out.Reset(::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, mode));
        if (!out.ok() && errno != EEXIST) break;
    }
    if (!out.ok()) return fail(errno);
    ::flock(out.get(), LOCK_EX | LOCK_NB); // a new file: nobody else holds it
    if (exists) ::fchmod(out.get(), mode);

    int err = 0;
    if (!WriteAll(out.get(), bytes) || ::fsync(out.get()) != 0) err = errno ? errno : EIO;
    if (!err && ::rename(temp.c_str(), file.c_str()) != 0) err = errno;
    if (err) {
        out.Close();
        ::unlink(temp.c_str());
        return fail(err);
    }
    if (out.Close() != 0) return fail(errno);
    return true;
}

#endif

// ---- Reading -------------------------------------------------------------------

class Parser {
public:
    Parser(Z9StringReader& reader, std::string& why) : reader_(reader), why_(why) {}

    // The next trimmed line must be tag.
    bool Tag(const char* tag) {
        if (Trim(reader_.ReadNextLine()) == tag) return true;
        why_ = "Invalid File Format.";
        return false;
    }

    // The value between the first <KEY> and the last </KEY> of the next line.
    template <class Record> bool Read(const Key<Record>& key, Record& record) {
        const std::string line = DecodeValue(reader_.ReadNextLine());
        const std::string open = std::string("<") + key.name + ">";
        const std::string close = std::string("</") + key.name + ">";
        const std::size_t a = line.find(open);
        const std::size_t b = line.rfind(close);
        if (a == std::string::npos || b == std::string::npos || b < a + open.size()) {
            why_ = std::string("Invalid Data: ") + key.name;
            return false;
        }
        record.*key.field = line.substr(a + open.size(), b - a - open.size());
        return true;
    }

    template <class Record, std::size_t N> bool ReadAll(const Key<Record> (&keys)[N], Record& record) {
        for (const auto& key : keys)
            if (!Read(key, record)) return false;
        return true;
    }

    // Reads `count` records of one kind, each inside its tag, growing the array as they come.
    template <class Record, std::size_t N>
    bool Records(long long count, const char* tag, const Key<Record> (&keys)[N], std::vector<Record>& into) {
        for (long long i = 0; i < count; ++i) {
            if (!Tag(tag)) return false;
            into.emplace_back();
            if (!ReadAll(keys, into.back())) return false;
            reader_.ReadNextLine(); // the closing tag, not checked
        }
        return true;
    }

    void Skip() { reader_.ReadNextLine(); }

private:
    Z9StringReader& reader_;
    std::string& why_;
};

bool ParseTask(Z9StringReader& reader, bool encrypted, TaskRecord& task, int& progress, std::string& why) {
    Parser p(reader, why);
    progress = 6;
    const std::string header = Trim(reader.ReadNextLine());
    if (header != kHeader && header != kOldHeader) {
        why = "Invalid File Version.";
        return false;
    }
    const std::string root = Trim(reader.ReadNextLine());
    if (root != kRoot && root != kOldRoot) {
        why = "Invalid File Format.";
        return false;
    }
    if (!p.Tag("<GENERAL>") || !p.ReadAll(kGeneralKeys, task)) return false;
    if (encrypted && !p.Read(kEditKey, task)) return false;
    if (!p.ReadAll(kCountKeys, task)) return false;
    long long steps = 0, files = 0, environs = 0;
    const char* bad = nullptr;
    if ((bad = ToCount(task.NumberSteps, steps)) || (bad = ToCount(task.NumberTaskFiles, files)) ||
        (bad = ToCount(task.NumberEnviron, environs))) {
        why = bad;
        return false;
    }
    p.Skip(); // </GENERAL>

    progress = 7;
    if (steps < 1) {
        why = "Invalid File Format.";
        return false;
    }
    if (!p.Records(steps, "<STEP>", kStepKeys, task.Steps)) return false;
    progress = 8;
    if (!p.Records(files, "<TASKFILE>", kTaskFileKeys, task.TaskFiles)) return false;
    progress = 9;
    if (!p.Records(environs, "<ENVIRON>", kEnvironKeys, task.Environs)) return false;
    progress = 10;
    return true;
}

// ---- Writing -------------------------------------------------------------------

template <class Record> void WriteKey(Z9StringBuilder& out, const Key<Record>& key, const Record& record) {
    std::string line;
    const std::string& value = record.*key.field;
    line.reserve(value.size() + 2 * std::char_traits<char>::length(key.name) + 6);
    line.append("\t<").append(key.name).append(">").append(EncodeValue(value));
    line.append("</").append(key.name).append(">");
    out.AppendElement(std::move(line));
}

template <class Record, std::size_t N>
void WriteKeys(Z9StringBuilder& out, const Key<Record> (&keys)[N], const Record& record) {
    for (const auto& key : keys)
        WriteKey(out, key, record);
}

// How many records of an array to write: the count's value, which the array must hold.
bool RecordCount(const std::string& count, std::size_t held, long long& n, std::string& why) {
    if (const char* bad = ToCount(count, n)) {
        why = bad;
        return false;
    }
    if (n > static_cast<long long>(held)) {
        why = kSubscriptOutOfRange;
        return false;
    }
    return true;
}

template <class Record, std::size_t N>
void WriteRecords(Z9StringBuilder& out, long long count, const char* open, const char* close,
                  const Key<Record> (&keys)[N], const std::vector<Record>& records) {
    for (long long i = 0; i < count; ++i) {
        out.AppendElement(open);
        WriteKeys(out, keys, records[static_cast<std::size_t>(i)]);
        out.AppendElement(close);
    }
}

bool BuildTaskText(const TaskRecord& task, std::string& text, std::string& why) {
    long long steps = 0, files = 0, environs = 0;
    if (!RecordCount(task.NumberSteps, task.Steps.size(), steps, why) ||
        !RecordCount(task.NumberTaskFiles, task.TaskFiles.size(), files, why) ||
        !RecordCount(task.NumberEnviron, task.Environs.size(), environs, why))
        return false;

    Z9StringBuilder out;
    out.AppendElement(kHeader);
    out.AppendElement(kRoot);
    out.AppendElement("<GENERAL>");
    WriteKeys(out, kGeneralKeys, task);
    if (!task.EditPPP.empty()) WriteKey(out, kEditKey, task);
    WriteKeys(out, kCountKeys, task);
    out.AppendElement("</GENERAL>");
    WriteRecords(out, steps, "<STEP>", "</STEP>", kStepKeys, task.Steps);
    WriteRecords(out, files, "<TASKFILE>", "</TASKFILE>", kTaskFileKeys, task.TaskFiles);
    WriteRecords(out, environs, "<ENVIRON>", "</ENVIRON>", kEnvironKeys, task.Environs);
    out.AppendElement(kRootEnd);
    text = out.toDelimitedString("\r\n");
    if (!task.EditPPP.empty()) text = BuildContainer(text);
    text += "\r\n";
    return true;
}

} // namespace

std::string EncodeValue(const std::string& value) {
    std::string out;
    out.reserve(value.size());
    for (std::size_t i = 0; i < value.size(); ++i) {
        const char c = value[i];
        if (c == '\r' && i + 1 < value.size() && value[i + 1] == '\n') {
            out.push_back('\x01');
            ++i;
        } else if (c == '\r' || c == '\n' || c == '\x1a') {
            out.push_back('\x01');
        } else {
            out.push_back(c);
        }
    }
    return out;
}

std::string DecodeValue(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        if (c == '\x01')
            out.append("\r\n");
        else
            out.push_back(c);
    }
    return out;
}

const std::string& LastTaskError() {
    return LastError();
}

bool LoadTask(const std::string& path, TaskRecord& task, bool silent) {
    LastError().clear();
    const std::string file = HostPath(path);
    int progress = 907;
    std::string why;
    bool ok = false;

    // Wait out another program that is still writing the file.
    for (int attempt = 1; attempt <= 6; ++attempt) {
        why = ProbeExclusive(file);
        if (why.empty()) break;
        if (attempt < 6) Clock::Sleep(100);
    }

    std::string text;
    TaskRecord loaded;
    if (why.empty() && ReadWholeFile(file, text, progress, why)) {
        progress = 5;
        Z9StringReader reader(std::move(text));
        reader.Delimiter("\r\n");
        const bool encrypted = OpenContainer(reader);
        ok = ParseTask(reader, encrypted, loaded, progress, why);
    }
    if (ok) {
        task = std::move(loaded);
        return true;
    }
    LastError() = "ERROR: Cannot Open \"" + path + "\". \n\n" + why +
                  "\n\nLoad Progress Number: " + std::to_string(progress);
    Announce(LastError(), silent);
    return false;
}

bool SaveTask(const std::string& path, const TaskRecord& task, bool silent) {
    LastError().clear();
    std::string text, why;
    if (BuildTaskText(task, text, why) && WriteReplacing(HostPath(path), text, why)) return true;
    LastError() = "SAVETASK ERROR:\n\n\t" + why;
    Announce(LastError(), silent);
    return false;
}

} // namespace z9
