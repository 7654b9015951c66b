// What a screen reader and GUI automation find: roles, names, states and the
// press action of the drawn controls.
#include "widgets/VexBin.h"
#include "widgets/VexBlink.h"
#include "widgets/VexButton.h"
#include "widgets/VexLabel.h"
#include "widgets/VexLine.h"
#include "widgets/VexPic.h"
#include "widgets/WindowTimer.h"

#include <QAccessible>
#include <QLabel>
#include <gtest/gtest.h>

namespace z9 {
namespace {

QAccessibleInterface* Of(QWidget* w) {
    return QAccessible::queryAccessibleInterface(w);
}

QString Name(QWidget* w) {
    return Of(w)->text(QAccessible::Name);
}

void Press(QWidget* w) {
    QAccessibleActionInterface* action = Of(w)->actionInterface();
    ASSERT_NE(action, nullptr);
    action->doAction(QAccessibleActionInterface::pressAction());
}

QPixmap Icon() {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::blue);
    return pixmap;
}

TEST(AccessibilityTest, AButtonIsAPushButtonNamedByItsCaptionOrElseItsToolTip) {
    QWidget form;
    VexButton button(&form);
    button.SetCaption("Open");
    button.ToolT("Open Menu");
    QAccessibleInterface* iface = Of(&button);
    ASSERT_NE(iface, nullptr);
    EXPECT_EQ(iface->role(), QAccessible::PushButton);
    EXPECT_EQ(Name(&button), "Open");
    EXPECT_TRUE(iface->state().focusable);

    // A toolbar button that shows only its icon is announced by its tool tip.
    VexButton icon(&form);
    icon.BImage(Icon());
    icon.ToolT("Back");
    EXPECT_EQ(Name(&icon), "Back");
    // The window's own name wins.
    icon.setAccessibleName("Go back");
    EXPECT_EQ(Name(&icon), "Go back");
    // Its picture and label are its face, not objects of their own.
    EXPECT_EQ(Of(&icon)->childCount(), 0);
}

TEST(AccessibilityTest, PressingAButtonDoesWhatAClickDoes) {
    QWidget form;
    VexButton button(&form);
    button.SetCaption("Save");
    int clicks = 0;
    QObject::connect(&button, &VexButton::ButtonClick, [&] { ++clicks; });
    EXPECT_TRUE(
        Of(&button)->actionInterface()->actionNames().contains(QAccessibleActionInterface::pressAction()));
    Press(&button);
    EXPECT_EQ(clicks, 1);

    // Disabled, it offers no press and ignores one.
    button.SetEnabledM(false);
    EXPECT_FALSE(
        Of(&button)->actionInterface()->actionNames().contains(QAccessibleActionInterface::pressAction()));
    EXPECT_TRUE(Of(&button)->state().disabled);
    Press(&button);
    EXPECT_EQ(clicks, 1);
}

TEST(AccessibilityTest, LabelsAndCaptionsAreStaticTextAndTheAnimationsSayWhenTheyRun) {
    VexLabel label;
    label.SetCaption("Daily jobs");
    EXPECT_EQ(Of(&label)->role(), QAccessible::StaticText);
    EXPECT_EQ(Name(&label), "Daily jobs");
    EXPECT_EQ(Of(&label)->childCount(), 0);

    // A typing caption is read whole, not letter by letter, and busy while it types.
    VexPic pic;
    pic.SetCaption("Main menu");
    pic.Tick();
    pic.Tick();
    EXPECT_EQ(Of(&pic)->role(), QAccessible::StaticText);
    EXPECT_EQ(Name(&pic), "Main menu");
    EXPECT_TRUE(Of(&pic)->state().busy);
    while (pic.Timer1()->Running())
        pic.Tick();
    EXPECT_FALSE(Of(&pic)->state().busy);

    VexBlink blink;
    blink.SetCaption("Loading");
    blink.Enable(true);
    blink.Tick();
    blink.Tick();
    EXPECT_EQ(Name(&blink), "Loading");
    EXPECT_TRUE(Of(&blink)->state().busy);
    blink.Enable(false);
    blink.CapStill("Ready");
    EXPECT_EQ(Name(&blink), "Ready");
    EXPECT_FALSE(Of(&blink)->state().busy);

    VexBin bin;
    bin.MkBin("0110");
    EXPECT_EQ(Of(&bin)->role(), QAccessible::Animation);
    EXPECT_EQ(Of(&bin)->text(QAccessible::Value), "0110");
    EXPECT_FALSE(Of(&bin)->state().busy);
    bin.SetEnabled(true);
    EXPECT_TRUE(Of(&bin)->state().busy);

    VexLine line;
    ucLNV vertical;
    EXPECT_EQ(Of(&line)->role(), QAccessible::Separator);
    EXPECT_EQ(Of(&vertical)->role(), QAccessible::Separator);
    // Nothing here to press.
    for (QWidget* w : std::initializer_list<QWidget*>{&label, &pic, &blink, &bin, &line}) {
        QAccessibleActionInterface* action = Of(w)->actionInterface();
        EXPECT_TRUE(!action || !action->actionNames().contains(QAccessibleActionInterface::pressAction()));
    }
}

} // namespace
} // namespace z9
