#pragma once
// The task file (.z9f): its reader and its writer. A record whose EDITPPP is
// not empty is written inside the encrypted container.
#include "TaskRecord.h"

#include <cstddef>
#include <string>

namespace z9 {

// Larger task files are refused: "File too big.".
inline constexpr std::size_t kMaxTaskFileSize = 10485760;

// Loads a task file into task. On failure task is left as it was,
// LastTaskError() holds the message, and unless silent (or the program is a
// server) the message is shown with style 16.
bool LoadTask(const std::string& path, TaskRecord& task, bool silent);

// Writes the whole task file, replacing any existing one only once the new text
// is completely on disk: a failed save leaves the previous file (or none).
bool SaveTask(const std::string& path, const TaskRecord& task, bool silent);

// The task held in a task file's bytes, plain or inside the container, read as
// LoadTask reads the file once it is in memory. On failure task is left as it
// was, why holds the description and progress the stage that failed.
bool ParseTaskText(std::string bytes, TaskRecord& task, int& progress, std::string& why);
// The bytes SaveTask writes for task: the plain format, or the container when
// EDITPPP is set. Fails (with why) when a count does not fit its array.
bool BuildTaskText(const TaskRecord& task, std::string& text, std::string& why);

// The message of the last failed LoadTask or SaveTask; empty after a success.
const std::string& LastTaskError();

} // namespace z9
