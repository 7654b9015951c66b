// Menu links: splitting a command, resolving and starting it through a
// launcher that starts nothing, %NAME% expansion, switches and the arguments a
// started program gets.
#include "fuzz/FuzzTarget.h"

#include "common/Arguments.h"
#include "common/AsciiText.h"
#include "common/Launcher.h"
#include "menu/app/CommandSwitch.h"
#include "menu/app/ExpandEnvVars.h"
#include "menu/app/ShellRun.h"

#include <cstdlib>

namespace z9::fuzz {
namespace {

// Answers look-ups by the file's extension, as the shell's associations would,
// and records what it is asked to start instead of starting it. The bits of
// the link's first byte choose its manners, so every road is taken.
class RecordingLauncher : public Launcher {
public:
    explicit RecordingLauncher(unsigned char manners) : manners_(manners), previous_(InstallLauncher(this)) {}
    ~RecordingLauncher() override { InstallLauncher(previous_); }
    RecordingLauncher(const RecordingLauncher&) = delete;
    RecordingLauncher& operator=(const RecordingLauncher&) = delete;

    long LookUpExecutable(const std::string& file, const std::string&, std::string& buffer) override {
        ++lookUps;
        const std::string upper = UpperAscii(file);
        auto endsWith = [&](const std::string& end) {
            return upper.size() >= end.size() &&
                   upper.compare(upper.size() - end.size(), end.size(), end) == 0;
        };
        std::string path;
        // The system takes a name only up to a NUL; a name with nothing in it names nothing.
        if (file.find('\0') != std::string::npos || Trim(file).empty()) {
        } else if (endsWith(".EXE") || endsWith(".CMD") || (manners_ & 2)) {
            path = file.substr(0, 200); // a program is its own program
        } else if (endsWith(".TXT") || endsWith(".XLS") || endsWith(".Z9F")) {
            path = (manners_ & 4) ? "C:\\Program Files\\Open\\open.exe \"%1\"" : "C:\\Tools\\open.exe";
        }
        buffer = path.empty() ? std::string() : ExecutableBuffer(path);
        if (buffer.empty()) {
            buffer.assign(kExecutableBufferSize, '\0');
            return path.empty() ? SE_ERR_NOASSOC_CODE : SE_ERR_FNF_CODE;
        }
        return kShellSuccess;
    }
    long ShellOpen(void*, const std::string&, const std::string&, const std::string&, int) override {
        ++starts;
        return (manners_ & 8) ? SE_ERR_FNF_CODE : kShellSuccess;
    }
    bool StartProcess(const std::string&, const std::string&, int) override {
        ++starts;
        return !(manners_ & 8);
    }
    bool DriveLetters() const override { return manners_ & 1; }

