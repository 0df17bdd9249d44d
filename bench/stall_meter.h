#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QObject>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>

namespace wirevane::bench {

// The window thread's longest pause while it runs: a probe thread posts an event every 10 ms
// and the window thread notes how long each waited. Posted events are what input and paint
// wait behind; a timer would measure Qt's choice to run timers only when no other event is
// waiting, which a flood of receive turns keeps true for as long as it lasts.
class StallMeter {
public:
    StallMeter()
    {
        m_clock.start();
        m_probe = std::thread([this] {
            while (!m_stop.load()) {
                const qint64 postedAt = m_clock.elapsed();
                QMetaObject::invokeMethod(&m_receiver, [this, postedAt] {
                    m_longest = std::max(m_longest, m_clock.elapsed() - postedAt);
                });
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            }
        });
    }
    ~StallMeter()
    {
        m_stop.store(true);
        m_probe.join();
    }
    qint64 longest()
    {
        QCoreApplication::sendPostedEvents(&m_receiver);
        return m_longest;
    }

private:
    QElapsedTimer m_clock;
    QObject m_receiver;
    qint64 m_longest = 0;
    std::atomic<bool> m_stop{false};
    std::thread m_probe;
};

} // namespace wirevane::bench
