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

} // namespace
} // namespace wirevane
