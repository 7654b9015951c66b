#include "ReportError.h"

#include "common/Clock.h"
#include "common/Desktop.h"
#include "common/MessageBox.h"
#include "common/P8LocaleSettings.h"
#include "common/Program.h"
#include "common/SafeFile.h"

namespace z9 {
namespace {
bool submitMode = false;
}

bool SubmitMode() {
    return submitMode;
}
void SetSubmitMode(bool on) {
    submitMode = on;
}

void AppendErrorLog(const std::string& text) {
    // Opened, written and closed for every entry, never truncated.
    std::string entry = GeneralDateTimeText(Clock::Now()) + " - " + text + "\r\n";
    // Readable by its owner only: entries name what a run was given.
    AppendToFile(kErrorLogName, entry, true);
}

void ReportError(const std::string& text, int style, bool logOnly) {
    if (!logOnly && !submitMode)
        MessageBox(text, style);
    else
        AppendErrorLog(text);
}

void ReportToPerson(const std::string& text, int style) {
    if (!submitMode || PersonCanAnswer())
        MessageBox(text, style, AppTitle());
    else
        AppendErrorLog(text);
}

} // namespace z9
