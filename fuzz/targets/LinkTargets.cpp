// A menu link of any content: resolved, launched against a launcher that only
// records, its environment variables expanded and its arguments split.
#include "fuzz/FuzzTarget.h"

#include "common/Arguments.h"
#include "common/AsciiText.h"
#include "common/Launcher.h"
#include "menu/app/CommandSwitch.h"
#include "menu/app/ExpandEnvVars.h"
#include "menu/app/ShellRun.h"

namespace z9::fuzz {
namespace {

// Finds a program for every name whose length is odd, so both roads are taken.
class RecordingLauncher : public Launcher {
public:
    int starts = 0;
    bool drives = false;
    long LookUpExecutable(const std::string& file, const std::string&, std::string& buffer) override {
        buffer = ExecutableBuffer(file.size() % 2 ? file.substr(0, 200) + " \"%1\"" : std::string());
        return file.size() % 2 && !buffer.empty() ? kShellSuccess : SE_ERR_FNF_CODE;
    }
    long ShellOpen(void*, const std::string&, const std::string&, const std::string&, int) override {
        ++starts;
        return kShellSuccess;
    }
    bool StartProcess(const std::string&, const std::string&, int) override {
        ++starts;
        return true;
    }
    bool DriveLetters() const override { return drives; }
};

} // namespace

void Link(std::string_view input) {
    const std::string link(input);
    RecordingLauncher launcher;
    launcher.drives = !link.empty() && (link[0] & 1);
    Launcher* previous = InstallLauncher(&launcher);

    ShellRunResult resolved = ShellRun(nullptr, link, "", kResolveOnly);
    Z9_FUZZ_EQ(launcher.starts, 0);
    Z9_FUZZ_CHECK(resolved.method == ' ');
    Z9_FUZZ_CHECK(resolved.kind <= 2);
    Z9_FUZZ_CHECK(resolved.showMode >= 1 && resolved.showMode <= 3);
    Z9_FUZZ_CHECK(resolved.switchText.empty() || StartsWithNoCase(resolved.switchText, " /Z9"));
    if (resolved.kind != 2) Z9_FUZZ_CHECK(!resolved.executable.empty());

    ShellRunResult launched = ShellRun(nullptr, link, "", kLaunch);
    Z9_FUZZ_CHECK(launcher.starts <= 1);
    Z9_FUZZ_CHECK(launched.method == 'S' || launched.method == 'C');
    Z9_FUZZ_EQ(launched.kind, resolved.kind);
    Z9_FUZZ_EQ(launched.program, resolved.program);
    Z9_FUZZ_EQ(launched.switchText, resolved.switchText);
    LaunchLink(link);
    Z9_FUZZ_CHECK(launcher.starts <= 2);
    InstallLauncher(previous);

    // The program keeps or drops its quotes, nothing else differs in length.
    std::string bare, quoted;
    std::string program = SplitCommand(link, 1, bare);
    std::string withQuotes = SplitCommand(link, 2, quoted);
    Z9_FUZZ_EQ(bare, quoted);
    Z9_FUZZ_CHECK(program.size() <= withQuotes.size());
    Z9_FUZZ_CHECK(program.size() + bare.size() <= link.size());

    if (link.find('%') == std::string::npos) Z9_FUZZ_EQ(ExpandEnvVars(link), link);
    ExpandEnvVars(link);

    std::size_t total = 0;
    for (const auto& word : SplitArguments(link))
        total += word.size();
    Z9_FUZZ_CHECK(total <= link.size());

    std::size_t first = FindSwitch(link, "/l"), last = FindSwitch(link, "/l", SwitchAt::Last);
    Z9_FUZZ_CHECK((first == std::string::npos) == (last == std::string::npos));
    if (first != std::string::npos) Z9_FUZZ_CHECK(first <= last);
}

} // namespace z9::fuzz
