#include "app/activation_order.h"

#include <QGuiApplication>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <limits>

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

int ActivationOrder::rank(const QWidget& window) const
{
    const QWindow* handle = window.windowHandle();
    for (int i = 0; i < m_order.size(); ++i) {
        if (handle != nullptr && m_order[i].data() == handle)
            return i;
    }
    return std::numeric_limits<int>::max();
}

bool ActivationOrder::isUncovered(const QWidget& window,
                                  std::initializer_list<const QWidget*> others) const
{
    if (!window.isVisible() || window.isMinimized())
        return false;
    const int own = rank(window);
    return std::none_of(others.begin(), others.end(), [&](const QWidget* other) {
        return other != nullptr && other != &window && other->isVisible() &&
               !other->isMinimized() && rank(*other) < own &&
               other->frameGeometry().intersects(window.frameGeometry());
    });
}

} // namespace wirevane
