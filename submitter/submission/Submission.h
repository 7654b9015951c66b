#pragma once
// The four phases of a submission as the submit window runs them, without the
// window: the window shows what this reports.
#include <string>

namespace z9 {

struct TaskRecord;

inline constexpr int kPhaseCount = 4;
inline constexpr const char* kPhaseCaptions[kPhaseCount] = {
    "Creating Connection And Validating Credentials...",
    "Creating Directory Structure...",
    "File Transfer...",
    "Zorvan File Transfer...",
};

// Indicator pictures.
enum PhasePicture : int { kPicDone = 0, kPicRunning = 1, kPicFailed = 2 };

inline constexpr const char* kStatusReady = "Status: Ready";
inline constexpr const char* kStatusSubmitting = "Status: Submitting Task...";
inline constexpr const char* kStatusSucceeded = "Task was submitted successfully!";
inline constexpr const char* kStatusFailed = "Task was not submitted successfully!";

// What the submit window shows while the phases run.
class SubmitDisplay {
public:
    virtual ~SubmitDisplay() = default;
    // Shows picture in the indicator of phase and repaints the window at once.
    virtual void PicCC(int phase, int picture) = 0;
    virtual void SetStatus(const std::string& text) = 0;   // Label1
    virtual void SetTimeText(const std::string& text) = 0; // Label3
    // L1, L3 and L2 from the task.
    virtual void SetTaskCaptions(const TaskRecord& task) = 0;
    // Close: disabled while the phases run; enabled again as the default button.
    virtual void SetCloseEnabled(bool enabled) = 0;
};

// "Task Name: ...", "User: ...", "Server: ...".
std::string TaskNameCaption(const TaskRecord& task);
std::string UserCaption(const TaskRecord& task);
std::string ServerCaption(const TaskRecord& task);

// Runs the phases for task: connection and credentials, task folder, file
// transfer, queued task file. Phases after a failed one never start. Returns
// the outcome; failedPhase gets the caption of the phase that failed.
bool Submit(TaskRecord& task, SubmitDisplay& display, std::string* failedPhase = nullptr);

// The task number of a queued task file: 0 to 9998, drawn afresh from the time.
int DrawTaskNumber();

// The program-wide submitted flag the main window reads after the submit window closed.
bool TaskSubmitted();
void SetTaskSubmitted(bool submitted);

// SERVER/\DOMAIN/\USER, upper-cased.
std::string ProfileName(const TaskRecord& task);
// Remembers the task's server, domain and user under the workstation product's
// Profiles key when that product is installed. Registry errors are ignored.
void SaveProfile(const TaskRecord& task);

} // namespace z9
