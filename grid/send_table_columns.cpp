#include "grid/send_table_columns.h"

#include "core/send_table.h"
#include "grid/decimal_validator.h"
#include "grid/escape_legend.h"
#include "grid/expectation_legend.h"
#include "grid/expectation_validator.h"
#include "grid/grid_column_trait_combo.h"
#include "grid/grid_column_trait_edit.h"
#include "grid/grid_images.h"
#include "grid/grid_row_trait_xp.h"
#include "persistence/settings_keys.h"

#include <QCoreApplication>
#include <QStringList>
#include <memory>
#include <optional>
#include <string_view>

namespace wirevane {
namespace {

struct SendTableColumns {
    Q_DECLARE_TR_FUNCTIONS(SendTableColumns)
};

// The words the table itself writes into the wait and select cells; only these are translated
// for display, so a text of the user's is never shown changed. The select cell's run status is
// made of the status words joined by blanks ("送信済 受信待", " ｽﾃｯﾌﾟ停止").
struct TableWord {
    const char* context;
    const char* word;
};
constexpr TableWord kCellWords[] = {
    {"SendTableColumns", QT_TRANSLATE_NOOP("SendTableColumns", "なし")},
    {"SendTableColumns", QT_TRANSLATE_NOOP("SendTableColumns", "送信する")},
    {"SendTableStatus", QT_TRANSLATE_NOOP("SendTableStatus", "送信済")},
    {"SendTableStatus", QT_TRANSLATE_NOOP("SendTableStatus", "受信待")},
    {"SendTableStatus", QT_TRANSLATE_NOOP("SendTableStatus", "受信済")},
    {"SendTableStatus", QT_TRANSLATE_NOOP("SendTableStatus", "停止")},
    {"SendTableStatus", QT_TRANSLATE_NOOP("SendTableStatus", "ｽﾃｯﾌﾟ停止")},
};

// The verdict of an answer check, written as production lines write it in any language.
constexpr std::u16string_view kVerdictWords[] = {u"OK", u"NG"};

std::optional<QString> TranslatedWord(const QString& stored)
{
    for (std::u16string_view verdict : kVerdictWords) {
        if (stored == QStringView(verdict))
            return stored;
    }
    for (const TableWord& word : kCellWords) {
        if (stored == QString::fromUtf8(word.word))
            return QCoreApplication::translate(word.context, word.word);
    }
    return std::nullopt;
}

// Every blank-separated word translated, the blanks kept; a text with a word the table does not
// write is shown as it stands.
QString TranslatedWords(const QString& stored)
{
    QStringList words = stored.split(u' ');
    for (QString& word : words) {
        if (word.isEmpty())
            continue;
        const std::optional<QString> translated = TranslatedWord(word);
        if (!translated)
            return stored;
        word = *translated;
    }
    return words.join(u' ');
}

QString ShownCellText(int column, const std::u16string& text)
{
    QString stored = QString::fromStdU16String(text);
    if (column == SendTable::kSelectColumn)
        return TranslatedWords(stored);
    if (column == SendTable::kWaitColumn)
        return TranslatedWord(stored).value_or(stored);
    return stored;
}

std::u16string Title(const char* text)
{
    return SendTableColumns::tr(text).toStdU16String();
}

constexpr int kMarkerCount = 7;
constexpr int kExpectSubItem = 6;

// A check column: the unticked box reads as the empty text, the ticked one as a blank; a click
// on the box flips it for every selected row.
std::unique_ptr<CGridColumnTraitImage> CheckTrait(int uncheckedImage)
{
    auto trait = std::make_unique<CGridColumnTraitImage>();
    trait->AddImageIndex(uncheckedImage, u"", false);
    trait->AddImageIndex(uncheckedImage + 1, u" ", false);
    trait->SetToggleSelection(true);
    return trait;
}

} // namespace

QString ShownStatusWords(std::u16string_view stored)
{
    return TranslatedWords(QString::fromStdU16String(std::u16string(stored)));
}

void SetUpSendTableColumns(CGridListCtrlGroups& grid)
{
    CGridListCtrlEx::ImageList checks;
    const int unchecked = grid.AppendCheckboxImages(checks);
    CGridListCtrlEx::ImageList markers;
    for (int marker = 0; marker < kMarkerCount; ++marker) {
        markers.push_back(MarkerIcon(marker));
    }

    grid.SetCellSpacing(1.2);
    grid.GetCellModel().SetShownText(ShownCellText);
    grid.InstallRowTrait(std::make_unique<CGridRowTraitXP>());
    grid.AddHiddenFirstColumn();

    auto wait = std::make_unique<CGridColumnTraitCombo>();
    for (WaitKind kind : kWaitKinds) {
        wait->AddItem(0, std::u16string(WaitKindName(kind)));
    }
    wait->SetStyle(CGridColumnTraitCombo::Style::DropDownList);

    grid.InsertColumnWithTrait(1, Title(QT_TRANSLATE_NOOP("SendTableColumns", "選択")),
                               Qt::AlignLeft, 42, 0, CheckTrait(unchecked));
    grid.InsertColumnWithTrait(2, u"No.", Qt::AlignLeft, 50, 1,
                               std::make_unique<CGridColumnTraitText>());
    grid.InsertColumnWithTrait(3, Title(QT_TRANSLATE_NOOP("SendTableColumns", "送信データ")),
                               Qt::AlignLeft, 240, 2, std::make_unique<CGridColumnTraitEdit>());
    grid.InsertColumnWithTrait(4, Title(QT_TRANSLATE_NOOP("SendTableColumns", "受信待")),
                               Qt::AlignLeft, 60, 3, std::move(wait));
    grid.InsertColumnWithTrait(5, Title(QT_TRANSLATE_NOOP("SendTableColumns", "停止")),
                               Qt::AlignLeft, 42, 4, CheckTrait(unchecked));
    // What the delay cell shows is what the run waits: only a number in the engine's range is
    // taken there.
    auto delay = std::make_unique<CGridColumnTraitEdit>();
    delay->SetValidator([](QObject* parent) { return new DelayValidator(parent); });
    grid.InsertColumnWithTrait(6, Title(QT_TRANSLATE_NOOP("SendTableColumns", "遅延[ms]")),
                               Qt::AlignLeft, 80, 5, std::move(delay));
    auto expect = std::make_unique<CGridColumnTraitEdit>();
    expect->SetValidator([](QObject* parent) { return new ExpectationValidator(parent); });
    grid.InsertColumnWithTrait(SendTable::kExpectColumn,
                               Title(QT_TRANSLATE_NOOP("SendTableColumns", "期待応答")),
                               Qt::AlignLeft, 160, kExpectSubItem, std::move(expect));
    // The native program's layout sections know six columns; this one keeps its own keys.
    grid.GetColumnLayout().KeepOutsideNativeLayout(
        {kExpectSubItem, std::u16string(settings_keys::kWirevane), u"EXPECT_COLUMN"});

    // The run writes its status into the select column, in words longer than a check box.
    grid.KeepColumnTextWhole(1);

    // The notation is not visible in the cells themselves; the header tells it.
    grid.GetCellModel().SetColumnToolTip(3, EscapeLegendToolTip());
    grid.GetCellModel().SetColumnToolTip(SendTable::kExpectColumn, ExpectationToolTip());

    grid.SetColumnImageList(1, checks);
    grid.SetColumnImageList(2, markers);
    grid.SetColumnImageList(5, checks);
}

} // namespace wirevane
