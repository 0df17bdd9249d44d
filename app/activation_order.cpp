#include "app/activation_order.h"

#include <QGuiApplication>
#include <QWidget>
#include <QWindow>

namespace wirevane {

ActivationOrder::ActivationOrder()
{
    connect(qGuiApp, &QGuiApplication::focusWindowChanged, this,
            &ActivationOrder::OnFocusWindowChanged);
    if (QWindow* current = QGuiApplication::focusWindow())
        OnFocusWindowChanged(current);
}

void ActivationOrder::OnFocusWindowChanged(QWindow* window)
{
    if (window == nullptr)
        return;
    m_order.removeIf([window](const QPointer<QWindow>& entry) {
        return entry.isNull() || entry.data() == window;
    });
    m_order.prepend(window);
}

bool ActivationOrder::isDirectlyBelow(const QWidget& window, const QWidget& upper) const
{
    if (!window.isVisible() || window.isMinimized())
        return false;
    const QWindow* lower = window.windowHandle();
    const QWindow* above = upper.windowHandle();
    int aboveIndex = -1;
    int lowerIndex = -1;
    for (int i = 0; i < m_order.size(); ++i) {
        if (m_order[i].data() == above)
            aboveIndex = i;
        if (m_order[i].data() == lower)
            lowerIndex = i;
    }
    return aboveIndex >= 0 && lowerIndex == aboveIndex + 1;
}

} // namespace wirevane
