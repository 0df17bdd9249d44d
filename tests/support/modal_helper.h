#pragma once

#include <QApplication>
#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>

namespace wirevane::test {

// Runs the action on the next modal window of type T as soon as it is shown, so that a test
// can drive a dialog that a command runs with exec(). Gives up after the deadline. A dialog that
// is still up half a second after the action gets it again: a file dialog still reading its
// folder can refuse an accept, and a test must not then hang in exec().
template <typename T> void WhenModal(std::function<void(T*)> action, int deadlineMs = 10000)
{
    constexpr int kRetryMs = 500;
    // Owned by the application, so a timer still watching when the test ends goes with it.
    auto* timer = new QTimer(QCoreApplication::instance());
    auto clock = std::make_shared<QElapsedTimer>();
    auto lastAction = std::make_shared<QElapsedTimer>();
    auto handled = std::make_shared<QPointer<T>>();
    clock->start();
    QObject::connect(timer, &QTimer::timeout, [=] {
        T* modal = qobject_cast<T*>(QApplication::activeModalWidget());
        const bool overdue = clock->elapsed() >= deadlineMs;
        const bool acted = lastAction->isValid();
        // Done once the dialog acted on is gone or another window is on top of it.
        if ((acted && modal != handled->data()) || (modal == nullptr && overdue) ||
            (acted && overdue)) {
            timer->stop();
            timer->deleteLater();
            return;
        }
        if (modal == nullptr || (acted && lastAction->elapsed() < kRetryMs))
            return;
        *handled = modal;
        lastAction->start();
        action(modal);
    });
    timer->start(10);
}

} // namespace wirevane::test
