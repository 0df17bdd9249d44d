#include "app/paint_pacer.h"

#include <QElapsedTimer>
#include <QPainter>
#include <QTest>
#include <QWidget>
#include <chrono>
#include <gtest/gtest.h>

namespace wirevane {
namespace {

using namespace std::chrono_literals;

// A window that counts its paints and keeps the value its last paint showed.
class CountingWindow final : public QWidget {
public:
    CountingWindow()
    {
        resize(200, 100);
        show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(this));
    }
    void Change()
    {
        ++value;
        update();
    }
    bool ShowsLastChange() const { return shown == value; }

    int value = 0;
    int shown = -1;
    int paints = 0;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter(this).fillRect(rect(), Qt::white);
        shown = value;
        ++paints;
    }
};

// Changed at every turn of the loop, the window paints once a frame at most, not once a
// change, and its last paint shows the last change.
TEST(PaintPacer, AWindowChangedEveryTurnPaintsOnceAFrameAndShowsItsLastChange)
{
    PaintPacer pacer(20ms);
    CountingWindow window;
    const int before = window.paints;
    QElapsedTimer clock;
    clock.start();
    int changes = 0;
    while (clock.elapsed() < 200) {
        window.Change();
        ++changes;
        QCoreApplication::processEvents();
    }
    const int paints = window.paints - before;
    EXPECT_LE(paints, clock.elapsed() / 20 + 2) << changes << " changes";
    EXPECT_GE(paints, 2);
    EXPECT_TRUE(QTest::qWaitFor([&] { return window.ShowsLastChange(); }, 1000));
}

// Qt asks a window to paint once and then waits for that paint: a request the pacer holds
// when it goes must still reach the window, or the window would never paint again.
TEST(PaintPacer, APaintHeldWhenThePacerGoesIsStillGivenAndPaintingGoesOn)
{
    CountingWindow window;
    {
        PaintPacer pacer(1h);
        window.Change();
        ASSERT_TRUE(QTest::qWaitFor([&] { return window.ShowsLastChange(); }, 1000));
        window.Change();
        QTest::qWait(50);
        ASSERT_FALSE(window.ShowsLastChange()) << "the second change was not held";
    }
    EXPECT_TRUE(QTest::qWaitFor([&] { return window.ShowsLastChange(); }, 1000));
    window.Change();
    EXPECT_TRUE(QTest::qWaitFor([&] { return window.ShowsLastChange(); }, 1000));
}

} // namespace
} // namespace wirevane
