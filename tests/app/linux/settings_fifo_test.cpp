#include "app/main_window_rig.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace wirevane {
namespace {

using test::MainWindowRig;

// A settings path that names a FIFO must neither hang the start nor be replaced by a file: the
// window starts with its defaults and says why the file was not read.
TEST(MainWindowStartup, ASettingsFileThatIsAFifoIsReportedAndLeftAlone)
{
    MainWindowRig rig;
    const std::filesystem::path settings = rig.folder() / "Wirevane.ini";
    ASSERT_EQ(::mkfifo(settings.c_str(), 0600), 0);
    const QString reported = test::MessageShownBy([&] { rig.Start(); });
    CWirevaneDlg& window = rig.window();
    EXPECT_TRUE(reported.contains(QStringLiteral("Not a regular file"))) << reported.toStdString();
    EXPECT_EQ(window.table().grid().GetCellText(0, SendTable::kDelayColumn), u"100");
    rig.Stop();
    EXPECT_TRUE(std::filesystem::is_fifo(settings));
}

} // namespace
} // namespace wirevane
