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

std::size_t ControlMark::IndexOf(char16_t control)
{
    return control < kControlCount ? control : 0;
}

void ControlMark::FollowFont(const QTextDocument* document)
{
    if (document->defaultFont() == m_sizedFor && m_sizes[0].isValid())
        return;
    m_sizedFor = document->defaultFont();
    m_markFont = MarkFont(document);
    const QFontMetricsF small(m_markFont);
    const QFontMetricsF text(m_sizedFor);
    for (std::size_t i = 0; i < m_sizes.size(); ++i) {
        const QString label =
            QString::fromStdU16String(std::u16string(ControlMarkLabel(char16_t(i))));
        // As tall as a text line, so marks never change the line height.
        m_sizes[i] = QSizeF(small.horizontalAdvance(label) + 4, text.ascent());
        m_labels[i] = QStaticText(label);
        m_labels[i].setTextFormat(Qt::PlainText);
        m_labels[i].prepare(QTransform(), m_markFont);
    }
}

QSizeF ControlMark::intrinsicSize(QTextDocument* document, int, const QTextFormat& format)
{
    FollowFont(document);
    return m_sizes[IndexOf(ControlOf(format))];
}

void ControlMark::drawObject(QPainter* painter, const QRectF& rect, QTextDocument* document, int,
                             const QTextFormat& format)
{
    // A line of CR-ended answers holds hundreds of marks, and a frame draws the whole line while
    // the view shows a few of them.
    if (painter->hasClipping() && !painter->clipBoundingRect().intersects(rect))
        return;
    FollowFont(document);
    const QStaticText& label = m_labels[IndexOf(ControlOf(format))];
    painter->save();
    QColor dim = painter->pen().color();
    dim.setAlphaF(0.45);
    painter->setPen(dim);
    painter->setFont(m_markFont);
    const QRectF frame = rect.adjusted(0.5, rect.height() * 0.2, -0.5, -0.5);
    painter->drawRect(frame);
    const QSizeF size = label.size();
    painter->drawStaticText(frame.center() - QPointF(size.width() / 2, size.height() / 2), label);
    painter->restore();
}

} // namespace wirevane
