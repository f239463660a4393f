#include "windows/icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

void Sheet(QPainter& p, QRectF r, QColor fill = Qt::white)
{
    QPainterPath path;
    path.moveTo(r.left(), r.top());
    path.lineTo(r.right() - 6, r.top());
    path.lineTo(r.right(), r.top() + 6);
    path.lineTo(r.right(), r.bottom());
    path.lineTo(r.left(), r.bottom());
    path.closeSubpath();
    p.setBrush(fill);
    p.drawPath(path);
}

void Lines(QPainter& p, QRectF r, int count)
{
    for (int i = 0; i < count; ++i) {
        const double y = r.top() + 8 + i * 4;
        p.drawLine(QPointF(r.left() + 4, y), QPointF(r.right() - 4, y));
    }
}

} // namespace

QIcon FrameIcon(TIcon icon)
{
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x30, 0x40, 0x60), 1.6));
    const QColor blue(0x3A, 0x7B, 0xD5), green(0x2E, 0x9E, 0x4F), red(0xD0, 0x3A, 0x2F), yellow(0xF2, 0xC1, 0x4E);
    switch (icon) {
    case TIcon::Registry:
        p.setBrush(QColor(0xE8, 0xEE, 0xF8));
        p.drawRect(QRectF(4, 4, 24, 24));
        Lines(p, QRectF(4, 2, 24, 24), 5);
        break;
    case TIcon::New:
        Sheet(p, QRectF(7, 3, 19, 26));
        p.setPen(QPen(green, 3));
        p.drawLine(QPointF(20, 20), QPointF(28, 20));
        p.drawLine(QPointF(24, 16), QPointF(24, 24));
        break;
    case TIcon::Open:
        p.setBrush(yellow);
        p.drawRect(QRectF(3, 9, 26, 18));
        p.setBrush(QColor(0xF8, 0xDB, 0x86));
        p.drawPolygon(QPolygonF({QPointF(3, 27), QPointF(8, 14), QPointF(31, 14), QPointF(29, 27)}));
        break;
    case TIcon::Save:
        p.setBrush(blue);
        p.drawRoundedRect(QRectF(4, 4, 24, 24), 2, 2);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(9, 4, 14, 9));
        p.drawRect(QRectF(8, 18, 16, 10));
        break;
    case TIcon::Print:
        p.setBrush(Qt::white);
        p.drawRect(QRectF(9, 3, 14, 10));
        p.setBrush(QColor(0x90, 0x98, 0xA8));
        p.drawRoundedRect(QRectF(3, 12, 26, 12), 2, 2);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(9, 20, 14, 9));
        break;
    case TIcon::Properties:
        Sheet(p, QRectF(6, 3, 20, 26), QColor(0xFF, 0xF8, 0xE0));
        Lines(p, QRectF(6, 3, 20, 26), 4);
        break;
    case TIcon::Add:
        p.setPen(QPen(green, 5, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(16, 6), QPointF(16, 26));
        p.drawLine(QPointF(6, 16), QPointF(26, 16));
        break;
    case TIcon::Edit:
        p.setBrush(yellow);
        p.drawPolygon(QPolygonF({QPointF(6, 26), QPointF(8, 19), QPointF(22, 5), QPointF(27, 10), QPointF(13, 24)}));
        break;
    case TIcon::Delete:
        p.setPen(QPen(red, 5, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(8, 8), QPointF(24, 24));
        p.drawLine(QPointF(24, 8), QPointF(8, 24));
        break;
    case TIcon::Register:
        Sheet(p, QRectF(5, 3, 20, 26));
        p.setPen(QPen(green, 4, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(12, 19), QPointF(17, 25));
        p.drawLine(QPointF(17, 25), QPointF(29, 11));
        break;
    case TIcon::Archive:
        p.setBrush(QColor(0xC8, 0xA0, 0x70));
        p.drawRect(QRectF(4, 11, 24, 17));
        p.drawRect(QRectF(3, 5, 26, 6));
        p.drawLine(QPointF(12, 16), QPointF(20, 16));
        break;
    }
    return QIcon(pixmap);
}
