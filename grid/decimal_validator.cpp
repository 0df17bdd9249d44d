#include "grid/decimal_validator.h"

#include "core/decimal_text.h"

#include <QToolTip>
#include <QWidget>

namespace wirevane {

QValidator::State DelayValidator::validate(QString& input, int& /*position*/) const
{
    return ParseDelayText(input.toStdU16String()) ? Acceptable : Intermediate;
}

QString DelayValidator::RefusalText() const
{
    return Refusal();
}

QString DelayValidator::Refusal()
{
    return tr("遅延は 0 から %1 までの整数 [ms] で入力してください").arg(kLongestDelayMs);
}

void ShowRefusal(QWidget& widget, const QRect& area, const QString& text)
{
    QToolTip::showText(widget.mapToGlobal(area.bottomLeft()), text, &widget);
}

} // namespace wirevane
