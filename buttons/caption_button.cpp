#include "buttons/caption_button.h"

#include <QEvent>
#include <QStyle>
#include <QStyleOptionButton>

namespace wirevane {

namespace {

constexpr QChar kEllipsis = QChar(0x2026);

} // namespace

CaptionButton::CaptionButton(QWidget* parent) : QPushButton(parent) {}

void CaptionButton::SetCaption(const QString& caption)
{
    m_caption = caption;
    ShowCaption();
    updateGeometry();
}

QSize CaptionButton::sizeHint() const
{
    // As wide as the caption's first letter and the ellipsis: the layout gives the rest.
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text = m_caption.left(1) + kEllipsis;
    const QSize text = fontMetrics().size(Qt::TextShowMnemonic, option.text);
    return style()->sizeFromContents(QStyle::CT_PushButton, &option, text, this);
}

QSize CaptionButton::minimumSizeHint() const
{
    return sizeHint();
}

void CaptionButton::resizeEvent(QResizeEvent* event)
{
    QPushButton::resizeEvent(event);
    ShowCaption();
}

void CaptionButton::changeEvent(QEvent* event)
{
    QPushButton::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        ShowCaption();
}

void CaptionButton::ShowCaption()
{
    QStyleOptionButton option;
    initStyleOption(&option);
    const int room = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this).width();
    const QString shown = fontMetrics().elidedText(m_caption, Qt::ElideRight, room);
    setText(shown);
    setToolTip(shown == m_caption ? QString() : m_caption);
}

} // namespace wirevane
