#include "chart/chart_window.h"

#include <QAction>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>

namespace wirevane {

namespace {

const QString kCsvFilter = QStringLiteral("CSV (*.csv);;All Files (*)");

std::filesystem::path AskForCsv(QWidget* parent, const QString& title,
                                const std::filesystem::path& folder)
{
    QFileDialog dialog(parent, title, QString::fromStdU16String(folder.u16string()), kCsvFilter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("csv"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return std::filesystem::path(dialog.selectedFiles().front().toStdU16String());
}

void ShowFailure(QWidget* parent, const std::filesystem::path& path, const std::u16string& error)
{
    QMessageBox::critical(parent, parent->windowTitle(),
                          QStringLiteral("%1\n%2").arg(QString::fromStdU16String(path.u16string()),
                                                       QString::fromStdU16String(error)));
}

} // namespace

std::u16string ChartWindow::StartCsv(const std::filesystem::path& path)
{
    StopCsv();
    std::u16string error = m_recorder.Open(path);
    if (error.empty()) {
        m_csvPath = path;
        m_csvFlush.start();
    }
    ShowCsvState();
    return error;
}

void ChartWindow::StopCsv()
{
    m_csvFlush.stop();
    if (!m_recorder.IsOpen())
        return;
    m_recorder.Close();
    ShowCsvState();
}

void ChartWindow::FlushCsv()
{
    m_recorder.FlushIfDue();
    if (!m_recorder.failure())
        return;
    const QString why = QString::fromStdString(m_recorder.failure()->message);
    StopCsv();
    m_csvPane->setText(
        tr("CSV 記録停止: %1: %2").arg(QString::fromStdU16String(m_csvPath.u16string()), why));
}

std::u16string ChartWindow::SaveCsvTo(const std::filesystem::path& path) const
{
    const std::vector<Measurement> held = m_model.Held();
    return SaveCsv(path, held);
}

void ChartWindow::StartCsvFrom(QWidget* dialogParent)
{
    const std::filesystem::path path = AskForCsv(dialogParent, tr("CSV 記録開始"), m_filesFolder());
    if (path.empty())
        return;
    const std::u16string error = StartCsv(path);
    if (!error.empty())
        ShowFailure(dialogParent, path, error);
}

void ChartWindow::SaveCsvFrom(QWidget* dialogParent)
{
    const std::filesystem::path path = AskForCsv(dialogParent, tr("CSV に保存"), m_filesFolder());
    if (path.empty())
        return;
    const std::u16string error = SaveCsvTo(path);
    if (!error.empty())
        ShowFailure(dialogParent, path, error);
}

void ChartWindow::ShowCsvState()
{
    const bool recording = m_recorder.IsOpen();
    m_startCsv->setEnabled(!recording);
    m_stopCsv->setEnabled(recording);
    m_csvPane->setText(
        recording ? tr("CSV 記録中: %1").arg(QString::fromStdU16String(m_csvPath.u16string()))
                  : QString());
}

} // namespace wirevane
