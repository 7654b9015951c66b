#include "menu/app/DialogIcons.h"

#include "common/Twips.h"
#include "menu/app/IconPainting.h"
#include "menu/app/MenuIcons.h"
#include "widgets/VexButton.h"

#include <QGuiApplication>
#include <QPainter>

namespace z9 {
namespace {

using namespace icons;

// Drawn in a grid of 16 units.
void Check(QPainter& p) {
    p.setPen(Pen(kGreen, 2.5));
    p.drawPolyline(QPolygonF{QPointF(2.5, 8.5), QPointF(6.5, 12.5), QPointF(13.5, 3.5)});
}

} // namespace

// A dialog button that does what a toolbar button of the menu window does
// shows the toolbar's picture: Open Menu, New Menu, Browse, the cross of
// Remove for Cancel and the help ring for Support.
QPixmap DrawDialogIcon(DialogIcon icon) {
    switch (icon) {
    case DialogIcon::OpenMenu:
        return DrawMenuIcon(MenuIcon::Open);
    case DialogIcon::CreateMenu:
        return DrawMenuIcon(MenuIcon::New);
    case DialogIcon::Cancel:
        return DrawMenuIcon(MenuIcon::Remove);
    case DialogIcon::Browse:
        return DrawMenuIcon(MenuIcon::Browse);
    case DialogIcon::Support:
        return DrawMenuIcon(MenuIcon::Help);
    case DialogIcon::Apply:
        break;
    }
    const qreal ratio = qApp ? qApp->devicePixelRatio() : 1.0;
    return PaintIcon(TwipsToPixelsX(kIconTwips), ratio, [](QPainter& p) { Check(p); });
}

VexButton* MakeIconButton(QWidget* parent, const char* name, DialogIcon icon, const char* tip) {
    auto* button = new VexButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->BImage(DrawDialogIcon(icon));
    button->ToolT(tip);
    return button;
}

} // namespace z9
