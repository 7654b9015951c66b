#pragma once
// What assistive technology and GUI automation see of the drawn controls: a
// fitting role, a name, and for what can be clicked a press action that does
// what a click does. The controls' own parts (picture, label) stay out of view,
// so a button is read once, by its name.
#include <QAccessible>
#include <QString>

class QWidget;

namespace z9 {

class AccessibleControl {
public:
    virtual ~AccessibleControl() = default;
    virtual QAccessible::Role AccessibleRole() const = 0;
    // The name, unless the window gave the control one of its own.
    virtual QString AccessibleText() const = 0;
    virtual QString AccessibleValue() const { return {}; }
    // True while an animation runs.
    virtual bool AccessibleBusy() const { return false; }
    virtual bool AccessiblePressable() const { return false; }
    virtual void AccessiblePress() {}
};

// Makes QAccessible answer for every AccessibleControl; each control calls it
// when it is created (the first call installs, later ones do nothing).
void InstallVexAccessibility();

// Tells assistive technology that the control's name changed.
void AccessibleNameChanged(QWidget* control);

} // namespace z9
