#include "menu/app/ToolStrip.h"

#include "common/FormBuilder.h"
#include "widgets/Frame3D.h"
#include "widgets/VexButton.h"

namespace z9 {
namespace {

constexpr int kEdge = 30;      // twips from the strip's edge to the first button
constexpr int kStep = 510;     // from one button to the next
constexpr int kGroupGap = 150; // between groups

} // namespace

VexButton* MakeToolButton(QWidget* strip, const char* name) {
    auto* button = new VexButton(strip);
    button->setObjectName(QString::fromLatin1(name));
    button->SetFixedSize(false);
    Place(button, 0, 0, kToolButtonTwips, kToolButtonTwips);
    return button;
}

void DressToolButtons(const std::vector<ToolButton>& buttons) {
    for (const ToolButton& tool : buttons) {
        tool.button->BImage(DrawMenuIcon(tool.icon));
        tool.button->ToolT(tool.tip);
    }
}

void ArrangeToolButtons(QWidget* strip, const std::vector<std::vector<VexButton*>>& groups, bool vertical) {
    int at = kEdge;
    for (const auto& group : groups) {
        for (VexButton* button : group) {
            if (vertical)
                Place(button, kEdge, at, kToolButtonTwips, kToolButtonTwips);
            else
                Place(button, at, kEdge, kToolButtonTwips, kToolButtonTwips);
            Frame3D(button, strip, 1, 0, false);
            at += kStep;
        }
        at += kGroupGap;
    }
}

int ToolStripLength(const std::vector<std::vector<VexButton*>>& groups) {
    int length = kEdge;
    for (const auto& group : groups)
        length += static_cast<int>(group.size()) * kStep + kGroupGap;
    return length - kGroupGap;
}

} // namespace z9