    int lookUps = 0;
    int starts = 0;

private:
    unsigned char manners_;
    Launcher* previous_;
};

bool SameResolution(const ShellRunResult& a, const ShellRunResult& b) {
    return a.executable == b.executable && a.program == b.program && a.arguments == b.arguments &&
           a.switchText == b.switchText && a.workingFolder == b.workingFolder && a.kind == b.kind &&
           a.showMode == b.showMode;
}

// The rule as the menu states it, written out on its own: a %NAME% pair whose
// name is under 31 characters and has a value is replaced; otherwise the
// opening '%' and the name stay, and the closing '%' may open the next pair.
std::string ExpandedByTheRule(const std::string& text) {
    if (text.size() < 3 || text.find('%') == std::string::npos) return text;
    std::string out;
    std::size_t pos = 0;
    for (;;) {
        const std::size_t open = text.find('%', pos);
        const std::size_t close = open == std::string::npos ? open : text.find('%', open + 1);
        if (close == std::string::npos) return out + text.substr(pos);
        const std::string name = text.substr(open + 1, close - open - 1);
        const std::string value = name.size() < 31 ? EnvironmentValue(name) : std::string();
        if (value.empty()) {
            out += text.substr(pos, close - pos);
            pos = close;
        } else {
            out += text.substr(pos, open - pos) + value;
            pos = close + 1;
        }
    }
}

} // namespace

// A link of any content.
void Link(std::string_view input) {
    const std::string link(input);
    RecordingLauncher launcher(link.empty() ? 0 : static_cast<unsigned char>(link[0]));

    // Split with its quotes kept, the program and its arguments are the command again.
    std::string arguments, bareArguments;
    const std::string quoted = SplitCommand(link, 2, arguments);
    const std::string bare = SplitCommand(link, 1, bareArguments);
    Z9_FUZZ_EQ(quoted + arguments, Trim(link));
    Z9_FUZZ_EQ(bareArguments, arguments);
    Z9_FUZZ_CHECK(bare.size() <= quoted.size());

    // Resolving starts nothing.
    const ShellRunResult resolved = ShellRun(nullptr, link, "", kResolveOnly);
    Z9_FUZZ_EQ(launcher.starts, 0);
    Z9_FUZZ_EQ(resolved.method, ' ');
    Z9_FUZZ_EQ(static_cast<int>(resolved.success), 0);
    Z9_FUZZ_CHECK(resolved.kind <= 2);
    Z9_FUZZ_CHECK(resolved.showMode >= 1 && resolved.showMode <= 3);
    const std::string trimmed = Trim(link);
    if (!resolved.switchText.empty()) {
        Z9_FUZZ_CHECK(StartsWithNoCase(resolved.switchText, " /Z9"));
        const std::string tail = resolved.switchText.substr(1);
        Z9_FUZZ_CHECK(trimmed.size() >= tail.size() &&
                      trimmed.compare(trimmed.size() - tail.size(), tail.size(), tail) == 0);
    }
    if (resolved.kind != 2) Z9_FUZZ_CHECK(!resolved.executable.empty() && !resolved.program.empty());

    // A click resolves the link exactly as the icon did, and starts at most one thing.
    const int lookUps = launcher.lookUps;
    const ShellRunResult launched = ShellRun(nullptr, link, "", kLaunch);
    Z9_FUZZ_CHECK(SameResolution(launched, resolved));
    Z9_FUZZ_CHECK(launched.method == 'S' || launched.method == 'C');
    Z9_FUZZ_CHECK(launcher.starts <= 1);
    Z9_FUZZ_CHECK(launched.success == 0 || launcher.starts == 1);
    Z9_FUZZ_EQ(launcher.lookUps - lookUps, lookUps);
    if (!StartsWithNoCase(link, "Z9SUB") && !StartsWithNoCase(link, "\"Z9SUB"))
        Z9_FUZZ_EQ(LinkCommand(link), link);
    const int before = launcher.starts;
    LaunchLink(link);
    Z9_FUZZ_CHECK(launcher.starts - before <= 1);

    // The words a started program gets come from the command line and nothing else.
    std::size_t total = 0;
    for (const auto& word : SplitArguments(link))
        total += word.size();
    Z9_FUZZ_CHECK(total <= link.size());

    const std::size_t first = FindSwitch(link, "/l"), last = FindSwitch(link, "/l", SwitchAt::Last);
    Z9_FUZZ_CHECK((first == std::string::npos) == (last == std::string::npos));
    if (first != std::string::npos) Z9_FUZZ_CHECK(first <= last);
}

// %NAME% expansion against a few variables this target sets.
void EnvVars(std::string_view input) {
    static const bool set = [] {
        ::setenv("Z9FUZZ", "value", 1);
        ::setenv("Z9FUZZ_PCT", "%Z9FUZZ%", 1);
        ::setenv("Z9FUZZ_30_CHARACTERS_LONG_NAME", "long", 1); // 30 characters: expanded
        ::setenv("Z9FUZZ_31_CHARACTERS_LONG_NAME_", "too long", 1);
        ::setenv("Z9FUZZ_EMPTY", "", 1);
        return true;
    }();
    (void)set;
    const std::string text(input);
    Z9_FUZZ_EQ(ExpandEnvVars(text), ExpandedByTheRule(text));
}

} // namespace z9::fuzz
