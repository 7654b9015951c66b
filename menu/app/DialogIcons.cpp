#include "menu/app/DialogIcons.h"

#include "common/Twips.h"
#include "menu/app/IconPainting.h"
#include "menu/app/MenuIcons.h"
#include "widgets/VexButton.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>

namespace z9 {
namespace {

using namespace icons;

// Drawn in a grid of 16 units.
void Folder(QPainter& p) {
    QPainterPath folder;
    folder.moveTo(1.5, 4);
    folder.lineTo(6, 4);
    folder.lineTo(7.5, 5.5);
    folder.lineTo(14.5, 5.5);
    folder.lineTo(14.5, 13.5);
    folder.lineTo(1.5, 13.5);
    folder.closeSubpath();
    p.setPen(Pen(kFolderInk));
    p.setBrush(kFolder);
    p.drawPath(folder);
}

void Check(QPainter& p, const QColor& color) {
    p.setPen(Pen(color, 2.5));
    p.drawPolyline(QPolygonF{QPointF(2.5, 8.5), QPointF(6.5, 12.5), QPointF(13.5, 3.5)});
}

void Paint(QPainter& p, DialogIcon icon) {
    switch (icon) {
    case DialogIcon::OpenMenu: {
        Folder(p);
        QPolygonF lid{QPointF(4, 8), QPointF(15.5, 8), QPointF(14, 13.5), QPointF(1.5, 13.5)};
        p.setPen(Pen(kFolderInk));
        p.setBrush(kFolder.lighter(115));
        p.drawPolygon(lid);
        break;
    }
    case DialogIcon::CreateMenu:
        Sheet(p);
        p.setPen(Pen(kGreen, 2.0));
        p.drawLine(QPointF(8.5, 7.5), QPointF(8.5, 12.5));
        p.drawLine(QPointF(6, 10), QPointF(11, 10));
        break;
    case DialogIcon::Cancel:
        p.setPen(Pen(kRed, 2.5));
        p.drawLine(QPointF(3.5, 3.5), QPointF(12.5, 12.5));
        p.drawLine(QPointF(12.5, 3.5), QPointF(3.5, 12.5));
        break;
    case DialogIcon::Browse:
        Folder(p);
        p.setPen(Qt::NoPen);
        p.setBrush(kInk);
        for (qreal x : {5.0, 8.0, 11.0})
            p.drawEllipse(QPointF(x, 10), 0.9, 0.9);
        break;
    case DialogIcon::Apply:
        Check(p, kGreen);
        break;
    case DialogIcon::Support: {
        // A help ring: a blue circle with a white question mark.
        p.setPen(Pen(kBlue.darker(130)));
        p.setBrush(kBlue);
        p.drawEllipse(QPointF(8, 8), 6.5, 6.5);
        QFont font = p.font();
        font.setBold(true);
        font.setPixelSize(10);
        p.setFont(font);
        p.setPen(Qt::white);
        p.drawText(QRectF(1.5, 1.5, 13, 13), Qt::AlignCenter, QStringLiteral("?"));
        break;
    }
    }
}

} // namespace

QPixmap DrawDialogIcon(DialogIcon icon) {
    const qreal ratio = qApp ? qApp->devicePixelRatio() : 1.0;
    const int side = TwipsToPixelsX(kIconTwips);
    return PaintIcon(side, ratio, [icon](QPainter& p) { Paint(p, icon); });
}

VexButton* MakeIconButton(QWidget* parent, const char* name, DialogIcon icon, const char* tip) {
    auto* button = new VexButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->BImage(DrawDialogIcon(icon));
    button->ToolT(tip);
    return button;
}

} // namespace z9
