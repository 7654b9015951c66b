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
    std::string log;    // Z9SubError.log
    std::string output; // what it printed on standard output
};

// Runs build/bin/Z9Sub with args in the folder, without any display; with a
// queue server, the server answers while the program runs. A platform names
// the Qt platform plugin to ask for (QT_QPA_PLATFORM), as a user may.
ProgramRun RunZ9Sub(const TempFolder& tmp, const QStringList& args, FakeQueueServer* server = nullptr,
                    const QString& platform = QString());

} // namespace z9::test
