#include "commands/dialog_notation.h"
#include "core/expectation.h"
#include "dialog_driver.h"
#include "grid/escape_legend.h"
#include "support/modal_helper.h"

#include <QGroupBox>
#include <QLabel>
#include <QPixmap>
#include <algorithm>
#include <map>
#include <vector>

namespace wirevane {
namespace {

// One plain colour per table image index, so a legend line's icon tells which index it shows.
QRgb MarkerColour(int image)
{
    return qRgb(image * 40, 255 - image * 40, 128);
}

// A group's labels line by line as shown: the labels of one line share their height.
std::map<int, QStringList> LabelLines(QWidget& group)
{
    std::map<int, QStringList> lines;
    for (QLabel* label : group.findChildren<QLabel*>())
        lines[label->geometry().center().y()].append(label->text());
    return lines;
}

class NotationDialog : public ::testing::Test {
protected:
    std::vector<int> requested;
    CDialogNotation dialog{[this](int image) {
        requested.push_back(image);
        QPixmap pixmap(16, 16);
        pixmap.fill(MarkerColour(image));
        return QIcon(pixmap);
    }};
};

TEST_F(NotationDialog, ListsEachMarkerWithTheTableIconOfItsIndex)
{
    test::Open(dialog);
    auto* markers = dialog.findChild<QGroupBox*>(QStringLiteral("markerLegend"));
    ASSERT_NE(markers, nullptr);

    std::vector<QLabel*> icons;
    std::vector<QLabel*> texts;
    for (QLabel* label : markers->findChildren<QLabel*>())
        (label->pixmap().isNull() ? texts : icons).push_back(label);
    ASSERT_EQ(icons.size(), texts.size());
    const auto top = [](const QLabel* a, const QLabel* b) { return a->y() < b->y(); };
    std::sort(icons.begin(), icons.end(), top);
    std::sort(texts.begin(), texts.end(), top);

    // Each line as the image index its icon's colour tells and its text.
    QStringList lines;
    for (std::size_t line = 0; line < icons.size(); ++line) {
        EXPECT_LT(icons[line]->x(), texts[line]->x()) << "the icon stands before its text";
        EXPECT_NEAR(icons[line]->geometry().center().y(), texts[line]->geometry().center().y(), 4);
        const QRgb colour = icons[line]->pixmap().toImage().pixel(8, 8);
        EXPECT_EQ(colour, MarkerColour(qRed(colour) / 40));
        lines << QString::number(qRed(colour) / 40) + u' ' + texts[line]->text();
    }
    EXPECT_EQ(lines,
              QString::fromUtf16(u"1 データ送信 完了|2 受信待ち|4 停止|3 ステップ動作による停止|"
                                 u"5 応答チェック 合格 (OK)|6 応答チェック 失敗 (NG)")
                  .split(u'|'));
    EXPECT_EQ(requested, (std::vector<int>{1, 2, 4, 3, 5, 6}));
}

TEST_F(NotationDialog, TheEscapeTableAndTheAnswerFormsFollowTheLegendWithTheirExamples)
{
    test::Open(dialog);
    auto* markers = dialog.findChild<QGroupBox*>(QStringLiteral("markerLegend"));
    auto* escapes = dialog.findChild<QGroupBox*>(QStringLiteral("escapeLegend"));
    ASSERT_NE(escapes, nullptr);
    EXPECT_GT(escapes->y(), markers->geometry().bottom());

    // Below the headings, one line per escape: the escape, its byte, an example and the bytes
    // that example sends.
    QList<QStringList> shown;
    for (const auto& [y, texts] : LabelLines(*escapes)) {
        if (texts.size() == 4)
            shown << texts;
    }
    QList<QStringList> expected{shown.value(0)};
    for (const EscapeLegendLine& line : EscapeLegend())
        expected << QStringList{QString::fromUtf16(line.escape), EscapeLineByte(line),
                                QString::fromUtf16(line.example), ExampleBytes(line.example)};
    EXPECT_EQ(shown, expected);
    EXPECT_EQ(expected.value(1).value(3), QStringLiteral("41 54 0D"));

    // The answer forms come last, each with an example the grid would take as typed.
    auto* forms = dialog.findChild<QGroupBox*>(QStringLiteral("expectationLegend"));
    ASSERT_NE(forms, nullptr);
    EXPECT_GT(forms->y(), escapes->geometry().bottom());
    const std::map<int, QStringList> lines = LabelLines(*forms);
    ASSERT_EQ(lines.size(), 2u);
    QStringList examples;
    for (const auto& [y, texts] : lines) {
        ASSERT_EQ(texts.size(), 3);
        examples << texts[1];
        EXPECT_TRUE(ExpectationError(texts[1].toStdU16String()).empty()) << texts[1].toStdString();
    }
    EXPECT_FALSE(examples[0].startsWith(QStringLiteral("re:")));
    EXPECT_TRUE(examples[1].startsWith(QStringLiteral("re:")));
}

TEST_F(NotationDialog, OkAndEscapeCloseTheModalLoop)
{
    test::WhenModal<CDialogNotation>(
        [](CDialogNotation* modal) { test::ClickButton(test::Control<QPushButton>(*modal, 1)); });
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);

    test::WhenModal<CDialogNotation>(
        [](CDialogNotation* modal) { QTest::keyClick(modal, Qt::Key_Escape); });
    EXPECT_EQ(dialog.exec(), QDialog::Rejected);
}

} // namespace
} // namespace wirevane
