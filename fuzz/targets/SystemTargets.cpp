// Files the server writes into the queue, the code page conversion and the
// registry over a hive file of any content.
#include "fuzz/FuzzTarget.h"

#include "common/Clock.h"
#include "common/CodePage.h"
#include "common/CodePageQt.h"
#include "common/Registry.h"
#include "common/RegistryHive.h"
#include "submitter/submission/JobQueue.h"

#include <QStringDecoder>
#include <array>
#include <cstdio>
#include <map>

namespace z9::fuzz {
namespace {

bool Blank(char c) {
    return c == ' ' || c == '\t';
}

struct CodePageInfo {
    int number;
    const char* reference; // the same code page in the other converter Qt carries
    bool singleByte;
};

const CodePageInfo kCodePages[] = {
    {1250, "windows-1250", true}, {1251, "windows-1251", true}, {1252, "windows-1252", true},
    {1253, "windows-1253", true}, {1254, "windows-1254", true}, {1255, "windows-1255", true},
    {1256, "windows-1256", true}, {1257, "windows-1257", true}, {1258, "windows-1258", true},
    {874, "windows-874", true},   {932, "windows-31j", false},  {936, "GBK", false},
    {949, "windows-949", false},  {950, "Big5", false},
};

// What the other converter makes of each byte on its own, from a fresh state;
// built once per code page, as opening that converter costs more than the rest
// of a run.
const std::array<QString, 256>& ReferenceBytes(const CodePageInfo& cp) {
    static std::map<int, std::array<QString, 256>> tables;
    auto found = tables.find(cp.number);
    if (found != tables.end()) return found->second;
    std::array<QString, 256> table;
    for (int b = 0; b < 256; ++b) {
        QStringDecoder one(cp.reference, QStringDecoder::Flag::Stateless);
        Z9_FUZZ_CHECK(one.isValid());
        const char byte = static_cast<char>(b);
        table[static_cast<std::size_t>(b)] = one.decode(QByteArrayView(&byte, 1));
    }
    return tables.emplace(cp.number, std::move(table)).first->second;
}

std::string Units(const QString& text) {
    std::string out;
    for (QChar c : text) {
        char buf[8];
        std::snprintf(buf, sizeof buf, "%04X ", c.unicode());
        out += buf;
    }
    return out;
}

// Every key of a hive with its spelling and its values, by its folded path.
using Snapshot = std::map<std::string, std::pair<std::string, std::vector<RegNamedValue>>>;

Snapshot Take(const z9::Hive& hive) {
    Snapshot s;
    for (const auto& [folded, key] : hive.keys)
        s[folded] = {key.path, key.values};
    return s;
}

std::string ReadAll(const std::string& file) {
    std::string bytes;
    std::FILE* f = std::fopen(file.c_str(), "rb");
    if (!f) return bytes;
    char buffer[65536];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, f)) > 0;)
        bytes.append(buffer, n);
    std::fclose(f);
    return bytes;
}

bool SameValue(const RegNamedValue& a, const RegNamedValue& b) {
    return a.name == b.name && a.value.type == b.value.type && a.value.data == b.value.data;
}

std::string FirstDifference(const Snapshot& a, const Snapshot& b) {
    for (const auto& [folded, key] : a) {
        auto other = b.find(folded);
        if (other == b.end()) return "key " + Show(key.first) + " is gone";
        if (key.first != other->second.first)
            return "key " + Show(key.first) + " is now " + Show(other->second.first);
        const auto& va = key.second;
        const auto& vb = other->second.second;
        for (std::size_t i = 0; i < va.size() || i < vb.size(); ++i) {
            if (i >= va.size()) return "key " + Show(key.first) + " gained " + Show(vb[i].name);
            if (i >= vb.size()) return "key " + Show(key.first) + " lost " + Show(va[i].name);
            if (!SameValue(va[i], vb[i]))
                return "value " + Show(va[i].name) + " of " + Show(key.first) + ": type " +
                       std::to_string(va[i].value.type) + " " + Show(va[i].value.data) + " became " +
                       Show(vb[i].name) + " type " + std::to_string(vb[i].value.type) + " " +
                       Show(vb[i].value.data);
        }
    }
    for (const auto& [folded, key] : b)
        if (!a.count(folded)) return "new key " + Show(key.first);
    return "none";
}

