#pragma once

#include <QValidator>

namespace wirevane {

// Lets a line editor hold only what reads back as the same 32-bit integer: an optional sign
// and decimal digits within the range. A lone sign or nothing is accepted while typing; any
// other character, and a digit that would leave the range, is refused as it is typed.
class DecimalValidator final : public QValidator {
public:
    explicit DecimalValidator(QObject* parent) : QValidator(parent) {}

    State validate(QString& input, int& position) const override;
};

} // namespace wirevane
