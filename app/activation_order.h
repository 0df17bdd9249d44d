#pragma once

#include <QList>
#include <QObject>
#include <QPointer>

class QWidget;
class QWindow;

namespace wirevane {

// The program's top-level windows in the order they were last activated, most recent first: the
// stacking order as far as the program can know it. The window system does not tell an
// application how its windows lie among other programs' windows, and an activated window is
// raised, so the last activation order is the best available reading of "directly below".
class ActivationOrder : public QObject {
    Q_OBJECT
public:
    ActivationOrder();

    // The window is visible and was the last one active before `upper` was.
    bool isDirectlyBelow(const QWidget& window, const QWidget& upper) const;

private:
    void OnFocusWindowChanged(QWindow* window);

    QList<QPointer<QWindow>> m_order;
};

} // namespace wirevane
