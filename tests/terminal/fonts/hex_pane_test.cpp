#include "terminal/hex_traffic_view.h"
#include "terminal/terminal_fixture.h"

#include <QApplication>
#include <QScrollBar>
#include <gtest/gtest.h>

namespace wirevane {
namespace {

using TrafficView = CDialogTerminal::TrafficView;

class HexPane : public test::TerminalFixture<::testing::TestWithParam<TrafficView>> {};

// At the size the terminal opens with, the pane shows a whole line, its text column included,
// alone and beside the text.
TEST_P(HexPane, ShowsAWholeLineAtTheTerminalsOwnSize)
{
    terminal.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&terminal, 2000));
    terminal.SetTrafficView(GetParam());
    auto* hex = terminal.findChild<HexTrafficView*>(QStringLiteral("hex-view"));
    const uint8_t line[16] = {'*', 'I', 'D', 'N', '?', '\\', 'x', '4', '1', 0x0D, 0x0A, 'O', 'K'};
    hex->Feed(TrafficDirection::Received, line);
    hex->FlushPending();
    QApplication::processEvents();
    EXPECT_EQ(hex->horizontalScrollBar()->maximum(), 0)
        << "the line needs " << hex->minimumSizeHint().width() << " px, the pane has "
        << hex->width();
}

INSTANTIATE_TEST_SUITE_P(Views, HexPane,
                         ::testing::Values(TrafficView::Hex, TrafficView::TextAndHex));

} // namespace
} // namespace wirevane
