#include "grid/send_table_columns.h"

#include "core/send_table.h"
#include "grid/decimal_validator.h"
#include "grid/escape_legend.h"
#include "grid/grid_column_trait_combo.h"
#include "grid/grid_column_trait_edit.h"
#include "grid/grid_images.h"
#include "grid/grid_row_trait_xp.h"

#include <QCoreApplication>
#include <memory>

namespace wirevane {
namespace {

struct SendTableColumns {
    Q_DECLARE_TR_FUNCTIONS(SendTableColumns)
};

// The words the table itself writes into the wait and send cells; only these are translated
// for display, so a text of the user's is never shown changed.
constexpr const char* kCellWords[] = {QT_TRANSLATE_NOOP("SendTableColumns", "なし"),
                                      QT_TRANSLATE_NOOP("SendTableColumns", "送信する")};

QString ShownCellText(int column, const std::u16string& text)
{
    QString stored = QString::fromStdU16String(text);
    if (column == SendTable::kWaitColumn || column == SendTable::kSelectColumn) {
        for (const char* word : kCellWords) {
            if (stored == QString::fromUtf8(word))
                return SendTableColumns::tr(word);
        }
    }
    return stored;
}

std::u16string Title(const char* text)
{
    return SendTableColumns::tr(text).toStdU16String();
}

constexpr int kMarkerCount = 5;

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
    for (const char16_t* item : {u"なし", u"CR", u"NL", u"Any"}) {
        wait->AddItem(0, item);
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

    // The notation is not visible in the cells themselves; the header tells it.
    grid.GetCellModel().SetColumnToolTip(3, EscapeLegendToolTip());

    grid.SetColumnImageList(1, checks);
    grid.SetColumnImageList(2, markers);
    grid.SetColumnImageList(5, checks);
}

} // namespace wirevane
