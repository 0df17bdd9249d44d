#include "grid/vector_icon.h"

#include <QIconEngine>
#include <QPixmap>
#include <vector>

namespace wirevane {
namespace {

// Draws its shapes for each size asked for, so no bitmap is ever scaled up and blurred.
class VectorIconEngine final : public QIconEngine {
public:
    explicit VectorIconEngine(VectorDrawing drawing) : m_drawing(std::move(drawing)) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) override
    {
        const qreal scale = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
        painter->drawPixmap(rect, render(rect.size() * scale, mode, scale));
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State) override
    {
        return render(size, mode, 1.0);
    }

    // The icon asks for the size in device pixels.
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State, qreal scale) override
    {
        return render(size, mode, scale);
    }

    QIconEngine* clone() const override { return new VectorIconEngine(m_drawing); }

private:
    // Cells repaint often: each size is drawn once per mode, then reused.
    QPixmap render(const QSize& pixels, QIcon::Mode mode, qreal scale)
    {
        for (const Rendered& r : m_rendered) {
            if (r.pixels == pixels && r.mode == mode && r.scale == scale) {
                return r.pixmap;
            }
        }
        QPixmap pixmap(pixels);
        pixmap.setDevicePixelRatio(scale);
        pixmap.fill(Qt::transparent);
        {
            QPainter painter(&pixmap);
            painter.setRenderHint(QPainter::Antialiasing);
            if (mode == QIcon::Disabled) {
                painter.setOpacity(0.4);
            }
            m_drawing(painter, QRectF(QPointF(0, 0), QSizeF(pixels) / scale));
        }
        m_rendered.push_back(Rendered{pixels, mode, scale, pixmap});
        return pixmap;
    }

    struct Rendered {
        QSize pixels;
        QIcon::Mode mode;
        qreal scale;
        QPixmap pixmap;
    };

    VectorDrawing m_drawing;
    std::vector<Rendered> m_rendered;
};

} // namespace

QIcon VectorIcon(VectorDrawing drawing)
{
    return QIcon(new VectorIconEngine(std::move(drawing)));
}

} // namespace wirevane
