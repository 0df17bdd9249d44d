#include "terminal/log_start_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace wirevane {

LogStartDialog::LogStartDialog(const LogChoice& last, bool timestamps, std::filesystem::path folder,
                               QWidget* parent)
    : QDialog(parent), m_folder(std::move(folder))
{
    setWindowTitle(tr("ログ開始"));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    layout->addLayout(form);

    auto* fileRow = new QHBoxLayout;
    m_file = new QLineEdit(QString::fromStdU16String(last.file.u16string()), this);
    m_file->setObjectName(QStringLiteral("log-file"));
    m_file->setMinimumWidth(320);
    auto* browse = new QPushButton(tr("参照..."), this);
    browse->setObjectName(QStringLiteral("log-browse"));
    browse->setAutoDefault(false);
    fileRow->addWidget(m_file, 1);
    fileRow->addWidget(browse);
    form->addRow(tr("ファイル"), fileRow);

    auto* modeRow = new QHBoxLayout;
    m_append = new QRadioButton(tr("追記"), this);
    m_append->setObjectName(QStringLiteral("log-append"));
    m_replace = new QRadioButton(tr("上書き"), this);
    m_replace->setObjectName(QStringLiteral("log-replace"));
    auto* modes = new QButtonGroup(this);
    modes->addButton(m_append);
    modes->addButton(m_replace);
    (last.append ? m_append : m_replace)->setChecked(true);
    modeRow->addWidget(m_append);
    modeRow->addWidget(m_replace);
    modeRow->addStretch(1);
    form->addRow(tr("既存のファイル"), modeRow);

    auto* contentBox = new QVBoxLayout;
    m_shownText = new QRadioButton(tr("表示されたテキスト"), this);
    m_shownText->setObjectName(QStringLiteral("log-text"));
    m_rawBytes = new QRadioButton(tr("送受信したバイト (16進、時刻と方向付き)"), this);
    m_rawBytes->setObjectName(QStringLiteral("log-raw"));
    auto* contents = new QButtonGroup(this);
    contents->addButton(m_shownText);
    contents->addButton(m_rawBytes);
    (last.content == LogChoice::RawBytes ? m_rawBytes : m_shownText)->setChecked(true);
    contentBox->addWidget(m_shownText);
    contentBox->addWidget(m_rawBytes);
    form->addRow(tr("内容"), contentBox);

    m_encoding = new QComboBox(this);
    m_encoding->setObjectName(QStringLiteral("log-encoding"));
    m_encoding->addItems({QStringLiteral("Shift_JIS (CP932)"), QStringLiteral("UTF-8")});
    m_encoding->setCurrentIndex(last.encoding == LogChoice::Utf8 ? 1 : 0);
    form->addRow(tr("文字コード"), m_encoding);

    m_timestamps = new QCheckBox(tr("受信した行に時刻を付ける"), this);
    m_timestamps->setObjectName(QStringLiteral("log-timestamps"));
    m_timestamps->setChecked(timestamps);
    form->addRow(QString(), m_timestamps);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_ok = buttons->button(QDialogButtonBox::Ok);
    layout->addWidget(buttons);

    connect(browse, &QPushButton::clicked, this, &LogStartDialog::Browse);
    connect(m_file, &QLineEdit::textChanged, this, &LogStartDialog::UpdateControls);
    connect(m_shownText, &QRadioButton::toggled, this, &LogStartDialog::UpdateControls);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    UpdateControls();
}

void LogStartDialog::Browse()
{
    // Whether an existing file is added to or replaced is this dialog's question.
    const QString typed = m_file->text().trimmed();
    const std::filesystem::path start =
        typed.isEmpty() ? m_folder : m_folder / std::filesystem::path(typed.toStdU16String());
    const QString chosen = QFileDialog::getSaveFileName(
        this, tr("ログファイル"), QString::fromStdU16String(start.u16string()),
        tr("ログ (*.log *.txt);;すべてのファイル (*)"), nullptr, QFileDialog::DontConfirmOverwrite);
    if (!chosen.isEmpty())
        m_file->setText(chosen);
}

void LogStartDialog::UpdateControls()
{
    m_ok->setEnabled(!m_file->text().trimmed().isEmpty());
    // The raw log has its own form: the encoding does not apply to it.
    m_encoding->setEnabled(m_shownText->isChecked());
}

LogChoice LogStartDialog::choice() const
{
    LogChoice choice;
    // A name with a folder of its own keeps it: joining an absolute path gives that path.
    choice.file = m_folder / std::filesystem::path(m_file->text().trimmed().toStdU16String());
    choice.append = m_append->isChecked();
    choice.content = m_rawBytes->isChecked() ? LogChoice::RawBytes : LogChoice::ShownText;
    choice.encoding = m_encoding->currentIndex() == 1 ? LogChoice::Utf8 : LogChoice::Cp932;
    return choice;
}

bool LogStartDialog::timestamps() const
{
    return m_timestamps->isChecked();
}

} // namespace wirevane
