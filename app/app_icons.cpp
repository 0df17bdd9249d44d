#include "app/app_icons.h"

#include "app/command_ids.h"
#include "grid/vector_icon.h"

#include <QPainterPath>

namespace wirevane {

namespace {

// The drawings below work in a square of the given side.
using IconPainter = std::function<void(QPainter& painter, qreal side)>;

QIcon PaintedIcon(IconPainter paint)
{
    return VectorIcon([paint = std::move(paint)](QPainter& painter, const QRectF& area) {
        painter.save();
        painter.translate(area.topLeft());
        paint(painter, std::min(area.width(), area.height()));
        painter.restore();
    });
}

const QColor kInk(40, 48, 64);
const QColor kBlue(36, 110, 200);
const QColor kGreen(40, 150, 70);
const QColor kRed(200, 50, 40);
const QColor kPaper(250, 250, 245);

QPen Pen(const QColor& colour, qreal side, qreal width = 0.09)
{
    QPen pen(colour, side * width);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    return pen;
}

// A connector plug: body with two pins, for connect (pins in) and disconnect (pins apart).
void Plug(QPainter& p, qreal s, bool apart)
{
    p.setPen(Pen(kInk, s, 0.07));
    p.setBrush(apart ? kRed : kGreen);
    p.drawRoundedRect(QRectF(s * 0.15, s * 0.35, s * 0.4, s * 0.3), s * 0.06, s * 0.06);
    const qreal gap = apart ? s * 0.12 : 0;
    p.drawLine(QPointF(s * 0.55, s * 0.43), QPointF(s * 0.8 - gap, s * 0.43));
    p.drawLine(QPointF(s * 0.55, s * 0.57), QPointF(s * 0.8 - gap, s * 0.57));
    p.drawLine(QPointF(s * 0.05, s * 0.5), QPointF(s * 0.15, s * 0.5));
    if (apart) {
        p.setPen(Pen(kInk, s, 0.09));
        p.drawLine(QPointF(s * 0.9, s * 0.3), QPointF(s * 0.9, s * 0.7));
    }
}

void Gear(QPainter& p, qreal s)
{
    p.setPen(Pen(kInk, s, 0.16));
    const QPointF centre(s / 2, s / 2);
    for (int i = 0; i < 8; ++i) {
        p.save();
        p.translate(centre);
        p.rotate(i * 45.0);
        p.drawLine(QPointF(0, s * 0.26), QPointF(0, s * 0.42));
        p.restore();
    }
    p.setPen(Pen(kInk, s, 0.08));
    p.setBrush(kBlue);
    p.drawEllipse(centre, s * 0.27, s * 0.27);
    p.setBrush(kPaper);
    p.drawEllipse(centre, s * 0.1, s * 0.1);
}

void Terminal(QPainter& p, qreal s)
{
    p.setPen(Pen(kInk, s, 0.07));
    p.setBrush(QColor(30, 30, 30));
    p.drawRoundedRect(QRectF(s * 0.08, s * 0.15, s * 0.84, s * 0.7), s * 0.08, s * 0.08);
    p.setPen(Pen(QColor(120, 230, 120), s, 0.08));
    p.drawPolyline(QPolygonF(
        {QPointF(s * 0.22, s * 0.35), QPointF(s * 0.38, s * 0.5), QPointF(s * 0.22, s * 0.65)}));
    p.drawLine(QPointF(s * 0.46, s * 0.66), QPointF(s * 0.72, s * 0.66));
}

void ButtonGrid(QPainter& p, qreal s)
{
    p.setPen(Pen(kInk, s, 0.06));
    p.setBrush(kBlue);
    for (int row = 0; row < 2; ++row)
        for (int column = 0; column < 2; ++column)
            p.drawRoundedRect(
                QRectF(s * (0.1 + 0.43 * column), s * (0.1 + 0.43 * row), s * 0.36, s * 0.36),
                s * 0.07, s * 0.07);
}

// A sheet of paper with an arrow going into it (save) or coming out of it (load).
void Sheet(QPainter& p, qreal s, bool into)
{
    p.setPen(Pen(kInk, s, 0.07));
    p.setBrush(kPaper);
    p.drawRect(QRectF(s * 0.2, s * 0.1, s * 0.6, s * 0.8));
    p.setPen(Pen(into ? kBlue : kGreen, s, 0.11));
    const qreal top = into ? 0.25 : 0.7;
    const qreal bottom = into ? 0.7 : 0.25;
    p.drawLine(QPointF(s * 0.5, s * top), QPointF(s * 0.5, s * bottom));
    const qreal head = into ? -0.15 : 0.15;
    p.drawPolyline(QPolygonF({QPointF(s * 0.35, s * (bottom + head)), QPointF(s * 0.5, s * bottom),
                              QPointF(s * 0.65, s * (bottom + head))}));
}

void CheckMarks(QPainter& p, qreal s, bool ticked)
{
    p.setPen(Pen(kInk, s, 0.06));
    p.setBrush(kPaper);
    for (int i = 0; i < 2; ++i) {
        const QRectF box(s * 0.12, s * (0.12 + 0.42 * i), s * 0.32, s * 0.32);
        p.drawRect(box);
        if (ticked) {
            p.save();
            p.setPen(Pen(kGreen, s, 0.08));
            p.drawPolyline(QPolygonF({box.topLeft() + QPointF(s * 0.06, s * 0.17),
                                      box.topLeft() + QPointF(s * 0.14, s * 0.26),
                                      box.topLeft() + QPointF(s * 0.27, s * 0.06)}));
            p.restore();
        }
        p.drawLine(QPointF(s * 0.52, box.center().y()), QPointF(s * 0.9, box.center().y()));
    }
}

void Play(QPainter& p, qreal s)
{
    p.setPen(Pen(kInk, s, 0.06));
    p.setBrush(kGreen);
    p.drawPolygon(QPolygonF(
        {QPointF(s * 0.25, s * 0.15), QPointF(s * 0.85, s * 0.5), QPointF(s * 0.25, s * 0.85)}));
}

void StopSquare(QPainter& p, qreal s)
{
    p.setPen(Pen(kInk, s, 0.06));
    p.setBrush(kRed);
    p.drawRect(QRectF(s * 0.2, s * 0.2, s * 0.6, s * 0.6));
}

void Rewind(QPainter& p, qreal s)
{
    p.setPen(Pen(kBlue, s, 0.12));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(s * 0.18, s * 0.18, s * 0.64, s * 0.64), 100 * 16, 290 * 16);
    p.setBrush(kBlue);
    p.setPen(Pen(kBlue, s, 0.04));
    p.drawPolygon(QPolygonF(
        {QPointF(s * 0.3, s * 0.05), QPointF(s * 0.52, s * 0.19), QPointF(s * 0.3, s * 0.33)}));
}

} // namespace

