#include "Submission.h"
#include "common/AnsiCase.h"

#include "Credentials.h"
#include "Identity.h"
#include "JobQueue.h"
#include "ServerTask.h"

#include "common/Clock.h"
#include "common/DateTime.h"
#include "common/MessageBox.h"
#include "common/P8LocaleSettings.h"
#include "common/Settings.h"
#include "submitter/base/ReportError.h"
#include "submitter/base/SubmitterKeys.h"
#include "submitter/taskfile/Container.h"
#include "submitter/taskfile/TaskRecord.h"

#include <algorithm>
#include <random>

namespace z9 {
namespace {

bool submitted = false;

std::string LongTimeText(TimePoint t) {
    return FormatDateTimePicture(GetLocaleString(LOCALE_STIMEFORMAT_ID), t);
}

// A span shown as a time of day: a day's midnight plus the span (whole seconds, within a day).
std::string ElapsedText(TimePoint start, TimePoint end) {
    long long seconds = std::chrono::duration_cast<std::chrono::seconds>(end - start).count();
    seconds = ((seconds % 86400) + 86400) % 86400;
    TimePoint shown{};
    // A day whose clock skips that hour (a change to summer time) cannot show it: take an earlier day.
    for (int back = 0; back < 7; ++back) {
        DateTime day = LocalDateTime(end - std::chrono::hours(24 * back));
        day.Hour = static_cast<int>(seconds / 3600);
        day.Minute = static_cast<int>(seconds / 60 % 60);
        day.Second = static_cast<int>(seconds % 60);
        shown = ToTimePoint(day);
        DateTime read = LocalDateTime(shown);
        if (read.Hour == day.Hour && read.Minute == day.Minute && read.Second == day.Second) break;
    }
    return LongTimeText(shown);
}

} // namespace

std::string TaskNameCaption(const TaskRecord& task) {
    return "Task Name: " + task.TaskName;
}
std::string UserCaption(const TaskRecord& task) {
    return "User: " + task.User;
}
std::string ServerCaption(const TaskRecord& task) {
    return "Server: " + task.Server;
}

int DrawTaskNumber() {
    std::mt19937 random(static_cast<std::mt19937::result_type>(Clock::Now().time_since_epoch().count()));
    double fraction = std::generate_canonical<double, 32>(random);
    return std::min(9998, static_cast<int>(fraction * 9999));
}

bool TaskSubmitted() {
    return submitted;
}
void SetTaskSubmitted(bool value) {
    submitted = value;
}

bool Submit(TaskRecord& task, SubmitDisplay& display, std::string* failedPhase) {
    std::string failed;
    bool ok = false;
    std::unique_ptr<ServerTask> object;
    TimePoint start = Clock::Now();
    int phase = -1;
    auto begin = [&](int p) {
        phase = p;
        display.PicCC(p, kPicRunning);
    };
    // Sleeps briefly, then shows the phase's outcome; false stops the road.
    auto end = [&](bool done) {
        Clock::Sleep(100);
        display.PicCC(phase, done ? kPicDone : kPicFailed);
        if (!done) failed = kPhaseCaptions[phase];
        return done;
    };
    try {
        object = CreateServerTask(task.Server);
        int n = DrawTaskNumber();
        display.SetCloseEnabled(false);
        display.SetStatus(kStatusSubmitting);
        display.SetTaskCaptions(task);
        start = Clock::Now();
        display.SetTimeText("Submit Time: " + LongTimeText(start));

        begin(0);
        std::string location = GetQueueLocation(task.Server, task.Password, task.User);
        bool granted = !location.empty() &&
                       CheckCredentials(task.User, task.Password, task.Domain, task.Server, location) == 1;
        if (end(granted)) {
            begin(1);
            task.ServerPath = location;
            if (end(PrepareTaskFolder(task, object.get()))) {
                begin(2);
                if (end(TransferTaskFiles(task))) {
                    begin(3);
                    std::string path = QueuedTaskPath(task, ComputerName(), n);
                    // The task file carries the password in hexadecimal; the record keeps its own form.
                    std::string password = task.Password;
                    task.Password = HexEncode(password);
                    bool dropped = DropTask(task, path, object.get());
                    task.Password = password;
                    ok = end(dropped);
                }
            }
        }
    } catch (const std::exception& e) {
        ReportError(std::string("Submit Error: ") + e.what(), vbCritical);
        ok = false;
    }

    // From here on nothing may stop the window from finishing.
    try {
        display.SetStatus(ok ? kStatusSucceeded : kStatusFailed);
        if (!ok && SubmitMode())
            ReportError("Error: Following phase in submit process failed:\r\n" + failed + "\r\n" +
                            kStatusFailed,
                        vbInformation);
        if (!IsLocalServer(task.Server)) DisconnectQueue(task.Server);
        display.SetCloseEnabled(true);
        display.SetTimeText("Elapsed Time: " + ElapsedText(start, Clock::Now()));
    } catch (const std::exception&) {
    }
    object.reset();
    if (failedPhase) *failedPhase = failed;
    return ok;
}

std::string ProfileName(const TaskRecord& task) {
    return UpperAnsi(task.Server + "/\\" + task.Domain + "/\\" + task.User);
}

void SaveProfile(const TaskRecord& task) {
    if (!KeyExists(kWorkstationKey)) return;
    const std::string profiles = std::string(kWorkstationKey) + "\\Profiles";
    if (!KeyExists(profiles)) CreateKey(profiles);
    SetStringValue(RegRoot::CurrentUser, "Software\\" + profiles, ProfileName(task), "");
}

} // namespace z9
