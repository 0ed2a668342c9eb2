#include "Icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

const QColor Ink(40, 60, 110);
const QColor Paper(250, 250, 245);
const QColor Accent(200, 120, 20);

void Sheet(QPainter& p, const QRectF& r)
{
    p.setPen(QPen(Ink, 1));
    p.setBrush(Paper);
    p.drawRect(r);
}

void Lines(QPainter& p, const QRectF& r)
{
    p.setPen(QPen(Ink.lighter(160), 1));
    for (qreal y = r.top() + 3; y < r.bottom() - 1; y += 2.5) {
        p.drawLine(QPointF(r.left() + 2, y), QPointF(r.right() - 2, y));
    }
}

void Arrow(QPainter& p, QPointF from, QPointF to, const QColor& colour)
{
    p.setPen(QPen(colour, 1.6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(from, to);
    const QPointF d = (to - from) / std::hypot(to.x() - from.x(), to.y() - from.y());
    const QPointF n(-d.y(), d.x());
    p.drawLine(to, to - d * 3.5 + n * 3);
    p.drawLine(to, to - d * 3.5 - n * 3);
}

void Draw(QPainter& p, TIcon icon)
{
    switch (icon) {
    case TIcon::Open:
        p.setPen(QPen(Ink, 1));
        p.setBrush(QColor(240, 200, 90));
        p.drawPolygon(QPolygonF({{1.5, 4.5}, {6, 4.5}, {7.5, 6}, {14.5, 6}, {14.5, 13.5}, {1.5, 13.5}}));
        break;
    case TIcon::Clear:
        p.setPen(QPen(QColor(190, 40, 40), 2.2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(4, 4), QPointF(12, 12));
        p.drawLine(QPointF(12, 4), QPointF(4, 12));
        break;
    case TIcon::Save:
        p.setPen(QPen(Ink, 1));
        p.setBrush(QColor(70, 100, 170));
        p.drawRect(QRectF(2.5, 2.5, 11, 11));
        p.setBrush(Paper);
        p.drawRect(QRectF(4.5, 2.5, 7, 4.5));
        p.drawRect(QRectF(4.5, 9.5, 7, 4));
        break;
    case TIcon::Copy:
        Sheet(p, QRectF(1.5, 1.5, 8, 10));
        Sheet(p, QRectF(6.5, 4.5, 8, 10));
        Lines(p, QRectF(6.5, 4.5, 8, 10));
        break;
    case TIcon::Paste:
        p.setPen(QPen(Ink, 1));
        p.setBrush(QColor(190, 150, 90));
        p.drawRect(QRectF(2.5, 2.5, 10, 12));
        p.setBrush(Ink);
        p.drawRect(QRectF(5.5, 1.5, 4, 2));
        Sheet(p, QRectF(6.5, 6.5, 8, 8));
        Lines(p, QRectF(6.5, 6.5, 8, 8));
        break;
    case TIcon::Swap:
        Arrow(p, {5, 13}, {5, 3}, Ink);
        Arrow(p, {11, 3}, {11, 13}, Accent);
        break;
    case TIcon::Print:
        Sheet(p, QRectF(4.5, 1.5, 7, 5));
        p.setPen(QPen(Ink, 1));
        p.setBrush(QColor(150, 155, 165));
        p.drawRect(QRectF(1.5, 6.5, 13, 6));
        Sheet(p, QRectF(4.5, 10.5, 7, 4));
        break;
    case TIcon::Cut:
        p.setPen(QPen(Ink, 1.4));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(4.5, 12), 2.5, 2.5);
        p.drawEllipse(QPointF(11.5, 12), 2.5, 2.5);
        p.drawLine(QPointF(6, 10), QPointF(12, 2));
        p.drawLine(QPointF(10, 10), QPointF(4, 2));
        break;
    case TIcon::Help:
    case TIcon::Info: {
        p.setPen(Qt::NoPen);
        p.setBrush(icon == TIcon::Help ? QColor(60, 120, 200) : QColor(40, 150, 90));
        p.drawEllipse(QRectF(1, 1, 14, 14));
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPixelSize(11);
        font.setBold(true);
        p.setFont(font);
        p.setPen(Qt::white);
        p.drawText(QRectF(1, 1, 14, 14), Qt::AlignCenter,
                   icon == TIcon::Help ? QStringLiteral("?") : QStringLiteral("i"));
        break;
    }
    case TIcon::Translate:
    case TIcon::Application: {
        p.setPen(QPen(Ink, 1));
        p.setBrush(QColor(70, 130, 200));
        p.drawRoundedRect(QRectF(0.5, 0.5, 10, 9), 2, 2);
        p.setBrush(Accent);
        p.drawRoundedRect(QRectF(5.5, 6.5, 10, 9), 2, 2);
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPixelSize(7);
        font.setBold(true);
        p.setFont(font);
        p.setPen(Qt::white);
        p.drawText(QRectF(0.5, 0.5, 10, 9), Qt::AlignCenter, QStringLiteral("A"));
        p.drawText(QRectF(5.5, 6.5, 10, 9), Qt::AlignCenter, QString(QChar(0x0639)));
        break;
    }
    case TIcon::Options:
        p.setPen(QPen(Ink, 2.5, Qt::SolidLine, Qt::RoundCap));
        for (int i = 0; i < 4; ++i) {
            p.save();
            p.translate(8, 8);
            p.rotate(45.0 * i);
            p.drawLine(QPointF(0, -7), QPointF(0, 7));
            p.restore();
        }
        p.setPen(QPen(Ink, 1));
        p.setBrush(QColor(200, 200, 210));
        p.drawEllipse(QPointF(8, 8), 4.5, 4.5);
        p.setBrush(Paper);
        p.drawEllipse(QPointF(8, 8), 2, 2);
        break;
    case TIcon::Home:
        p.setPen(QPen(Ink, 1));
        p.setBrush(QColor(200, 80, 60));
        p.drawPolygon(QPolygonF({{1, 8}, {8, 1.5}, {15, 8}}));
        p.setBrush(Paper);
        p.drawRect(QRectF(3.5, 8, 9, 6.5));
        break;
    case TIcon::Mail:
        Sheet(p, QRectF(1.5, 3.5, 13, 9));
        p.drawLine(QPointF(1.5, 3.5), QPointF(8, 9));
        p.drawLine(QPointF(14.5, 3.5), QPointF(8, 9));
        break;
    case TIcon::History:
        p.setPen(QPen(Ink, 1.2));
        p.setBrush(Paper);
        p.drawEllipse(QPointF(8, 8), 6.5, 6.5);
        p.setPen(QPen(Accent, 1.6, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(8, 8), QPointF(8, 4));
        p.drawLine(QPointF(8, 8), QPointF(11, 9.5));
        break;
    }
}

} // namespace

QIcon MakeIcon(TIcon icon)
{
    QIcon result;
    for (const int size : {16, 32}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(size / 16.0, size / 16.0);
        Draw(painter, icon);
        painter.end();
        result.addPixmap(pixmap);
    }
    return result;
}
