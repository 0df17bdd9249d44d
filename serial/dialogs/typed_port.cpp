#include "serial/dialogs/typed_port.h"

#include "platform/port_enumeration.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <filesystem>

namespace wirevane {

TypedPort ResolveTypedPort(std::u16string_view typed)
{
    QString text = QString::fromUtf16(typed.data(), static_cast<qsizetype>(typed.size())).trimmed();
    const QString windowsPrefix = QStringLiteral("\\\\.\\");
    if (text.startsWith(windowsPrefix))
        text.remove(0, windowsPrefix.size());
    TypedPort port;
    port.name = text.toStdU16String();
    if (!text.isEmpty())
        port.devicePath = platform::PortDevicePath(text.toStdString());
    return port;
}

QString TypedPortProblem(const TypedPort& port)
{
    const QString name = QString::fromStdU16String(port.name);
    if (port.name.empty())
        return QCoreApplication::translate("TypedPort", "ポート名を入力してください。");
    const QString path = QString::fromStdString(port.devicePath);
    if (!platform::MayNamePort(port.devicePath))
        return QCoreApplication::translate("TypedPort",
                                           "「%1」はシリアルポートではありません (%2)。")
            .arg(name, path);
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(port.devicePath, error);
    if (!std::filesystem::exists(status))
        return QCoreApplication::translate("TypedPort", "ポート「%1」が見つかりません (%2)。")
            .arg(name, path);
    if (!std::filesystem::is_character_file(status))
        return QCoreApplication::translate("TypedPort",
                                           "「%1」はシリアルポートではありません (%2)。")
            .arg(name, path);
    const QFileInfo info(path);
    if (!info.isReadable() || !info.isWritable())
        return QCoreApplication::translate("TypedPort", "ポート「%1」を開く権限がありません (%2)。")
            .arg(name, path);
    return QString();
}

} // namespace wirevane