#define Z9_FUZZ_SAME_HIVE(a, b)                                                                              \
    do {                                                                                                     \
        const std::string difference = FirstDifference(a, b);                                                \
        if (difference != "none") Fail("same hive: " + difference, __FILE__, __LINE__);                      \
    } while (0)

} // namespace

// The first field of a server's file, and the request lines the submitter writes.
void QueueFile(std::string_view input) {
    const std::string text(input);
    const std::string field = FirstField(text);
    Z9_FUZZ_CHECK(text.find(field) != std::string::npos);
    std::size_t start = 0;
    while (start < text.size() && Blank(text[start]))
        ++start;
    if (start < text.size() && text[start] == '"') {
        Z9_FUZZ_CHECK(field.find('"') == std::string::npos);
        Z9_FUZZ_EQ(text.compare(start + 1, field.size(), field), 0);
    } else {
        Z9_FUZZ_CHECK(field.find_first_of(",\r\n") == std::string::npos);
        Z9_FUZZ_CHECK(field.empty() || (!Blank(field.front()) && !Blank(field.back())));
        Z9_FUZZ_EQ(text.compare(start, field.size(), field), 0);
    }

    // A request line's first field reads back as it was written, when it holds no quote.
    const std::vector<std::string> fields = Split(input, '\0', 5);
    const std::string line = QueueLine(fields);
    Z9_FUZZ_CHECK(line.size() >= 2 && line.compare(line.size() - 2, 2, "\r\n") == 0);
    if (fields[0].find('"') == std::string::npos) Z9_FUZZ_EQ(FirstField(line), fields[0]);
}

// Text from and to the ANSI code page: the first byte picks a code page the
// programs support, the rest is the text. A byte string decodes as the other
// converter decodes it, and what decodes encodes back.
void CodePage(std::string_view input) {
    if (input.empty()) return;
    const CodePageInfo& cp = kCodePages[static_cast<unsigned char>(input[0]) % std::size(kCodePages)];
    const std::string bytes(input.substr(1));
    SetAnsiCodePage(cp.number);
    const QString text = FromAnsi(bytes);
    const std::array<QString, 256>& reference = ReferenceBytes(cp); // the other converter knows the code page
    if (cp.singleByte) {
        Z9_FUZZ_EQ(static_cast<long long>(text.size()), static_cast<long long>(bytes.size()));
        // Byte by byte, where the reference defines the byte.
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            const QString& expected = reference[static_cast<unsigned char>(bytes[i])];
            // Bytes a code page leaves undefined have no one agreed character
            // (private use, a control, U+FFFD); every defined byte must agree.
            const char16_t unit = expected.size() == 1 ? expected[0].unicode() : 0xFFFD;
            const bool undefined = unit == 0xFFFD || unit == 0x1A || (unit >= 0xE000 && unit <= 0xF8FF);
            if (!undefined)
                if (expected[0] != text[static_cast<qsizetype>(i)])
                    Fail("code page " + std::to_string(cp.number) + " byte " +
                             Show(std::string_view(bytes.data() + i, 1)) + " decodes as " +
                             Units(text.mid(static_cast<qsizetype>(i), 1)) + "instead of " + Units(expected),
                         __FILE__, __LINE__);
        }
        Z9_FUZZ_EQ(ToAnsi(text), bytes); // every byte survives
    } else {
        // East Asian converters differ in vendor characters: only the round trip is asserted.
        const std::string encoded = ToAnsi(text);
        Z9_FUZZ_CHECK(FromAnsi(encoded) == text || text.contains(QChar(0xFFFD)) || text.contains(u'?'));
    }
    const QString back = FromAnsi(ToAnsi(text));
    Z9_FUZZ_CHECK(FromAnsi(ToAnsi(back)) == back);
    SetAnsiCodePage(0);
}

