#include "fakes/recording_terminal_host.h"
#include "serial/serial.h"
#include "serial/serial_port_access.h"
#include "terminal/dialog_terminal.h"
#include "terminal/hex_traffic_view.h"

#include <QApplication>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

namespace wirevane {
namespace {

using TrafficView = CDialogTerminal::TrafficView;

// The desktop's font at a height where a hex line is wider than the terminal's usual width,
// as a large-font or high-resolution desktop has it; the usual font again afterwards.
class LargerDesktopFont {
public:
    LargerDesktopFont()
    {
        QFont larger = m_usual;
        larger.setPixelSize(22);
        QApplication::setFont(larger);
    }
    ~LargerDesktopFont() { QApplication::setFont(m_usual); }
    LargerDesktopFont(const LargerDesktopFont&) = delete;
    LargerDesktopFont& operator=(const LargerDesktopFont&) = delete;

private:
    QFont m_usual = QApplication::font();
};

class HexPaneInALargerFont : public ::testing::TestWithParam<TrafficView> {
protected:
    HexPaneInALargerFont() : access(port), terminal(host, &access) {}

    LargerDesktopFont font;
    CSerial port;
    SerialPortAccess access;
    test::RecordingTerminalHost host;
    CDialogTerminal terminal;
};

TEST_P(HexPaneInALargerFont, TheTerminalOpensWideEnoughForAWholeLine)
{
    terminal.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&terminal, 2000));
    terminal.SetTrafficView(GetParam());
    QApplication::processEvents();
    auto* hex = terminal.findChild<HexTrafficView*>(QStringLiteral("hex-view"));
    ASSERT_GT(hex->minimumSizeHint().width(), 640) << "the font is not larger than the usual";
    EXPECT_GE(hex->width(), hex->minimumSizeHint().width())
        << "the terminal is " << terminal.width() << " px wide";
}

INSTANTIATE_TEST_SUITE_P(Views, HexPaneInALargerFont,
                         ::testing::Values(TrafficView::Hex, TrafficView::TextAndHex));

} // namespace
} // namespace wirevane
