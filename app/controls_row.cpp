#include "app/controls_row.h"

#include "app/command_ids.h"
#include "core/text_encoding.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <iterator>

namespace wirevane {

namespace {

// The row's texts, and those of the native dialog's hidden buttons, share one context.
struct ControlsRowTexts {
    Q_DECLARE_TR_FUNCTIONS(ControlsRowTexts)
};

// The line-end list's items, in the order of the suffixes they choose.
constexpr const char* kLineEndItems[] = {QT_TRANSLATE_NOOP("ControlsRowTexts", "付加無し"),
                                         QT_TRANSLATE_NOOP("ControlsRowTexts", "CR 付加"),
                                         QT_TRANSLATE_NOOP("ControlsRowTexts", "CR+NL 付加"),
                                         QT_TRANSLATE_NOOP("ControlsRowTexts", "NL 付加")};
static_assert(std::size(kLineEndItems) == std::size(kLineEndSuffixes));

QComboBox* MakeList(int id, const QStringList& items)
{
    auto* list = new QComboBox;
    list->setObjectName(QString::number(id));
    list->addItems(items);
    list->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    return list;
}

QLabel* MakeLabel(int id, const QString& text)
{
    auto* label = new QLabel(text);
    label->setObjectName(QString::number(id));
    return label;
}

} // namespace

ControlsRow BuildControlsRow(QWidget* parent, CommandRegistry& commands)
{
    using namespace command;
    ControlsRow row;
    row.widget = new QWidget(parent);
    auto* layout = new QHBoxLayout(row.widget);
    layout->setContentsMargins(8, 4, 8, 4);

    row.cyclic = new QCheckBox(ControlsRowTexts::tr("繰り返し"));
    row.cyclic->setObjectName(QString::number(kCyclicBox));
    row.step = new QCheckBox(ControlsRowTexts::tr("ステップ動作"));
    row.step->setObjectName(QString::number(kStepBox));
    QStringList lineEnds;
    for (const char* item : kLineEndItems)
        lineEnds.append(ControlsRowTexts::tr(item));
    row.lineEnd = MakeList(kLineEndCombo, lineEnds);
    QStringList encodings;
    for (TextEncoding encoding : kTextEncodings)
        encodings.append(QStringView(TextEncodingName(encoding)).toString());
    row.encoding = MakeList(kEncodingCombo, encodings);

    layout->addWidget(row.cyclic);
    layout->addWidget(row.step);
    layout->addSpacing(16);
    layout->addWidget(MakeLabel(kLineEndLabel, ControlsRowTexts::tr("改行")));
    layout->addWidget(row.lineEnd);
    layout->addSpacing(16);
    layout->addWidget(MakeLabel(kEncodingLabel, ControlsRowTexts::tr("エンコード")));
    layout->addWidget(row.encoding);
    layout->addStretch(1);

    const struct {
        int id;
        const char* text;
    } hidden[] = {{kSend, QT_TRANSLATE_NOOP("ControlsRowTexts", "送信")},
                  {kStop, QT_TRANSLATE_NOOP("ControlsRowTexts", "停止")},
                  {kReset, QT_TRANSLATE_NOOP("ControlsRowTexts", "リセット")},
                  {kTerminalButton, QT_TRANSLATE_NOOP("ControlsRowTexts", "ターミナル")},
                  {kOpenButton, QT_TRANSLATE_NOOP("ControlsRowTexts", "オープン ...")},
                  {kSettingsButton, QT_TRANSLATE_NOOP("ControlsRowTexts", "設定 ...")},
                  {kCloseButton, QT_TRANSLATE_NOOP("ControlsRowTexts", "クローズ")},
                  {kExitButton, QT_TRANSLATE_NOOP("ControlsRowTexts", "終了")}};
    for (const auto& button : hidden) {
        auto* push = new QPushButton(ControlsRowTexts::tr(button.text), row.widget);
        push->setAutoDefault(false);
        push->hide();
        commands.add(button.id, push);
    }
    return row;
}

} // namespace wirevane
