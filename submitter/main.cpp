// Z9Sub: the task submitter.
#include "common/HostText.h"
#include "common/MessageBox.h"
#include "common/Program.h"
#include "common/QtPlatform.h"
#include "submitter/app/CommandLine.h"
#include "submitter/app/Form1.h"
#include "submitter/base/ReportError.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    // The arguments arrive in the host's encoding: the door is open before they are read.
    z9::InstallHostText();
    const std::string line = z9::JoinArguments(argc, argv);
    const z9::CommandLine command = z9::ParseCommandLine(line);
    const bool submitMode = command.submitMode;
    // Scripts and schedulers run submissions without a display, and a user
    // asks for the help in a terminal without one: both run windowless
    // instead of failing to open a display.
    if ((submitMode || command.help) && z9::EnvVar("QT_QPA_PLATFORM").empty() && !z9::WindowSystemPresent())
        z9::SetEnvVar("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    z9::SetAppTitle("Zorvan Submitter");
    z9::InstallQtPlatform();
    if (submitMode) {
        // Nobody is there to click: whatever would still ask goes to the log.
        z9::SetMessageHandler([](const std::string& text, int style, const std::string&) {
            z9::AppendErrorLog(text);
            switch (style & 7) {
            case z9::vbYesNoCancel:
                return static_cast<int>(z9::vbCancel);
            case z9::vbYesNo:
                return static_cast<int>(z9::vbNo);
            default:
                return static_cast<int>(z9::vbOK);
            }
        });
    }

    if (const auto unfit = z9::ArgumentOutsideCodePage(argc, argv)) {
        // Read with '?' in its place, a file name would name other files.
        z9::ReportError("The command line holds a name or value that cannot be written in the system's "
                        "character set.\n\nArgument: " +
                            z9::FromHostText(*unfit),
                        48);
        return 1;
    }
    z9::Form1 form;
    if (!form.Form_Load(line)) {
        // The window was never shown (submit mode, /?, a start that failed) and
        // every file the run wrote is closed. Taking apart the controls of a
        // large task, and Qt's bookkeeping of them, would cost a good share of
        // the work itself for nobody: the program ends here, and the system
        // takes the memory back.
        std::fflush(nullptr);
        std::_Exit(form.ExitCode());
    }
    form.show();
    return app.exec();
}
