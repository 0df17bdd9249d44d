#include "app/file_reports.h"

#include <gtest/gtest.h>

namespace wirevane {
namespace {

// "All Files" also matches a file without an extension, such as a settings file saved as "bench".
TEST(FileReports, NativeFiltersBecomeQtFiltersWithoutTheirPatternHalves)
{
    EXPECT_EQ(
        QtFileFilter(u"INI Files (*.ini)|*.ini|TEXT Files (*.txt)|*.txt|All Files (*.*)|*.*||"),
        QStringLiteral("INI Files (*.ini);;TEXT Files (*.txt);;All Files (*)"));
    EXPECT_EQ(QtFileFilter(u"Only (*.x)|*.x"), QStringLiteral("Only (*.x)"));
    EXPECT_EQ(QtFileFilter(u""), QString());
}

TEST(FileReports, AFailureNamesWhatFailedTheFileAndTheReasonOnThreeLines)
{
    const QString text =
        SaveFailureText("/tmp/x/Wirevane.ini", platform::FileError{28, "No space left on device"});
    EXPECT_EQ(text, QStringLiteral("設定ファイルを保存できませんでした\n/tmp/x/Wirevane.ini\n"
                                   "No space left on device"));
}

} // namespace
} // namespace wirevane
