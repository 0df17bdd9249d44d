#pragma once

class QBoxLayout;
class QDialog;

namespace wirevane {

// OK and "キャンセル" at the bottom right of a small dialog, wired to accept and reject.
QBoxLayout* MakeOkCancelRow(QDialog* dialog);

} // namespace wirevane
