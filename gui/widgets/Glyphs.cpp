#include "gui/widgets/Glyphs.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace tk {

namespace {

constexpr int Size = 16;

void triangle(QPainter &p, qreal tipX, qreal baseX)
{
    QPainterPath path;
    path.moveTo(tipX, 8);
    path.lineTo(baseX, 3);
    path.lineTo(baseX, 13);
    path.closeSubpath();
    p.fillPath(path, Qt::black);
}

void paintGlyph(QPainter &p, Glyph glyph)
{
    p.setRenderHint(QPainter::Antialiasing);
    const QPen thick(Qt::black, 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    switch (glyph) {
    case Glyph::First:
        p.fillRect(QRectF(3, 3, 2, 10), Qt::black);
        triangle(p, 5, 12);
        break;
    case Glyph::Prior:
        triangle(p, 4, 11);
        break;
    case Glyph::Next:
        triangle(p, 12, 5);
        break;
    case Glyph::Last:
        triangle(p, 11, 4);
        p.fillRect(QRectF(11, 3, 2, 10), Qt::black);
        break;
    case Glyph::Insert:
        p.setPen(thick);
        p.drawLine(QPointF(8, 3), QPointF(8, 13));
        p.drawLine(QPointF(3, 8), QPointF(13, 8));
        break;
    case Glyph::Copy:
        p.setPen(QPen(Qt::black, 1.2));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(2.5, 2.5, 7, 9));
        p.drawRect(QRectF(6.5, 5.5, 7, 9));
        break;
    case Glyph::Delete:
        p.setPen(thick);
        p.drawLine(QPointF(3, 8), QPointF(13, 8));
        break;
    case Glyph::Post:
        p.setPen(QPen(QColor(0, 128, 0), 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolyline(QPolygonF({QPointF(3, 8.5), QPointF(6.5, 12), QPointF(13, 4)}));
        break;
    case Glyph::Cancel:
        p.setPen(QPen(QColor(176, 0, 0), 2.2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(4, 4), QPointF(12, 12));
        p.drawLine(QPointF(12, 4), QPointF(4, 12));
        break;
    case Glyph::PageSwitch:
        p.setPen(QPen(Qt::black, 1.0));
        p.setBrush(QColor(255, 255, 225));
        p.drawRect(QRectF(1.5, 1.5, 9, 11));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(5.5, 4.5, 9, 11));
        for (qreal y = 7.5; y < 15; y += 2.5)
            p.drawLine(QPointF(7, y), QPointF(13, y));
        break;
    case Glyph::Print:
        p.setPen(QPen(Qt::black, 1.0));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(4.5, 1.5, 7, 5));
        p.setBrush(QColor(190, 190, 190));
        p.drawRect(QRectF(1.5, 6.5, 13, 6));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(4.5, 10.5, 7, 4));
        break;
    case Glyph::Close:
        p.setPen(QPen(Qt::black, 1.0));
        p.setBrush(QColor(160, 110, 60));
        p.drawRect(QRectF(2.5, 1.5, 7, 13));
        p.setPen(QPen(QColor(176, 0, 0), 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawLine(QPointF(8, 8), QPointF(15, 8));
        p.drawPolyline(QPolygonF({QPointF(12, 5), QPointF(15, 8), QPointF(12, 11)}));
        break;
    case Glyph::Calendar:
        p.setPen(QPen(Qt::black, 1.0));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(1.5, 2.5, 13, 12));
        p.fillRect(QRectF(2, 3, 12, 3), QColor(176, 0, 0));
        for (int row = 0; row < 3; ++row)
            for (int col = 0; col < 4; ++col)
                p.fillRect(QRectF(3 + col * 3, 7.5 + row * 2.3, 1.6, 1.4), Qt::black);
        break;
    case Glyph::Calculator:
        p.setPen(QPen(Qt::black, 1.0));
        p.setBrush(QColor(225, 225, 225));
        p.drawRect(QRectF(2.5, 1.5, 11, 13));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(4.5, 3.5, 7, 3));
        for (int row = 0; row < 3; ++row)
            for (int col = 0; col < 3; ++col)
                p.fillRect(QRectF(4.5 + col * 2.6, 8 + row * 2.1, 1.6, 1.3), Qt::black);
        break;
    }
}

} // namespace

QIcon glyphIcon(Glyph glyph)
{
    QIcon icon;
    for (int scale : {1, 2}) {
        QPixmap pixmap(Size * scale, Size * scale);
        pixmap.setDevicePixelRatio(scale);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        paintGlyph(painter, glyph);
        painter.end();
        icon.addPixmap(pixmap);
        // Disabled buttons show the same shape in light grey, clearly apart from black.
        QPixmap grey = pixmap;
        QPainter tint(&grey);
        tint.setCompositionMode(QPainter::CompositionMode_SourceIn);
        tint.fillRect(grey.rect(), QColor(160, 160, 160));
        tint.end();
        icon.addPixmap(grey, QIcon::Disabled);
    }
    return icon;
}

} // namespace tk
