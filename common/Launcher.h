#pragma once
// The shell's part in starting things: which program opens a file, opening a
// program or document the way the shell does, and creating a process.
//
// On Windows this is FindExecutableA, ShellExecuteA and CreateProcessA. On
// Linux a file's program comes from the association in the emulated
// HKEY_CLASSES_ROOT, then from the desktop's MIME database; a file with execute
// permission, or a bare name found on PATH, is itself a program. Processes start
// detached in their own session, with their arguments split by the Windows
// command-line rules; what has no program (a URL, a document nobody opens) goes
// to the desktop's opener. Show modes have no Linux equivalent and are ignored;
// Linux paths have no drive letters.
//
// All text is ANSI bytes; it crosses to the host through HostText.h.
#include <cstddef>
#include <string>

namespace z9 {

// Show modes as the shell numbers them.
enum ShowMode : int { SW_SHOWNORMAL_MODE = 1, SW_SHOWMINIMIZED_MODE = 2, SW_SHOWMAXIMIZED_MODE = 3 };

// LookUpExecutable and ShellOpen answer above 32 for success; below, these errors.
inline constexpr long SE_ERR_FNF_CODE = 2;          // file not found
inline constexpr long SE_ERR_PNF_CODE = 3;          // path not found
inline constexpr long SE_ERR_ACCESSDENIED_CODE = 5; // not allowed to run it
inline constexpr long SE_ERR_OOM_CODE = 8;          // could not start it
inline constexpr long SE_ERR_NOASSOC_CODE = 31;     // no program opens it
inline constexpr long kShellSuccess = 42;           // what a successful call answers here

// The answer buffer of LookUpExecutable: 255 characters, the rest NULs.
inline constexpr std::size_t kExecutableBufferSize = 255;

class Launcher {
public:
    virtual ~Launcher() = default;

    // The program that opens file (relative to folder when folder is not
    // empty, else to the current folder). Above 32: found, and buffer holds its
    // path followed by NULs up to kExecutableBufferSize characters; a path that
    // does not fit is not found. A program is its own program.
    virtual long LookUpExecutable(const std::string& file, const std::string& folder,
                                  std::string& buffer) = 0;

    // Opens file with the verb "open": a program runs with parameters, a
    // document or URL opens in its program. folder is the new process's
    // current folder (empty: ours). Above 32 when the start was accepted.
    virtual long ShellOpen(void* owner, const std::string& file, const std::string& parameters,
                           const std::string& folder, int showMode) = 0;

    // Starts the program a command line names (its first word), in a new
    // process group, in folder (empty: ours), and lets go of it at once.
    // True when it started.
    virtual bool StartProcess(const std::string& commandLine, const std::string& folder, int showMode) = 0;

    // True where paths may begin with a drive letter ("C:").
    virtual bool DriveLetters() const = 0;
};

// The platform's launcher.
Launcher& SystemLauncher();
// The launcher in force: the one installed, else the platform's.
Launcher& CurrentLauncher();
// Installs a launcher (not owned); nullptr restores the platform's. Returns the previous one.
Launcher* InstallLauncher(Launcher* launcher);

// LookUpExecutable's buffer made from a path: the path and NULs to the full size;
// empty when the path does not fit.
std::string ExecutableBuffer(const std::string& path);

} // namespace z9
