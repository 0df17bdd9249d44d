#include "app/painted_icon.h"

#include <QIconEngine>
#include <QPixmap>

namespace wirevane {

namespace {

class PaintedIconEngine final : public QIconEngine {
public:
    explicit PaintedIconEngine(IconPainter paint) : m_paint(std::move(paint)) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) override
    {
        painter->save();
        painter->translate(rect.topLeft());
        const qreal side = std::min(rect.width(), rect.height());
        painter->setRenderHint(QPainter::Antialiasing);
        if (mode == QIcon::Disabled)
            painter->setOpacity(0.4);
        m_paint(*painter, side);
        painter->restore();
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return scaledPixmap(size, mode, state, 1.0);
    }

    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                         qreal scale) override
    {
        QPixmap pixmap(size * scale);
        pixmap.setDevicePixelRatio(scale);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        paint(&painter, QRect(QPoint(0, 0), size), mode, state);
        return pixmap;
    }

    QIconEngine* clone() const override { return new PaintedIconEngine(m_paint); }

private:
    IconPainter m_paint;
};

} // namespace

QIcon PaintedIcon(IconPainter paint)
{
    return QIcon(new PaintedIconEngine(std::move(paint)));
}

} // namespace wirevane
