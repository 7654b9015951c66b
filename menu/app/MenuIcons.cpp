#include "menu/app/MenuIcons.h"

#include "common/Twips.h"
#include "menu/app/IconPainting.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace z9 {
namespace {

using namespace icons;

const QColor kRule(150, 150, 150);

void Folder(QPainter& p, qreal x, qreal y, qreal w, qreal h) {
    QPainterPath folder;
    folder.moveTo(x, y + 1.5);
    folder.lineTo(x + w * 0.4, y + 1.5);
    folder.lineTo(x + w * 0.5, y + 3);
    folder.lineTo(x + w, y + 3);
    folder.lineTo(x + w, y + h);
    folder.lineTo(x, y + h);
    folder.closeSubpath();
    p.setPen(Pen(kFolderInk));
    p.setBrush(kFolder);
    p.drawPath(folder);
}

void Arrow(QPainter& p, QPointF from, QPointF to, const QColor& color) {
    p.setPen(Pen(color, 2.0));
    p.drawLine(from, to);
    const QPointF d = to - from;
    const qreal length = std::hypot(d.x(), d.y());
    const QPointF unit = d / length;
    const QPointF normal(-unit.y(), unit.x());
    QPolygonF head;
    head << to + unit * 1.5 << to - unit * 3.0 + normal * 3.5 << to - unit * 3.0 - normal * 3.5;
    p.setPen(Pen(color, 1.0));
    p.setBrush(color);
    p.drawPolygon(head);
}

void House(QPainter& p, const QColor& roof) {
    QPolygonF body;
    body << QPointF(3.5, 8) << QPointF(3.5, 14.5) << QPointF(12.5, 14.5) << QPointF(12.5, 8);
    p.setPen(Pen(kInk));
    p.setBrush(kPaper);
    p.drawPolygon(body);
    p.setBrush(kInk);
    p.drawRect(QRectF(7, 10.5, 2, 4));
    QPolygonF top;
    top << QPointF(1.5, 8.5) << QPointF(8, 2) << QPointF(14.5, 8.5);
    p.setPen(Pen(roof, 2.0));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(top);
}

void Paint(QPainter& p, MenuIcon icon) {
    switch (icon) {
    case MenuIcon::Task: {
        Sheet(p);
        QPolygonF play;
        play << QPointF(6.5, 6.5) << QPointF(6.5, 12.5) << QPointF(11.5, 9.5);
        p.setPen(Pen(kBlue));
        p.setBrush(kBlue);
        p.drawPolygon(play);
        break;
    }
    case MenuIcon::Generic:
        Sheet(p);
        p.setPen(Pen(kRule));
        for (qreal y : {7.5, 9.5, 11.5})
            p.drawLine(QPointF(5.5, y), QPointF(11.5, y));
        break;
    case MenuIcon::Menu:
        Sheet(p);
        for (qreal y : {7.0, 9.5, 12.0}) {
            p.setPen(Qt::NoPen);
            p.setBrush(kBlue);
            p.drawEllipse(QPointF(6, y), 1.0, 1.0);
            p.setPen(Pen(kInk));
            p.drawLine(QPointF(8, y), QPointF(11.5, y));
        }
        break;
    case MenuIcon::Back:
        Arrow(p, QPointF(13.5, 8), QPointF(4.5, 8), kBlue);
        break;
    case MenuIcon::Revert: {
        p.setPen(Pen(kBlue, 2.0));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(3, 3, 10, 10), 120 * 16, 270 * 16);
        QPolygonF head;
        head << QPointF(1.5, 3) << QPointF(6.5, 3) << QPointF(4.5, 7.5);
        p.setPen(Pen(kBlue));
        p.setBrush(kBlue);
        p.drawPolygon(head);
        break;
    }
    case MenuIcon::Home:
        House(p, kBlue);
        break;
    case MenuIcon::SetHome:
        House(p, kGreen);
        p.setPen(Pen(kGreen, 1.6));
        p.drawLine(QPointF(9.5, 3.2), QPointF(11.2, 5));
        p.drawLine(QPointF(11.2, 5), QPointF(15, 0.8));
        break;
    case MenuIcon::Normal:
        // The page as the user sees it: link rows with their icons.
        p.setPen(Pen(kInk));
        p.setBrush(kPaper);
        p.drawRect(QRectF(1.5, 2.5, 13, 11));
        for (qreal y : {5.5, 8.5, 11.5}) {
            p.setPen(Qt::NoPen);
            p.setBrush(kBlue);
            p.drawRect(QRectF(3.5, y - 1, 2, 2));
            p.setPen(Pen(kBlue));
            p.drawLine(QPointF(7, y), QPointF(12.5, y));
        }
        break;
    case MenuIcon::Edit: {
        p.setPen(Pen(kInk));
        p.setBrush(kFolder);
        QPolygonF pencil;
        pencil << QPointF(10.5, 2.5) << QPointF(13.5, 5.5) << QPointF(5.5, 13.5) << QPointF(2.5, 10.5);
        p.drawPolygon(pencil);
        QPolygonF tip;
        tip << QPointF(2.5, 10.5) << QPointF(5.5, 13.5) << QPointF(1.5, 14.5);
        p.setBrush(kInk);
        p.drawPolygon(tip);
        break;
    }
    case MenuIcon::Options:
        for (auto [y, knob] : {std::pair{4.0, 10.5}, std::pair{8.0, 5.5}, std::pair{12.0, 9.0}}) {
            p.setPen(Pen(kInk));
            p.drawLine(QPointF(2, y), QPointF(14, y));
            p.setBrush(kBlue);
            p.setPen(Pen(kBlue));
            p.drawRect(QRectF(knob - 1.2, y - 2, 2.4, 4));
        }
        break;
    case MenuIcon::Help: {
        p.setPen(Qt::NoPen);
        p.setBrush(kBlue);
        p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
        QFont font(QStringLiteral("Tahoma"));
        font.setPixelSize(11);
        font.setBold(true);
        p.setFont(font);
        p.setPen(Qt::white);
        p.drawText(QRectF(1.5, 1.5, 13, 13), Qt::AlignCenter, QStringLiteral("?"));
        break;
    }
    case MenuIcon::Open: {
        Folder(p, 1.5, 2.5, 12, 11);
        QPolygonF lid;
        lid << QPointF(3.5, 7) << QPointF(15, 7) << QPointF(13.5, 13.5) << QPointF(1.5, 13.5);
        p.setPen(Pen(kFolderInk));
        p.setBrush(kFolder.lighter(115));
        p.drawPolygon(lid);
        break;
    }
    case MenuIcon::New:
        Sheet(p);
        p.setPen(Pen(kGreen, 2.0));
        p.drawLine(QPointF(8.5, 7.5), QPointF(8.5, 12.5));
        p.drawLine(QPointF(6, 10), QPointF(11, 10));
        break;
    case MenuIcon::Save:
        p.setPen(Pen(kInk));
        p.setBrush(kBlue);
        p.drawRoundedRect(QRectF(1.5, 1.5, 13, 13), 1, 1);
        p.setBrush(kPaper);
        p.drawRect(QRectF(4, 1.5, 8, 5));
        p.setBrush(kPaper);
        p.drawRect(QRectF(3.5, 9, 9, 5.5));
        break;
    case MenuIcon::InsertNew:
        p.setPen(Pen(kGreen, 2.5));
        p.drawLine(QPointF(8, 2.5), QPointF(8, 13.5));
        p.drawLine(QPointF(2.5, 8), QPointF(13.5, 8));
        break;
    case MenuIcon::Remove:
        p.setPen(Pen(kRed, 2.5));
        p.drawLine(QPointF(3.5, 3.5), QPointF(12.5, 12.5));
        p.drawLine(QPointF(12.5, 3.5), QPointF(3.5, 12.5));
        break;
    case MenuIcon::MoveUp:
        Arrow(p, QPointF(8, 14), QPointF(8, 4), kBlue);
        break;
    case MenuIcon::MoveDown:
        Arrow(p, QPointF(8, 2), QPointF(8, 12), kBlue);
        break;
    case MenuIcon::ChangeFont: {
        QFont font(QStringLiteral("Times New Roman"));
        font.setPixelSize(13);
        font.setBold(true);
        p.setFont(font);
        p.setPen(kInk);
        p.drawText(QRectF(0, 0, 11, 15), Qt::AlignCenter, QStringLiteral("A"));
        font.setPixelSize(9);
        p.setFont(font);
        p.setPen(kBlue);
        p.drawText(QRectF(8, 4, 8, 11), Qt::AlignCenter, QStringLiteral("a"));
        break;
    }
    case MenuIcon::InsertPath:
        Folder(p, 1.5, 1.5, 8, 7);
        // A path dropped into the text: the caret where it goes.
        p.setPen(Pen(kInk));
        p.drawLine(QPointF(3, 12), QPointF(9, 12));
        p.setPen(Pen(kBlue, 1.5));
        p.drawLine(QPointF(12, 9), QPointF(12, 15));
        p.drawLine(QPointF(10.5, 9), QPointF(13.5, 9));
        p.drawLine(QPointF(10.5, 15), QPointF(13.5, 15));
        break;
    case MenuIcon::Browse:
        Folder(p, 1.5, 2.5, 13, 10);
        p.setPen(Qt::NoPen);
        p.setBrush(kInk);
        for (qreal x : {5.0, 8.0, 11.0})
            p.drawEllipse(QPointF(x, 9.5), 0.9, 0.9);
        break;
    }
}

} // namespace

