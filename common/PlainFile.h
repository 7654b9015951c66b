#pragma once
// Reading a whole file someone named (a task file, a combo list): only a plain
// file is read, as Windows reads only files: a folder or a device is refused,
// and a pipe with no writer never holds the reader. A file over the limit is
// refused without being read. Paths are host paths (HostPath.h).
#include <cstdint>
#include <string>

namespace z9 {

// Where a read failed, in the order the steps run.
enum class PlainFileStep { Open = 1, Size = 2, Read = 3, Close = 4 };

struct PlainFileError {
    PlainFileStep step = PlainFileStep::Open;
    // The system's text of the failure; empty for a file over the limit.
    std::string text;
};

// The whole file into bytes. While the file is read no other program may
// write to it where the system can refuse that (Windows).
bool ReadPlainFile(const std::string& path, std::uint64_t limit, std::string& bytes,
                   PlainFileError* error = nullptr);

// Whether the file could be opened with no sharing at all: empty when it could,
// else the system's text of why not (another program holds it, it is missing).
// On Linux a program that holds the file shows it by an exclusive lock (flock),
// as SafeFile's writers do.
std::string ExclusiveAccessFailure(const std::string& path);

} // namespace z9
