#include "terminal/hex_traffic_view.h"
#include "terminal/terminal_fixture.h"

#include <QApplication>
#include <QScrollBar>
#include <gtest/gtest.h>

namespace wirevane {
namespace {

using TrafficView = CDialogTerminal::TrafficView;

// The desktop's font at a height where a hex line is wider than the terminal's usual width,
// as a large-font or high-resolution desktop has it, set before the terminal is made as the
// desktop's is; the usual font again afterwards.
struct InALargerFont : ::testing::TestWithParam<TrafficView> {
    InALargerFont()
    {
        QFont larger = usual;
        larger.setPixelSize(22);
        QApplication::setFont(larger);
    }
    ~InALargerFont() override { QApplication::setFont(usual); }

    const QFont usual = QApplication::font();
};

class HexPaneInALargerFont : public test::TerminalFixture<InALargerFont> {};

// The pane shows a whole line, its text column included, alone and beside the text.
TEST_P(HexPaneInALargerFont, TheTerminalOpensWideEnoughForAWholeLine)
{
    terminal.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&terminal, 2000));
    terminal.SetTrafficView(GetParam());
    auto* hex = terminal.findChild<HexTrafficView*>(QStringLiteral("hex-view"));
    const uint8_t line[16] = {'*', 'I', 'D', 'N', '?', '\\', 'x', '4', '1', 0x0D, 0x0A, 'O', 'K'};
    hex->Feed(TrafficDirection::Received, line);
    hex->FlushPending();
    QApplication::processEvents();
    ASSERT_GT(hex->minimumSizeHint().width(), 640) << "the font is not larger than the usual";
    EXPECT_GE(hex->width(), hex->minimumSizeHint().width())
        << "the terminal is " << terminal.width() << " px wide";
    EXPECT_EQ(hex->horizontalScrollBar()->maximum(), 0)
        << "the line needs more than the pane's " << hex->width() << " px";
}

INSTANTIATE_TEST_SUITE_P(Views, HexPaneInALargerFont,
                         ::testing::Values(TrafficView::Hex, TrafficView::TextAndHex));

} // namespace
} // namespace wirevane
