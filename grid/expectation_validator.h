#pragma once

#include "grid/decimal_validator.h"

namespace wirevane {

// An expected answer is free text, but a "re:" text whose expression cannot be compiled is
// refused where it is typed, with the regex engine's reason, rather than failing every run.
class ExpectationValidator final : public ExplainedValidator {
    Q_OBJECT
public:
    explicit ExpectationValidator(QObject* parent) : ExplainedValidator(parent) {}

    State validate(QString& input, int& position) const override;
    QString RefusalText() const override;

    // What the user is told when the text is refused, wherever it was typed; empty when the
    // text is usable.
    static QString Refusal(const QString& text);

private:
    mutable QString m_refusal;
};

} // namespace wirevane
