#include "grid/send_table_columns.h"

#include "grid/decimal_validator.h"
#include "grid/escape_legend.h"
#include "grid/grid_column_trait_combo.h"
#include "grid/grid_column_trait_edit.h"
#include "grid/grid_images.h"
#include "grid/grid_row_trait_xp.h"

#include <memory>

namespace wirevane {
namespace {

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
    grid.InstallRowTrait(std::make_unique<CGridRowTraitXP>());
    grid.AddHiddenFirstColumn();

    auto wait = std::make_unique<CGridColumnTraitCombo>();
    for (const char16_t* item : {u"なし", u"CR", u"NL", u"Any"}) {
        wait->AddItem(0, item);
    }
    wait->SetStyle(CGridColumnTraitCombo::Style::DropDownList);

    grid.InsertColumnWithTrait(1, u"選択", Qt::AlignLeft, 42, 0, CheckTrait(unchecked));
    grid.InsertColumnWithTrait(2, u"No.", Qt::AlignLeft, 50, 1,
                               std::make_unique<CGridColumnTraitText>());
    grid.InsertColumnWithTrait(3, u"送信データ", Qt::AlignLeft, 240, 2,
                               std::make_unique<CGridColumnTraitEdit>());
    grid.InsertColumnWithTrait(4, u"受信待", Qt::AlignLeft, 60, 3, std::move(wait));
    grid.InsertColumnWithTrait(5, u"停止", Qt::AlignLeft, 42, 4, CheckTrait(unchecked));
    // What the delay cell shows is what the run waits: only a number in the engine's range can
    // be typed there.
    auto delay = std::make_unique<CGridColumnTraitEdit>();
    delay->SetValidator([](QObject* parent) { return new DecimalValidator(parent); });
    grid.InsertColumnWithTrait(6, u"遅延[ms]", Qt::AlignLeft, 80, 5, std::move(delay));

    // The notation is not visible in the cells themselves; the header tells it.
    grid.cellModel().setColumnToolTip(3, EscapeLegendToolTip());

    grid.SetColumnImageList(1, checks);
    grid.SetColumnImageList(2, markers);
    grid.SetColumnImageList(5, checks);
}

} // namespace wirevane
