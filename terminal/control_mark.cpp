#include "terminal/control_mark.h"

#include "terminal/display_feed.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QTextDocument>
#include <algorithm>

namespace wirevane {

namespace {

QFont MarkFont(const QTextDocument* document)
{
    QFont font = document->defaultFont();
    if (font.pixelSize() > 0)
        font.setPixelSize(std::max(6, font.pixelSize() * 2 / 3));
    else
        font.setPointSizeF(std::max(5.0, font.pointSizeF() * 2 / 3));
    return font;
}

QString Label(const QTextFormat& format)
{
    return QString::fromStdU16String(
        std::u16string(ControlMarkLabel(ControlMark::ControlOf(format))));
}

} // namespace

QTextCharFormat ControlMark::Format(char16_t control)
{
    QTextCharFormat format;
    format.setObjectType(kObjectType);
    format.setProperty(kControlProperty, int(control));
    return format;
}

char16_t ControlMark::ControlOf(const QTextFormat& format)
{
    if (format.objectType() != kObjectType)
        return 0;
    return char16_t(format.intProperty(kControlProperty));
}

QSizeF ControlMark::intrinsicSize(QTextDocument* document, int, const QTextFormat& format)
{
    const QFontMetricsF small(MarkFont(document));
    const QFontMetricsF text(document->defaultFont());
    // As tall as a text line, so marks never change the line height.
    return QSizeF(small.horizontalAdvance(Label(format)) + 4, text.ascent());
}

void ControlMark::drawObject(QPainter* painter, const QRectF& rect, QTextDocument* document, int,
                             const QTextFormat& format)
{
    painter->save();
    QColor dim = painter->pen().color();
    dim.setAlphaF(0.45);
    painter->setPen(dim);
    painter->setFont(MarkFont(document));
    const QRectF frame = rect.adjusted(0.5, rect.height() * 0.2, -0.5, -0.5);
    painter->drawRect(frame);
    painter->drawText(frame, Qt::AlignCenter, Label(format));
    painter->restore();
}

} // namespace wirevane
