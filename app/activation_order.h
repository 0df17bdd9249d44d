#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <initializer_list>

class QWidget;
class QWindow;

namespace wirevane {

// The program's top-level windows in the order they were last activated, most recent first: the
// stacking order as far as the program can know it. The window system does not tell an
// application how its windows lie among other programs' windows, and an activated window is
// raised, so the last activation order is the best available reading of which lies on top.
class ActivationOrder : public QObject {
    Q_OBJECT
public:
    ActivationOrder();

    // The window is visible, not minimised, and no other of the given windows that is visible
    // and was active more recently overlaps it on the screen. A window never activated counts
    // as below every window that was.
    bool isUncovered(const QWidget& window, std::initializer_list<const QWidget*> others) const;

private:
    int rank(const QWidget& window) const;
    void OnFocusWindowChanged(QWindow* window);

    QList<QPointer<QWindow>> m_order;
};

} // namespace wirevane
