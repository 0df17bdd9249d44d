#include "terminal/dialog_terminal.h"

#include "chart/chart_window.h"
#include "core/send_failure_text.h"
#include "grid/fixed_pitch_font.h"
#include "platform/atomic_file.h"
#include "platform/codepage.h"
#include "terminal/find_bar.h"
#include "terminal/hex_traffic_view.h"
#include "terminal/terminal_host.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileDialog>
#include <QFontDialog>
#include <QLabel>
#include <QLayout>
#include <QMessageBox>
#include <QSplitter>
#include <QStyle>
#include <algorithm>

namespace wirevane {

namespace {

// Often enough that a log loses at most its flush interval and this when the program dies.
constexpr int kLogFlushTurnMs = 50;

} // namespace

CDialogTerminal::CDialogTerminal(TerminalHost& host, PortAccess* port, QWidget* parent)
    : QMainWindow(parent, Qt::Window), m_host(host),
      m_chart(std::make_unique<ChartWindow>([this] { return m_host.FilesFolder(); }))
{
    setWindowTitle(QStringLiteral("Terminal"));
    setWindowIcon(style()->standardIcon(QStyle::SP_ComputerIcon));

    m_font = FixedPitchFont(16);

    BuildActions();
    BuildCentral();
    BuildMenus();
    BuildToolBar();
    BuildStatusBar();
    // An explicit minimum overrides the layout's, so it is raised to what the controls need at
    // the current font; below that the layout would squeeze them until their texts are cut.
    setMinimumSize(minimumSizeHint().expandedTo(QSize(600, 240)));

    m_edit->setFont(m_font);
    m_edit->document()->setDocumentMargin(4);
    m_edit->m_port = port;
    m_edit->m_echoed = [this](std::u16string_view echoed) { OnEchoed(echoed); };
    m_edit->m_typedWriteFailed = [this](uint32_t error) {
        const std::u16string name = m_edit->m_port != nullptr ? m_edit->m_port->PortName() : u"";
        AppendReport(WriteFailureText(name, error) + u" Some typed text was not sent.");
    };
    m_logFlush.setInterval(kLogFlushTurnMs);
    connect(&m_logFlush, &QTimer::timeout, this, &CDialogTerminal::FlushLog);
    ShowLogState();
    m_edit->m_localEcho = true;
    m_localEchoButton->setChecked(true);
    m_sendLineEndCombo->setCurrentIndex(1);
    m_receiveCombo->setCurrentIndex(0);
    m_tester->setChecked(m_host.IsTesterMode());
    resize(std::max(640, WidthForAWholeHexLine()), 400);
}

// The hex pane's whole line beside the text area at its smallest, within the central margins:
// the pane measures its line in its own font, so the width follows the faces the platform
// draws with and the desktop's font size.
int CDialogTerminal::WidthForAWholeHexLine()
{
    // The style sets the frames and scroll bars that the widths include when it polishes them.
    ensurePolished();
    const QMargins margins = centralWidget()->layout()->contentsMargins();
    return margins.left() + m_edit->minimumSizeHint().width() + m_views->handleWidth() +
           m_hexView->minimumSizeHint().width() + margins.right();
}

CDialogTerminal::~CDialogTerminal() = default;

bool CDialogTerminal::IsLocalEcho() const
{
    return m_localEchoButton->isChecked();
}

void CDialogTerminal::SetStatusText(const QString& text)
{
    m_statusPane->setText(text);
}

QString CDialogTerminal::StatusText() const
{
    return m_statusPane->text();
}

void CDialogTerminal::UpdateConnectionControls(bool connected)
{
    m_connect->setEnabled(!connected);
    m_disconnect->setEnabled(connected);
    m_settings->setEnabled(connected);
    m_break->setEnabled(connected);
}

void CDialogTerminal::ShowEncoding(TextEncoding encoding)
{
    const auto shown = static_cast<int>(ShownEncoding(encoding));
    m_encodingActions[shown]->setChecked(true);
    m_encodingCombo->setCurrentIndex(shown);
    m_edit->m_encoding = encoding;
}

void CDialogTerminal::ShowTesterMode(bool on)
{
    m_tester->setChecked(on);
}

void CDialogTerminal::EnableTextArea(bool enable)
{
    m_edit->setEnabled(enable);
}

void CDialogTerminal::ClearText()
{
    m_edit->Clear();
    m_hexView->Clear();
    m_stamper.Restart(true, false);
    // An open find bar would go on counting and highlighting what is gone.
    if (m_findBar->isVisible())
        m_findBar->Search();
}

platform::FileError CDialogTerminal::SaveTextTo(const std::filesystem::path& path)
{
    // Characters code page 932 lacks become "?" rather than ending the file early.
    const std::vector<uint8_t> bytes =
        platform::GetCodePage932().EncodeReplacing(m_edit->LineFormText());
    return platform::ReplaceFileAtomically(path, bytes);
}

void CDialogTerminal::SetTextFont(const QFont& font)
{
    m_font = font;
    m_edit->setFont(m_font);
    m_edit->viewport()->update();
}

void CDialogTerminal::closeEvent(QCloseEvent* event)
{
    event->ignore();
    hide();
}

void CDialogTerminal::OnSave()
{
    m_host.EnableMainWindowAndButtonArray(false);
    m_host.OnReset();
    QFileDialog dialog(this, tr("ターミナル テキスト保存"),
                       QString::fromStdU16String(m_host.FilesFolder().u16string()),
                       QStringLiteral("TEXT Files (*.txt);;All Files (*)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("txt"));
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
        const std::filesystem::path path(dialog.selectedFiles().front().toStdU16String());
        const platform::FileError error = SaveTextTo(path);
        if (!error.ok())
            QMessageBox::critical(
                this, windowTitle(),
                QStringLiteral("%1\n%2").arg(QString::fromStdU16String(path.u16string()),
                                             QString::fromStdString(error.message)));
    }
    m_host.EnableMainWindowAndButtonArray(true);
}

void CDialogTerminal::OnChangeFont()
{
    m_host.EnableMainWindowAndButtonArray(false);
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, m_font, this);
    if (ok)
        SetTextFont(chosen);
    m_host.EnableMainWindowAndButtonArray(true);
}

void CDialogTerminal::OnToggleTester()
{
    m_tester->setChecked(m_host.ToggleTesterMode());
}

void CDialogTerminal::OnEncodingCombo(int index)
{
    m_host.SetEncoding(ShownEncoding(static_cast<TextEncoding>(index)));
}

} // namespace wirevane
