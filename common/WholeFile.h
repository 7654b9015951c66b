#pragma once
// Reading a whole file at once, with the system's description of a failure.
#include <string>

namespace z9 {

// Reads the file at hostPath (HostPath.h) into bytes. Anything but a plain file
// (a folder, a pipe, a device) is refused as Windows refuses it, with "Access is
// denied.", so a read never waits for a writer. On failure bytes is empty and
// errorText holds the system's text.
bool ReadWholeFile(const std::string& hostPath, std::string& bytes, std::string& errorText);

} // namespace z9
