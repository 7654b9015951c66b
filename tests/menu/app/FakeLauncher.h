#pragma once
// A launcher that answers look-ups from a table and records what it is asked
// to start instead of starting it. With refuseStarts it fails the test on any start.
#include "common/Launcher.h"

#include <gtest/gtest.h>
#include <map>
#include <string>
#include <vector>

namespace z9::test {

class FakeLauncher : public Launcher {
public:
    struct Start {
        char how;               // 'S' shell, 'C' process
        std::string file;       // shell: the file; process: the command line
        std::string parameters; // shell only
        std::string folder;
        int showMode;
    };

    FakeLauncher() : previous_(InstallLauncher(this)) {}
    ~FakeLauncher() override { InstallLauncher(previous_); }

    // file -> the raw buffer the shell would fill (use ExecutableBuffer for a plain path).
    std::map<std::string, std::string> executables;
    bool driveLetters = false;
    bool refuseStarts = false;
    long shellAnswer = kShellSuccess;
    bool processAnswer = true;
    std::vector<std::string> lookUps;
    std::vector<std::string> lookUpFolders;
    std::vector<Start> starts;

    long LookUpExecutable(const std::string& file, const std::string& folder, std::string& buffer) override {
        lookUps.push_back(file);
        lookUpFolders.push_back(folder);
        auto found = executables.find(file);
        if (found == executables.end()) {
            buffer.assign(kExecutableBufferSize, '\0');
            return SE_ERR_FNF_CODE;
        }
        buffer = found->second;
        return kShellSuccess;
    }
    long ShellOpen(void*, const std::string& file, const std::string& parameters, const std::string& folder,
                   int showMode) override {
        if (refuseStarts) ADD_FAILURE() << "asked to open " << file;
        starts.push_back({'S', file, parameters, folder, showMode});
        return shellAnswer;
    }
    bool StartProcess(const std::string& commandLine, const std::string& folder, int showMode) override {
        if (refuseStarts) ADD_FAILURE() << "asked to start " << commandLine;
        starts.push_back({'C', commandLine, "", folder, showMode});
        return processAnswer;
    }
    bool DriveLetters() const override { return driveLetters; }

private:
    Launcher* previous_;
};

} // namespace z9::test
