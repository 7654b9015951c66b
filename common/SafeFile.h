#pragma once
// Replacing a file so that nobody ever sees half of it: the new bytes go to a
// temporary file beside the target ("~name.NNN.tmp", a name the queue's
// readers pass over), are flushed to the disk, and only then take the
// target's name in one rename. Any failure removes the temporary file and
// leaves the previous file (or none) as it was.
//
//     SafeFile file(HostPath(path));
//     if (!file.Open() || !file.Write(bytes) || !file.Commit()) report(file.ErrorText());
//
// A writer that dies before it commits (killed, power lost) strands its
// temporary file. Nothing would ever remove it, so the next Open of the same
// target removes every temporary of that target that no living writer holds:
// a writer holds its temporary file open and locked until it is done, and the
// system drops that hold when the writer dies.
//
// Paths are host paths (HostPath.h). Failures come back as a Windows error
// code and the system's text for it; nothing throws.
#include <cstdint>
#include <string>
#include <string_view>

namespace z9 {

struct SafeFileOptions {
    // The file is readable and writable by its owner only (the registry
    // hives); otherwise a new file gets the usual mode and a replaced one
    // keeps its own.
    bool privateToUser = false;
    // Holds an exclusive lock on the existing file from Open to Commit, and on
    // the new file until it is closed, so a reader that probes for exclusive
    // access (LoadTask) waits for the whole new file. A target that another
    // program holds locked is refused with a sharing violation.
    bool lockTarget = false;
};

class SafeFile {
public:
    explicit SafeFile(std::string path, SafeFileOptions options = {});
    // An open file that was not committed is discarded.
    ~SafeFile();
    SafeFile(const SafeFile&) = delete;
    SafeFile& operator=(const SafeFile&) = delete;

    // Checks the target (a folder, a read-only file and a missing folder are
    // refused), removes the temporaries that dead writers left beside it and
    // creates the temporary file.
    bool Open();
    // Appends bytes to the temporary file.
    bool Write(std::string_view bytes);
    // Flushes the temporary file to the disk and renames it over the target.
    bool Commit();
    // Removes the temporary file; the target stays as it was.
    void Discard();

    bool IsOpen() const { return file_ != kNoFile; }
    const std::string& Path() const { return path_; }
    // The failure: a Windows error code (errno values without one negated, as
    // WinErrorFromErrno gives them) and its text; 0 and empty while none.
    long Error() const { return error_; }
    const std::string& ErrorText() const { return errorText_; }

private:
    static constexpr std::intptr_t kNoFile = -1;

    // Records the failure, discards the temporary file and returns false.
    bool Fail(long winError);
    // The platform's steps.
    bool OpenFiles();
    bool WriteBytes(std::string_view bytes);
    bool CommitFile();
    void CloseFiles();
    // A fresh name for the temporary file beside the target.
    std::string TempName() const;
    // Removes the temporaries of this target that no living writer holds.
    void RemoveStaleTemporaries() const;
    // The platform's step: removes one temporary unless a writer still holds it.
    static void RemoveIfAbandoned(const std::string& file);

    std::string path_;
    SafeFileOptions options_;
    std::string temp_;
    std::intptr_t file_ = kNoFile;   // the temporary file
    std::intptr_t target_ = kNoFile; // the locked target (lockTarget)
    long error_ = 0;
    std::string errorText_;
};

// Appends bytes to the end of a file, creating it when missing; a new file
// with privateToUser is readable and writable by its owner only (a log that
// may name what a user typed). False when the file cannot be opened or
// written.
bool AppendToFile(const std::string& path, std::string_view bytes, bool privateToUser);

// The whole of bytes written to path through a SafeFile. On failure returns
// false and, when asked, the failure's code and text.
bool WriteFileSafely(const std::string& path, std::string_view bytes, SafeFileOptions options = {},
                     long* error = nullptr, std::string* errorText = nullptr);

} // namespace z9
