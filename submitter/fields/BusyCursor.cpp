#include "submitter/fields/BusyCursor.h"

#include <QCursor>
#include <QGuiApplication>

namespace z9 {

BusyCursor::BusyCursor() {
    // Without a GUI (logic tests, tools) there is no pointer to change.
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        shown_ = true;
    }
}

BusyCursor::~BusyCursor() {
    if (shown_) QGuiApplication::restoreOverrideCursor();
}

} // namespace z9
