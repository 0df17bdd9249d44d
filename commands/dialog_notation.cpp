#include "commands/dialog_notation.h"

#include "commands/dialog_controls.h"
#include "core/send_table.h"
#include "grid/escape_legend.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace wirevane {

namespace {

struct LegendLine {
    RowImage image;
    const char16_t* text;
};

// In the legend's own order, which lists the halt before the step-mode stop.
constexpr LegendLine kLegend[] = {
    {kRowImageSent, u"データ送信 完了"},
    {kRowImageWaiting, u"受信待ち"},
    {kRowImageHalt, u"停止"},
    {kRowImageStepStop, u"ステップ動作による停止"},
};

constexpr int kIconSize = 16;

} // namespace

CDialogNotation::CDialogNotation(std::function<QIcon(int)> markerIcon, QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(QString::fromUtf16(u"記号"));
    auto* group = new QGroupBox(QString::fromUtf16(u"記号"), this);
    group->setObjectName(QStringLiteral("markerLegend"));
    auto* grid = new QGridLayout(group);
    int line = 0;
    for (const LegendLine& entry : kLegend) {
        auto* icon = new QLabel(group);
        icon->setPixmap(markerIcon(entry.image).pixmap(kIconSize, kIconSize));
        grid->addWidget(icon, line, 0);
        grid->addWidget(new QLabel(QString::fromUtf16(entry.text), group), line, 1);
        ++line;
    }
    grid->setColumnStretch(1, 1);

    auto* escapes = new QGroupBox(QString::fromUtf16(u"エスケープ表記 (送信データ)"), this);
    escapes->setObjectName(QStringLiteral("escapeLegend"));
    auto* table = new QGridLayout(escapes);
    table->setHorizontalSpacing(12);
    const QString headings[] = {QString::fromUtf16(u"表記"), QString::fromUtf16(u"バイト"),
                                QString::fromUtf16(u"例"), QString::fromUtf16(u"送信バイト")};
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
        const QString cells[] = {QString::fromUtf16(entry.escape), QString::fromUtf16(entry.byte),
                                 example, ExampleBytes(example.toStdU16String())};
        for (int column = 0; column < 4; ++column) {
            auto* cell = new QLabel(cells[column], escapes);
            cell->setTextFormat(Qt::PlainText);
            table->addWidget(cell, escapeLine, column);
        }
        ++escapeLine;
    }
    auto* utf8 =
        new QLabel(QString::fromUtf16(kUtf8EscapeNote) + QString::fromUtf16(u"。"), escapes);
    utf8->setWordWrap(true);
    table->addWidget(utf8, escapeLine, 0, 1, 4);

    auto* ok = NewButton(this, 1, QStringLiteral("OK"));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(escapes);
    layout->addLayout(buttons);
    // The layout's own minimum ignores that the wrapped note needs more lines as it narrows;
    // at its natural size every line has room, so the dialog shrinks no further.
    setMinimumSize(sizeHint());
}

} // namespace wirevane
