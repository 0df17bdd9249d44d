#pragma once

#include <QDialog>
#include <QIcon>
#include <functional>

namespace wirevane {

// "記号": the legend of the row marker icons, one line per marker with the table's own icon for
// it, then the keys of the run commands, below them the escape notation of the send data with the
// bytes each example sends, and last the two forms of an expected answer with an example each. The
// icons come from the caller by table image index, so the legend shows exactly what the table
// draws. OK or Escape closes it; nothing is read.
class CDialogNotation : public QDialog {
    Q_OBJECT
public:
    explicit CDialogNotation(const std::function<QIcon(int)>& markerIcon,
                             QWidget* parent = nullptr);
};

} // namespace wirevane
