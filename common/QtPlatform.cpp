#include "QtPlatform.h"

#include "Clock.h"
#include "CodePage.h"
#include "HostText.h"
#include "MessageBox.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFontDatabase>
#include <QMessageBox>
#include <QThread>

namespace z9 {
namespace {

class QtClock : public ClockBackend {
public:
    TimePoint Now() override { return Clock::SystemClock().Now(); }
    void Sleep(int ms) override { Clock::SystemClock().Sleep(ms); }
    void SleepProcessingEvents(int ms) override {
        QElapsedTimer timer;
        timer.start();
        do {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
            qint64 left = ms - timer.elapsed();
            if (left > 0) QThread::msleep(static_cast<unsigned long>(std::min<qint64>(left, 10)));
        } while (timer.elapsed() < ms);
    }
};

int ShowQtMessage(const std::string& text, int style, const std::string& title) {
    QMessageBox box;
    box.setWindowTitle(FromAnsi(title));
    box.setText(FromAnsi(text));
    switch (style & 0x70) {
    case vbCritical: box.setIcon(QMessageBox::Critical); break;
    case vbQuestion: box.setIcon(QMessageBox::Question); break;
    case vbExclamation: box.setIcon(QMessageBox::Warning); break;
    case vbInformation: box.setIcon(QMessageBox::Information); break;
    default: box.setIcon(QMessageBox::NoIcon); break;
    }
    switch (style & 7) {
    case vbOKCancel: box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel); break;
    case vbYesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
    case vbYesNo: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
    default: box.setStandardButtons(QMessageBox::Ok); break;
    }
    switch (box.exec()) {
    case QMessageBox::Cancel: return vbCancel;
    case QMessageBox::Yes: return vbYes;
    case QMessageBox::No: return vbNo;
    default: return vbOK;
    }
}

} // namespace

void LoadProgramFonts() {
    static bool done = false;
    if (done) return;
    done = true;
    if (QFontDatabase::families().contains(QStringLiteral("Tahoma"), Qt::CaseInsensitive)) return;
    for (const char* file : {"/usr/share/wine/fonts/tahoma.ttf", "/usr/share/wine/fonts/tahomabd.ttf"})
        if (QFile::exists(QString::fromLatin1(file))) QFontDatabase::addApplicationFont(QString::fromLatin1(file));
}

void InstallHostText() {
    SetHostTextConversion(
        [](const std::string& ansi) {
            QByteArray utf8 = FromAnsi(ansi).toUtf8();
            return std::string(utf8.constData(), static_cast<size_t>(utf8.size()));
        },
        [](const std::string& host) {
            return ToAnsi(QString::fromUtf8(host.data(), static_cast<qsizetype>(host.size())));
        });
}

void InstallQtPlatform() {
    LoadProgramFonts();
    static QtClock clock;
    Clock::Install(&clock);
    SetMessageHandler(ShowQtMessage);
    InstallHostText();
}

} // namespace z9
