#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <functional>

namespace wirevane::test {

// Acts on the next modal dialog once it is shown: the test arms this before the click that
// opens the dialog, and the action runs inside the dialog's own event loop.
inline void WhenModalShown(std::function<void(QWidget*)> act)
{
    auto* poll = new QTimer;
    poll->setInterval(10);
    QObject::connect(poll, &QTimer::timeout, [poll, act] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr || !modal->isVisible())
            return;
        poll->stop();
        poll->deleteLater();
        act(modal);
    });
    poll->start();
}

} // namespace wirevane::test
