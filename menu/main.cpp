// Z9Menu: the menu program.
#include "common/HostText.h"
#include "common/Program.h"
#include "common/QtPlatform.h"
#include "menu/app/MenuWindow.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    z9::InstallQtPlatform();
    z9::MenuWindow window;
    if (!window.Form_Load(z9::FromHostText(z9::JoinArguments(argc, argv)))) return 1;
    return app.exec();
}
