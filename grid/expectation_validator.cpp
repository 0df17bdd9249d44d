#include "grid/expectation_validator.h"

#include "core/expectation.h"

namespace wirevane {

QValidator::State ExpectationValidator::validate(QString& input, int& /*position*/) const
{
    m_refusal = Refusal(input);
    return m_refusal.isEmpty() ? Acceptable : Intermediate;
}

QString ExpectationValidator::RefusalText() const
{
    return m_refusal;
}

QString ExpectationValidator::Refusal(const QString& text)
{
    const std::u16string reason = ExpectationError(text.toStdU16String());
    if (reason.empty())
        return {};
    return tr("この正規表現は使えません: %1").arg(QString::fromStdU16String(reason));
}

} // namespace wirevane
