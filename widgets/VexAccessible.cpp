#include "VexAccessible.h"

#include <QAccessibleWidget>
#include <QWidget>

namespace z9 {
namespace {

class VexInterface : public QAccessibleWidget {
public:
    VexInterface(QWidget* widget, AccessibleControl* control)
        : QAccessibleWidget(widget, control->AccessibleRole()), control_(control) {}

    QAccessible::Role role() const override { return control_->AccessibleRole(); }

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name) {
            QString own = widget()->accessibleName();
            return own.isEmpty() ? control_->AccessibleText() : own;
        }
        if (t == QAccessible::Value) return control_->AccessibleValue();
        return QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.busy = control_->AccessibleBusy();
        return s;
    }

    // The picture and the label are the control's face, not objects of their own.
    int childCount() const override { return 0; }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }

    QStringList actionNames() const override {
        QStringList names = QAccessibleWidget::actionNames();
        if (control_->AccessiblePressable() && widget()->isEnabled()) names.prepend(pressAction());
        return names;
    }

    void doAction(const QString& name) override {
        if (name == pressAction()) {
            if (control_->AccessiblePressable() && widget()->isEnabled()) control_->AccessiblePress();
            return;
        }
        QAccessibleWidget::doAction(name);
    }

    QStringList keyBindingsForAction(const QString& name) const override {
        if (name == pressAction()) return {QStringLiteral("Space")};
        return QAccessibleWidget::keyBindingsForAction(name);
    }

private:
    AccessibleControl* control_;
};

QAccessibleInterface* Factory(const QString&, QObject* object) {
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget) return nullptr;
    auto* control = dynamic_cast<AccessibleControl*>(widget);
    return control ? new VexInterface(widget, control) : nullptr;
}

} // namespace

void InstallVexAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(Factory);
        return true;
    }();
    (void)installed;
}

void AccessibleNameChanged(QWidget* control) {
    if (!control || !QAccessible::isActive()) return;
    QAccessibleEvent event(control, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&event);
}

} // namespace z9
