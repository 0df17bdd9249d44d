#include "app/controls_row.h"

#include "app/command_ids.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace wirevane {

namespace {

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

    row.cyclic = new QCheckBox(QStringLiteral("繰り返し"));
    row.cyclic->setObjectName(QString::number(kCyclicBox));
    row.step = new QCheckBox(QStringLiteral("ステップ動作"));
    row.step->setObjectName(QString::number(kStepBox));
    row.lineEnd =
        MakeList(kLineEndCombo, {QStringLiteral("付加無し"), QStringLiteral("CR 付加"),
                                 QStringLiteral("CR+NL 付加"), QStringLiteral("NL 付加")});
    row.encoding = MakeList(
        kEncodingCombo, {QStringLiteral("SJIS"), QStringLiteral("UTF-8"), QStringLiteral("EUC")});

    layout->addWidget(row.cyclic);
    layout->addWidget(row.step);
    layout->addSpacing(16);
    layout->addWidget(MakeLabel(kLineEndLabel, QStringLiteral("改行")));
    layout->addWidget(row.lineEnd);
    layout->addSpacing(16);
    layout->addWidget(MakeLabel(kEncodingLabel, QStringLiteral("エンコード")));
    layout->addWidget(row.encoding);
    layout->addStretch(1);

    const struct {
        int id;
        const char16_t* text;
    } hidden[] = {{kSend, u"送信"},
                  {kStop, u"停止"},
                  {kReset, u"リセット"},
                  {kTerminalButton, u"ターミナル"},
                  {kOpenButton, u"オープン ..."},
                  {kSettingsButton, u"設定 ..."},
                  {kCloseButton, u"クローズ"},
                  {kExitButton, u"終了"}};
    for (const auto& button : hidden) {
        auto* push = new QPushButton(QString::fromUtf16(button.text), row.widget);
        push->setAutoDefault(false);
        push->hide();
        commands.add(button.id, push);
    }
    return row;
}

} // namespace wirevane
