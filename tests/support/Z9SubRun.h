#pragma once
// Z9Sub started as a separate process, as scripts and schedulers start it.
#include "FakeQueueServer.h"
#include "TestSupport.h"

#include <QStringList>
#include <string>

namespace z9::test {

struct ProgramRun {
    int exitCode = -1;
    bool finished = false;
    std::string log; // Z9SubError.log
};

// Runs build/bin/Z9Sub with args in the folder, without any display; with a
// queue server, the server answers while the program runs.
ProgramRun RunZ9Sub(const TempFolder& tmp, const QStringList& args, FakeQueueServer* server = nullptr);

} // namespace z9::test
