#include "TaskFile.h"

#include "Container.h"
#include "Z9StringBuilder.h"
#include "Z9StringReader.h"
#include "common/AsciiText.h"
#include "common/Clock.h"
#include "common/HostPath.h"
#include "common/LineBreaks.h"
#include "common/MessageBox.h"
#include "common/PlainFile.h"
#include "common/Program.h"
#include "common/SafeFile.h"
#include "common/SystemErrorText.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdint>

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

// ---- Reading -------------------------------------------------------------------

class Parser {
public:
    Parser(Z9StringReader& reader, std::string& why) : reader_(reader), why_(why) {}

    // The next trimmed line must be tag.
    bool Tag(const char* tag) {
        if (Trim(reader_.ReadNextLine(), kControlsAndSpace) == tag) return true;
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
    const std::string header = Trim(reader.ReadNextLine(), kControlsAndSpace);
    if (header != kHeader && header != kOldHeader) {
        why = "Invalid File Version.";
        return false;
    }
    const std::string root = Trim(reader.ReadNextLine(), kControlsAndSpace);
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

// The lines of the plain format; fails (with why) when a count does not fit its array.
bool TaskLines(const TaskRecord& task, Z9StringBuilder& out, std::string& why) {
    long long steps = 0, files = 0, environs = 0;
    if (!RecordCount(task.NumberSteps, task.Steps.size(), steps, why) ||
        !RecordCount(task.NumberTaskFiles, task.TaskFiles.size(), files, why) ||
        !RecordCount(task.NumberEnviron, task.Environs.size(), environs, why))
        return false;

    // A negative count writes no records, as a loop to it runs no times.
    const auto records = [](long long count) { return static_cast<std::size_t>(std::max(count, 0LL)); };
    out.Reserve(
        8 + std::size(kGeneralKeys) + std::size(kCountKeys) + records(steps) * (std::size(kStepKeys) + 2) +
        records(files) * (std::size(kTaskFileKeys) + 2) + records(environs) * (std::size(kEnvironKeys) + 2));
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
    return true;
}

// The file's bytes, in pieces: the lines joined with CR LF, inside the
// container when EDITPPP is set, and the final CR LF. Neither the joined text
// nor the container is ever whole in memory.
bool WriteTaskText(const TaskRecord& task, const Z9StringBuilder& lines, const PieceWriter::Sink& sink) {
    auto join = [&lines](auto& out) {
        bool ok = true;
        for (std::size_t i = 0; ok && i < lines.Items().size(); ++i)
            ok = (i == 0 || out.Add("\r\n")) && out.Add(lines.Items()[i]);
        return ok;
    };
    if (task.EditPPP.empty()) {
        PieceWriter out(sink);
        return join(out) && out.Add("\r\n") && out.Finish();
    }
    ContainerWriter container(sink);
    return join(container) && container.Finish() && sink("\r\n");
}

} // namespace

bool BuildTaskText(const TaskRecord& task, std::string& text, std::string& why) {
    Z9StringBuilder lines;
    if (!TaskLines(task, lines, why)) return false;
    text.clear();
    return WriteTaskText(task, lines, [&text](std::string_view piece) {
        text.append(piece);
        return true;
    });
}

bool ParseTaskText(std::string bytes, TaskRecord& task, int& progress, std::string& why) {
    progress = 5;
    Z9StringReader reader(std::move(bytes));
    reader.Delimiter("\r\n");
    const bool encrypted = OpenContainer(reader);
    TaskRecord loaded;
    if (!ParseTask(reader, encrypted, loaded, progress, why)) return false;
    task = std::move(loaded);
    return true;
}

const std::string& LastTaskError() {
    return LastError();
}

bool LoadTask(const std::string& path, TaskRecord& task, bool silent) {
    LastError().clear();
    const std::string file = HostFileName(path);
    int progress = 907;
    std::string why;
    bool ok = false;

    // Wait out another program that is still writing the file.
    for (int attempt = 1; attempt <= 6; ++attempt) {
        why = ExclusiveAccessFailure(file);
        if (why.empty()) break;
        if (attempt < 6) Clock::Sleep(100);
    }

    std::string text;
    if (why.empty()) {
        PlainFileError error;
        if (ReadPlainFile(file, kMaxTaskFileSize, text, &error)) {
            ok = ParseTaskText(std::move(text), task, progress, why);
        } else {
            progress = static_cast<int>(error.step);
            why = error.step == PlainFileStep::Size ? "File too big." : error.text;
        }
    }
    if (ok) return true;
    LastError() = "ERROR: Cannot Open \"" + path + "\". \n\n" + why +
                  "\n\nLoad Progress Number: " + std::to_string(progress);
    Announce(LastError(), silent);
    return false;
}

bool SaveTask(const std::string& path, const TaskRecord& task, bool silent) {
    LastError().clear();
    std::string why;
    Z9StringBuilder lines;
    if (TaskLines(task, lines, why)) {
        // The old file stays locked until the new one has its name, so a
        // reader's exclusive probe waits for the whole new file.
        SafeFile file(HostFileName(path), {.lockTarget = true});
        if (file.Open() &&
            WriteTaskText(task, lines, [&file](std::string_view piece) { return file.Write(piece); }) &&
            file.Commit())
            return true;
        why = file.ErrorText();
    }
    LastError() = "SAVETASK ERROR:\n\n\t" + why;
    Announce(LastError(), silent);
    return false;
}

} // namespace z9