namespace icons {

QPen Pen(const QColor& color, qreal width) {
    QPen pen(color, width);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    return pen;
}

void Sheet(QPainter& p) {
    QPainterPath sheet;
    sheet.moveTo(3.5, 1.5);
    sheet.lineTo(10, 1.5);
    sheet.lineTo(13.5, 5);
    sheet.lineTo(13.5, 14.5);
    sheet.lineTo(3.5, 14.5);
    sheet.closeSubpath();
    p.setPen(Pen(kInk));
    p.setBrush(kPaper);
    p.drawPath(sheet);
    QPainterPath fold;
    fold.moveTo(10, 1.5);
    fold.lineTo(10, 5);
    fold.lineTo(13.5, 5);
    p.setBrush(Qt::NoBrush);
    p.drawPath(fold);
}

QPixmap PaintIcon(int side, qreal pixelRatio, const std::function<void(QPainter&)>& draw) {
    QPixmap pixmap(QSize(side, side) * pixelRatio);
    pixmap.setDevicePixelRatio(pixelRatio);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.scale(side / 16.0, side / 16.0);
    draw(p);
    return pixmap;
}

} // namespace icons

QPixmap DrawMenuIcon(MenuIcon icon, int side, qreal pixelRatio) {
    return icons::PaintIcon(side, pixelRatio, [icon](QPainter& p) { Paint(p, icon); });
}

QPixmap DrawMenuIcon(MenuIcon icon) {
    const qreal ratio = qApp ? qApp->devicePixelRatio() : 1.0;
    return DrawMenuIcon(icon, TwipsToPixelsX(kIconTwips), ratio);
}

} // namespace z9
