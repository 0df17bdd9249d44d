#include "commands/dialog_notation.h"

#include "commands/dialog_controls.h"
#include "commands/run_keys.h"
#include "core/send_table.h"
#include "grid/escape_legend.h"
#include "grid/expectation_legend.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <span>

namespace wirevane {

namespace {

struct LegendLine {
    RowImage image;
    const char* text;
};

// In the legend's own order, which lists the halt before the step-mode stop.
constexpr LegendLine kLegend[] = {
    {kRowImageSent, QT_TRANSLATE_NOOP("wirevane::CDialogNotation", "データ送信 完了")},
    {kRowImageWaiting, QT_TRANSLATE_NOOP("wirevane::CDialogNotation", "受信待ち")},
    {kRowImageHalt, QT_TRANSLATE_NOOP("wirevane::CDialogNotation", "停止")},
    {kRowImageStepStop, QT_TRANSLATE_NOOP("wirevane::CDialogNotation", "ステップ動作による停止")},
    {kRowImagePass, QT_TRANSLATE_NOOP("wirevane::CDialogNotation", "応答チェック 合格 (OK)")},
    {kRowImageFail, QT_TRANSLATE_NOOP("wirevane::CDialogNotation", "応答チェック 失敗 (NG)")},
};

constexpr int kIconSize = 16;

struct KeyLine {
    QKeySequence (*key)();
    const char* command;
};

constexpr KeyLine kRunKeys[] = {
    {SendKey, QT_TRANSLATE_NOOP("wirevane::CDialogNotation", "送信")},
    {StopKey, QT_TRANSLATE_NOOP("wirevane::CDialogNotation", "停止")},
    {ResetKey, QT_TRANSLATE_NOOP("wirevane::CDialogNotation", "リセット")},
};

// One line per form: the form, an example cell text, and what it does.
QGroupBox* FormsBox(const QString& title, const QString& name,
                    std::span<const ExpectationForm> forms, QWidget* parent)
{
    auto* box = new QGroupBox(title, parent);
    box->setObjectName(name);
    auto* grid = new QGridLayout(box);
    grid->setHorizontalSpacing(12);
    int line = 0;
    for (const ExpectationForm& form : forms) {
        const QString cells[] = {ExpectationFormName(form), QString::fromUtf16(form.example),
                                 ExpectationFormMeaning(form)};
        for (int column = 0; column < 3; ++column) {
            auto* cell = new QLabel(cells[column], box);
            cell->setTextFormat(Qt::PlainText);
            grid->addWidget(cell, line, column);
        }
        ++line;
    }
    grid->setColumnStretch(2, 1);
    return box;
}

} // namespace

CDialogNotation::CDialogNotation(const std::function<QIcon(int)>& markerIcon, QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(tr("記号"));
    auto* group = new QGroupBox(tr("記号"), this);
    group->setObjectName(QStringLiteral("markerLegend"));
    auto* grid = new QGridLayout(group);
    int line = 0;
    for (const LegendLine& entry : kLegend) {
        auto* icon = new QLabel(group);
        icon->setPixmap(markerIcon(entry.image).pixmap(kIconSize, kIconSize));
        grid->addWidget(icon, line, 0);
        grid->addWidget(new QLabel(tr(entry.text), group), line, 1);
        ++line;
    }
    grid->setColumnStretch(1, 1);

    auto* keys = new QGroupBox(tr("キー操作"), this);
    keys->setObjectName(QStringLiteral("keyLegend"));
    auto* keyGrid = new QGridLayout(keys);
    keyGrid->setHorizontalSpacing(12);
    int keyLine = 0;
    for (const KeyLine& entry : kRunKeys) {
        keyGrid->addWidget(new QLabel(entry.key().toString(QKeySequence::NativeText), keys),
                           keyLine, 0);
        keyGrid->addWidget(new QLabel(tr(entry.command), keys), keyLine, 1);
        ++keyLine;
    }
    keyGrid->setColumnStretch(1, 1);

    auto* escapes = new QGroupBox(tr("エスケープ表記 (送信データ)"), this);
    escapes->setObjectName(QStringLiteral("escapeLegend"));
    auto* table = new QGridLayout(escapes);
    table->setHorizontalSpacing(12);
    const QString headings[] = {tr("表記"), tr("バイト"), tr("例"), tr("送信バイト")};
    for (int column = 0; column < 4; ++column) {
        auto* heading = new QLabel(headings[column], escapes);
        QFont bold = heading->font();
        bold.setBold(true);
        heading->setFont(bold);
        table->addWidget(heading, 0, column);
    }
    int escapeLine = 1;
    for (const EscapeLegendLine& entry : EscapeLegend()) {
        const QString example = QString::fromUtf16(entry.example);
        const QString cells[] = {QString::fromUtf16(entry.escape), EscapeLineByte(entry), example,
                                 ExampleBytes(example.toStdU16String())};
        for (int column = 0; column < 4; ++column) {
            auto* cell = new QLabel(cells[column], escapes);
            cell->setTextFormat(Qt::PlainText);
            table->addWidget(cell, escapeLine, column);
        }
        ++escapeLine;
    }
    auto* utf8 = new QLabel(tr("%1。").arg(Utf8EscapeNote()), escapes);
    utf8->setWordWrap(true);
    table->addWidget(utf8, escapeLine, 0, 1, 4);

    auto* answers = FormsBox(tr("期待応答の書式"), QStringLiteral("expectationLegend"),
                             ExpectationForms(), this);
    auto* values = FormsBox(tr("応答の値 (送信データ)"), QStringLiteral("valueLegend"),
                            AnswerValueForms(), this);
    auto* valueGrid = static_cast<QGridLayout*>(values->layout());
    auto* valueNote = new QLabel(AnswerValueNote(), values);
    valueNote->setWordWrap(true);
    valueGrid->addWidget(valueNote, valueGrid->rowCount(), 0, 1, 3);

    auto* ok = NewButton(this, 1, QStringLiteral("OK"));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(keys);
    layout->addWidget(escapes);
    layout->addWidget(answers);
    layout->addWidget(values);
    layout->addLayout(buttons);
    // The layout's own minimum ignores that the wrapped note needs more lines as it narrows;
    // at its natural size every line has room, so the dialog shrinks no further.
    setMinimumSize(sizeHint());
}

} // namespace wirevane