// A hive text of any content, for either root: what it reads is written so
// that it reads the same again, line for line, and writing that gives the same
// bytes once more.
void Hive(std::string_view input) {
    for (RegRoot root : {RegRoot::CurrentUser, RegRoot::ClassesRoot}) {
        const z9::Hive hive = ParseHive(input, root);
        const std::string text = WriteHive(hive, root);
        const z9::Hive again = ParseHive(text, root);
        Z9_FUZZ_CHECK(!again.lostLines);
        Z9_FUZZ_SAME_HIVE(Take(hive), Take(again));
        Z9_FUZZ_EQ(WriteHive(again, root), text);
    }
}

// A clock an hour ahead: the hive just written counts as settled, so the
// registry keeps what it read in memory, as for a hive nobody touched for a
// while. Each run ends with a change, and every change clears that memory.
namespace {
class HourAheadClock : public ClockBackend {
public:
    TimePoint Now() override { return Clock::SystemClock().Now() + std::chrono::hours(1); }
    void Sleep(int ms) override { Clock::SystemClock().Sleep(ms); }
    void SleepProcessingEvents(int ms) override { Clock::SystemClock().SleepProcessingEvents(ms); }
};
} // namespace

// The registry over a hive file of any content: the key the file names last
// reads through the registry as the file holds it, and what the file holds
// reads the same after an unrelated value is written there and removed again.
void Registry(std::string_view input) {
    static HourAheadClock clock;
    Clock::Install(&clock);
    const std::string folder = ScratchFolder() + "/registry";
    const std::string file = HiveFile(RegRoot::CurrentUser);
    Z9_FUZZ_EQ(file, folder + "/HKEY_CURRENT_USER.reg");
    std::remove((file + ".damaged").c_str());
    {
        std::FILE* f = std::fopen(file.c_str(), "wb");
        Z9_FUZZ_CHECK(f != nullptr);
        Z9_FUZZ_CHECK(std::fwrite(input.data(), 1, input.size(), f) == input.size());
        std::fclose(f);
    }
    const z9::Hive parsed = ParseHive(input, RegRoot::CurrentUser);
    const Snapshot before = Take(parsed);

    const std::string path = before.rbegin()->second.first;
    RegKey key;
    Z9_FUZZ_EQ(static_cast<long long>(key.Open(RegRoot::CurrentUser, path)), 0LL);
    std::vector<RegNamedValue> values;
    Z9_FUZZ_EQ(static_cast<long long>(key.EnumValues(values)), 0LL);
    Z9_FUZZ_EQ(before.at(FoldKeyPath(path)).second.size(), values.size());
    std::vector<std::string> children;
    Z9_FUZZ_EQ(static_cast<long long>(key.EnumKeys(children)), 0LL);
    Z9_FUZZ_CHECK(children == parsed.Children(path));

    std::string name = "z9 fuzz";
    while (parsed.Find(path)->Find(name))
        name += "+";
    Z9_FUZZ_EQ(static_cast<long long>(key.Set(name, RegValue::String("unrelated"))), 0LL);
    const z9::Hive written = ParseHive(ReadAll(file), RegRoot::CurrentUser);
    Z9_FUZZ_CHECK(!written.lostLines);
    Snapshot with = Take(written);
    auto& withValues = with[FoldKeyPath(path)].second;
    Z9_FUZZ_CHECK(!withValues.empty() && withValues.back().name == name);
    Z9_FUZZ_EQ(withValues.back().value.data, std::string("unrelated", 10));
    withValues.pop_back();
    Z9_FUZZ_SAME_HIVE(before, with);
    // A file with lines nobody could read is kept beside the hive, as it was.
    if (parsed.lostLines) Z9_FUZZ_EQ(ReadAll(file + ".damaged"), std::string(input));

    Z9_FUZZ_EQ(static_cast<long long>(key.DeleteValue(name)), 0LL);
    Z9_FUZZ_SAME_HIVE(before, Take(ParseHive(ReadAll(file), RegRoot::CurrentUser)));
}

} // namespace z9::fuzz
