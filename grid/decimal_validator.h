#pragma once

#include <QValidator>

class QWidget;

namespace wirevane {

// A validator that leaves typing free and judges the whole text when it is taken: an editor
// that holds one refuses text that is not Acceptable and shows RefusalText() instead of
// silently eating keys.
class ExplainedValidator : public QValidator {
    Q_OBJECT
public:
    using QValidator::QValidator;

    virtual QString RefusalText() const = 0;
};

// The delay rule (ParseDelayText) for a line editor.
class DelayValidator final : public ExplainedValidator {
    Q_OBJECT
public:
    explicit DelayValidator(QObject* parent) : ExplainedValidator(parent) {}

    State validate(QString& input, int& position) const override;
    QString RefusalText() const override;

    // What the user is told when a delay is refused, wherever it was typed.
    static QString Refusal();
};

// Shows a refusal as a short note under the area (in widget's coordinates) where the text was
// typed. Call it last: a focus change or a key press closes the note.
void ShowRefusal(QWidget& widget, const QRect& area, const QString& text);

} // namespace wirevane
