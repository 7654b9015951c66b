#include "HelpFile.h"

#include "CodePageQt.h"
#include "HostPath.h"
#include "MessageBox.h"
#include "Program.h"

#include <QDesktopServices>
#include <QUrl>

#include <filesystem>

namespace z9 {

std::string ProgramHelpFile(const std::string& name) {
    return ProgramFolder() + PathSeparator() + name;
}

void ShowHelpFile(const std::string& helpFile) {
    std::error_code ec;
    if (helpFile.empty() || !std::filesystem::exists(HostFileName(helpFile), ec)) {
        MessageBox("Unable to display Help Contents. There is no Help associated with this project.",
                   vbInformation);
        return;
    }
    QDesktopServices::openUrl(QUrl::fromLocalFile(FromAnsi(HostPath(helpFile))));
}

} // namespace z9
