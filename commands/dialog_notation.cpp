#include "commands/dialog_notation.h"

#include "commands/dialog_controls.h"
#include "core/send_table.h"

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

    auto* ok = NewButton(this, 1, QStringLiteral("OK"));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addLayout(buttons);
    resize(DialogUnits(156, 135));
}

} // namespace wirevane