QIcon MainIcon()
{
    return PaintedIcon([](QPainter& p, qreal s) {
        p.setPen(Pen(kInk, s, 0.05));
        p.setBrush(QColor(235, 240, 250));
        p.drawRoundedRect(QRectF(s * 0.04, s * 0.04, s * 0.92, s * 0.92), s * 0.16, s * 0.16);
        // A vane of wire: a square wave between two terminals.
        p.setPen(Pen(kBlue, s, 0.1));
        p.drawPolyline(QPolygonF({QPointF(s * 0.15, s * 0.62), QPointF(s * 0.3, s * 0.62),
                                  QPointF(s * 0.3, s * 0.32), QPointF(s * 0.5, s * 0.32),
                                  QPointF(s * 0.5, s * 0.62), QPointF(s * 0.7, s * 0.62),
                                  QPointF(s * 0.7, s * 0.32), QPointF(s * 0.85, s * 0.32)}));
        p.setPen(Pen(kInk, s, 0.04));
        p.setBrush(kGreen);
        p.drawEllipse(QPointF(s * 0.15, s * 0.62), s * 0.06, s * 0.06);
        p.setBrush(kRed);
        p.drawEllipse(QPointF(s * 0.85, s * 0.32), s * 0.06, s * 0.06);
    });
}

QIcon ExitIcon()
{
    return PaintedIcon([](QPainter& p, qreal s) {
        p.setPen(Pen(kInk, s, 0.06));
        p.setBrush(QColor(250, 220, 80));
        p.drawEllipse(QRectF(s * 0.06, s * 0.06, s * 0.88, s * 0.88));
        p.setPen(Pen(kInk, s, 0.12));
        p.drawLine(QPointF(s * 0.5, s * 0.22), QPointF(s * 0.5, s * 0.58));
        p.drawPoint(QPointF(s * 0.5, s * 0.76));
    });
}

QIcon ToolbarIcon(int commandId)
{
    switch (commandId) {
    case command::kConnect:
        return PaintedIcon([](QPainter& p, qreal s) { Plug(p, s, false); });
    case command::kPortSettings:
        return PaintedIcon(Gear);
    case command::kDisconnect:
        return PaintedIcon([](QPainter& p, qreal s) { Plug(p, s, true); });
    case command::kTerminal:
        return PaintedIcon(Terminal);
    case command::kButtonArray:
        return PaintedIcon(ButtonGrid);
    case command::kTemporarySave:
        return PaintedIcon([](QPainter& p, qreal s) { Sheet(p, s, true); });
    case command::kTemporaryLoad:
        return PaintedIcon([](QPainter& p, qreal s) { Sheet(p, s, false); });
    case command::kSelectAll:
        return PaintedIcon([](QPainter& p, qreal s) { CheckMarks(p, s, true); });
    case command::kDeselectAll:
        return PaintedIcon([](QPainter& p, qreal s) { CheckMarks(p, s, false); });
    case command::kSend:
        return PaintedIcon(Play);
    case command::kStop:
        return PaintedIcon(StopSquare);
    case command::kReset:
        return PaintedIcon(Rewind);
    default:
        return QIcon();
    }
}

} // namespace wirevane
