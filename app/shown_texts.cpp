#include "app/shown_texts.h"

#include "serial/connection_status.h"

#include <QCoreApplication>

namespace wirevane {

namespace {

struct ConnectionStatusTexts {
    Q_DECLARE_TR_FUNCTIONS(ConnectionStatusTexts)
};

struct SettingsCommandTexts {
    Q_DECLARE_TR_FUNCTIONS(SettingsCommandTexts)
};

constexpr std::u16string_view kConnectedPrefix = u"接続 ";

// The texts of the settings commands, which are written without Qt.
constexpr const char* kCommandTexts[] = {
    QT_TRANSLATE_NOOP("SettingsCommandTexts", "設定ファイル 読込"),
    QT_TRANSLATE_NOOP("SettingsCommandTexts", "設定ファイル 保存"),
    QT_TRANSLATE_NOOP("SettingsCommandTexts", "設定ファイル再読込 (Wirevane.ini)        "),
};

} // namespace

QString ShownConnectionStatus(std::u16string_view status)
{
    if (status == kNotConnectedText)
        return ConnectionStatusTexts::tr("未接続");
    if (status.starts_with(kConnectedPrefix)) {
        const std::u16string port(status.substr(kConnectedPrefix.size()));
        return ConnectionStatusTexts::tr("接続 %1").arg(QString::fromStdU16String(port));
    }
    return QString::fromStdU16String(std::u16string(status));
}

QString ShownCommandText(std::u16string_view text)
{
    QString source = QString::fromStdU16String(std::u16string(text));
    for (const char* known : kCommandTexts) {
        if (source == QString::fromUtf8(known))
            return SettingsCommandTexts::tr(known);
    }
    return source;
}

} // namespace wirevane
