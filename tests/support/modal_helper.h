#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <functional>

namespace wirevane::test {

// Runs the action on the next modal window of type T as soon as it is shown, so that a test
// can drive a dialog that a command runs with exec(). Gives up after the deadline.
template <typename T> void WhenModal(std::function<void(T*)> action, int deadlineMs = 10000)
{
    auto* timer = new QTimer;
    auto waited = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, [timer, waited, action, deadlineMs] {
        *waited += 10;
        T* modal = qobject_cast<T*>(QApplication::activeModalWidget());
        if (modal == nullptr && *waited < deadlineMs)
            return;
        timer->stop();
        timer->deleteLater();
        if (modal != nullptr)
            action(modal);
    });
    timer->start(10);
}

} // namespace wirevane::test
