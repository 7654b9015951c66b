#include "QtPlatform.h"

#include "Clock.h"
#include "CodePageQt.h"
#include "Desktop.h"
#include "HostText.h"
#include "MessageBox.h"

#include <QCoreApplication>
#include <QCursor>
#include <QElapsedTimer>
#include <QFile>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QLabel>
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

class QtDesktop : public DesktopBackend {
public:
    bool PersonCanAnswer() override {
        if (!Gui()) return false;
        const QString platform = QGuiApplication::platformName();
        return platform != QLatin1String("offscreen") && platform != QLatin1String("minimal");
    }
    bool PushBusyCursor() override {
        if (!Gui()) return false;
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        return true;
    }
    void PopBusyCursor() override {
        if (Gui()) QGuiApplication::restoreOverrideCursor();
    }

private:
    // Logic tests and tools run without a GUI application.
    static bool Gui() { return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr; }
};

int ShowQtMessage(const std::string& text, int style, const std::string& title) {
    std::unique_ptr<QMessageBox> box = BuildMessageBox(text, style, title);
    switch (box->exec()) {
    case QMessageBox::Cancel:
        return vbCancel;
    case QMessageBox::Yes:
        return vbYes;
    case QMessageBox::No:
        return vbNo;
    default:
        return vbOK;
    }
}

} // namespace

std::unique_ptr<QMessageBox> BuildMessageBox(const std::string& text, int style, const std::string& title) {
    auto box = std::make_unique<QMessageBox>();
    box->setWindowTitle(FromAnsi(title));
    // Messages quote task files and paths: their text is shown as it is, never as markup.
    box->setTextFormat(Qt::PlainText);
    box->setText(FromAnsi(text));
    QString iconName;
    switch (style & 0x70) {
    case vbCritical:
        box->setIcon(QMessageBox::Critical);
        iconName = QStringLiteral("Error");
        break;
    case vbQuestion:
        box->setIcon(QMessageBox::Question);
        iconName = QStringLiteral("Question");
        break;
    case vbExclamation:
        box->setIcon(QMessageBox::Warning);
        iconName = QStringLiteral("Warning");
        break;
    case vbInformation:
        box->setIcon(QMessageBox::Information);
        iconName = QStringLiteral("Information");
        break;
    default:
        box->setIcon(QMessageBox::NoIcon);
        break;
    }
    // The icon says what kind of message this is; a screen reader says it in words.
    if (auto* icon = box->findChild<QLabel*>(QStringLiteral("qt_msgboxex_icon_label"));
        icon && !iconName.isEmpty()) {
        icon->setAccessibleName(iconName);
        icon->setAccessibleDescription(iconName);
    }
    switch (style & 7) {
    case vbOKCancel:
        box->setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        break;
    case vbYesNoCancel:
        box->setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
    case vbYesNo:
        box->setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        break;
    default:
        box->setStandardButtons(QMessageBox::Ok);
        break;
    }
    return box;
}

void LoadProgramFonts() {
    static bool done = false;
    if (done) return;
    done = true;
    if (QFontDatabase::families().contains(QStringLiteral("Tahoma"), Qt::CaseInsensitive)) return;
    for (const char* file : {"/usr/share/wine/fonts/tahoma.ttf", "/usr/share/wine/fonts/tahomabd.ttf"})
        if (QFile::exists(QString::fromLatin1(file)))
            QFontDatabase::addApplicationFont(QString::fromLatin1(file));
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

void InstallQtDesktop() {
    static QtDesktop desktop;
    Desktop::Install(&desktop);
}

void InstallQtPlatform() {
    LoadProgramFonts();
    InstallQtDesktop();
    static QtClock clock;
    Clock::Install(&clock);
    SetMessageHandler(ShowQtMessage);
    InstallHostText();
}

} // namespace z9
