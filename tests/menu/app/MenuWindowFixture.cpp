#include "tests/menu/app/MenuWindowFixture.h"

#include "common/Clock.h"
#include "tests/support/LaunchWatch.h"

#include <fstream>

namespace z9::test {

namespace fs = std::filesystem;

MenuWindowTest::MenuWindowTest() {
    // The submitter beside the menu program: a program that writes down how it was started.
    CopyArgDump(Bin() / (std::string("Z9Sub") + ExeSuffix()));
    SetProgramFolder(Bin().string());

    QObject::connect(&modalWatch_, &QTimer::timeout, [this] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal != watchedModal_) {
            watchedModal_ = modal;
            modalSince_.start();
            return;
        }
        if (modal && modalSince_.elapsed() > 5000) {
            ADD_FAILURE() << "nobody answered the modal window " << modal->objectName().toStdString();
            modal->close();
        }
    });
    modalWatch_.start(100);
}

MenuWindowTest::~MenuWindowTest() {
    window_.reset();
    SetProgramFolder("");
}

std::string MenuWindowTest::WriteMenu(const std::string& relative, const std::vector<std::string>& lines) {
    std::string bytes;
    for (const std::string& line : lines)
        bytes += line + "\r\n";
    return temp_.Write(relative, bytes).string();
}

MenuWindow& MenuWindowTest::Start(const std::string& commandLine) {
    window_ = std::make_unique<MenuWindow>();
    started_ = window_->Form_Load(commandLine);
    return *window_;
}

void MenuWindowTest::Settle(int ms) {
    QElapsedTimer timer;
    timer.start();
    do {
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    } while (timer.elapsed() < ms);
}

} // namespace z9::test
