#include "app/file_reports.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QStringList>

namespace wirevane {

namespace {

struct FileReports {
    Q_DECLARE_TR_FUNCTIONS(FileReports)
};

QString Report(const QString& what, const std::filesystem::path& file,
               const platform::FileError& error)
{
    return what + QLatin1Char('\n') + QString::fromStdU16String(file.u16string()) +
           QLatin1Char('\n') + QString::fromStdString(error.message);
}

} // namespace

QString QtFileFilter(std::u16string_view nativeFilter)
{
    // Names and patterns alternate; the empty entries of the closing "||" end the list.
    const QStringList parts =
        QString::fromStdU16String(std::u16string(nativeFilter)).split(QLatin1Char('|'));
    QStringList names;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].isEmpty())
            break;
        // Qt filters by the patterns in the name, and on Linux "*.*" misses every file
        // without an extension; the native "*.*" means all files.
        QString name = parts[i];
        if (parts[i + 1] == QStringLiteral("*.*"))
            name.replace(QStringLiteral("(*.*)"), QStringLiteral("(*)"));
        names.append(name);
    }
    return names.join(QStringLiteral(";;"));
}

QString SaveFailureText(const std::filesystem::path& file, const platform::FileError& error)
{
    return Report(FileReports::tr("設定ファイルを保存できませんでした"), file, error);
}

QString LoadFailureText(const std::filesystem::path& file, const platform::FileError& error)
{
    return Report(FileReports::tr("設定ファイルを読み込めませんでした"), file, error);
}

void ShowSaveFailure(QWidget* window, const std::filesystem::path& file,
                     const platform::FileError& error)
{
    QMessageBox::critical(window, QStringLiteral("Wirevane"), SaveFailureText(file, error));
}

void ShowLoadFailure(QWidget* window, const std::filesystem::path& file,
                     const platform::FileError& error)
{
    QMessageBox::critical(window, QStringLiteral("Wirevane"), LoadFailureText(file, error));
}

} // namespace wirevane
