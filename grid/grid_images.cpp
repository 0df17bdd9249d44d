#include "grid/grid_images.h"

#include "grid/vector_icon.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <functional>
#include <memory>
#include <vector>

namespace wirevane {
namespace {

using Drawing = VectorDrawing;

// All shapes are laid out on a 16 × 16 grid and scaled to the target rectangle.
void DrawOnGrid(QPainter& p, const QRectF& r, const std::function<void(QPainter&)>& draw)
{
    p.save();
    const qreal side = std::min(r.width(), r.height());
    p.translate(r.center().x() - side / 2, r.center().y() - side / 2);
    p.scale(side / 16.0, side / 16.0);
    draw(p);
    p.restore();
}

void DrawSent(QPainter& p)
{
    p.setPen(QPen(QColor(0x1B, 0x5E, 0x20), 1.0));
    p.setBrush(QColor(0x43, 0xA0, 0x47));
    p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
    QPainterPath tick;
    tick.moveTo(4.5, 8.3);
    tick.lineTo(7.0, 10.8);
    tick.lineTo(11.6, 5.4);
    p.setPen(QPen(Qt::white, 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(tick);
}

void DrawWaiting(QPainter& p)
{
    p.setPen(QPen(QColor(0x0D, 0x47, 0xA1), 1.0));
    p.setBrush(QColor(0xE3, 0xF2, 0xFD));
    p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
    p.setPen(QPen(QColor(0x0D, 0x47, 0xA1), 1.6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(8, 8), QPointF(8, 4.2));
    p.drawLine(QPointF(8, 8), QPointF(10.8, 9.8));
}

void DrawStepStop(QPainter& p)
{
    p.setPen(QPen(QColor(0xE6, 0x51, 0x00), 1.0));
    p.setBrush(QColor(0xFF, 0xB7, 0x4D));
    p.drawRoundedRect(QRectF(1.5, 1.5, 13, 13), 2.5, 2.5);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x5D, 0x2A, 0x00));
    p.drawRect(QRectF(4.5, 4.5, 2.4, 7));
    QPainterPath play;
    play.moveTo(8.5, 4.5);
    play.lineTo(12.0, 8.0);
    play.lineTo(8.5, 11.5);
    play.closeSubpath();
    p.drawPath(play);
}

void DrawHalt(QPainter& p)
{
    QPainterPath octagon;
    const qreal a = 4.5;
    const qreal b = 11.5;
    octagon.moveTo(a, 1.5);
    octagon.lineTo(b, 1.5);
    octagon.lineTo(14.5, a);
    octagon.lineTo(14.5, b);
    octagon.lineTo(b, 14.5);
    octagon.lineTo(a, 14.5);
    octagon.lineTo(1.5, b);
    octagon.lineTo(1.5, a);
    octagon.closeSubpath();
    p.setPen(QPen(QColor(0x8E, 0x00, 0x00), 1.0));
    p.setBrush(QColor(0xE5, 0x39, 0x35));
    p.drawPath(octagon);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(4.0, 7.0, 8.0, 2.0));
}

// The verdicts are square badges, so that a passed check is not taken for a row that was only
// sent (the round green marker) and a failed one not for a halt (the octagon).
void DrawPass(QPainter& p)
{
    p.setPen(QPen(QColor(0x1B, 0x5E, 0x20), 1.0));
    p.setBrush(QColor(0x2E, 0x7D, 0x32));
    p.drawRoundedRect(QRectF(1.5, 1.5, 13, 13), 2.5, 2.5);
    QPainterPath tick;
    tick.moveTo(4.2, 8.2);
    tick.lineTo(6.9, 10.9);
    tick.lineTo(11.9, 5.0);
    p.setPen(QPen(Qt::white, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(tick);
}

void DrawFail(QPainter& p)
{
    p.setPen(QPen(QColor(0x88, 0x0E, 0x4F), 1.0));
    p.setBrush(QColor(0xC6, 0x28, 0x28));
    p.drawRoundedRect(QRectF(1.5, 1.5, 13, 13), 2.5, 2.5);
    p.setPen(QPen(Qt::white, 2.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(5.0, 5.0), QPointF(11.0, 11.0));
    p.drawLine(QPointF(11.0, 5.0), QPointF(5.0, 11.0));
}

void DrawCheckBox(QPainter& p, bool ticked)
{
    p.setPen(QPen(QColor(0x55, 0x5F, 0x6B), 1.0));
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(2.5, 2.5, 11, 11), 1.5, 1.5);
    if (!ticked) {
        return;
    }
    QPainterPath tick;
    tick.moveTo(4.8, 8.2);
    tick.lineTo(7.1, 10.5);
    tick.lineTo(11.3, 5.4);
    p.setPen(QPen(QColor(0x1A, 0x23, 0x7E), 1.9, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(tick);
}

} // namespace

QIcon MarkerIcon(int index)
{
    void (*draw)(QPainter&) = nullptr;
    switch (index) {
    case 1:
        draw = DrawSent;
        break;
    case 2:
        draw = DrawWaiting;
        break;
    case 3:
        draw = DrawStepStop;
        break;
    case 4:
        draw = DrawHalt;
        break;
    case 5:
        draw = DrawPass;
        break;
    case 6:
        draw = DrawFail;
        break;
    default:
        return QIcon();
    }
    return VectorIcon([draw](QPainter& p, const QRectF& r) { DrawOnGrid(p, r, draw); });
}

QIcon CheckBoxIcon(bool ticked)
{
    return VectorIcon([ticked](QPainter& p, const QRectF& r) {
        DrawOnGrid(p, r, [ticked](QPainter& q) { DrawCheckBox(q, ticked); });
    });
}

} // namespace wirevane
