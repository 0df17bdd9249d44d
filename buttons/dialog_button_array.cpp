#include "buttons/dialog_button_array.h"

#include "buttons/button_array_host.h"
#include "buttons/button_array_ids.h"
#include "buttons/button_captions.h"
#include "buttons/caption_button.h"
#include "buttons/dialog_button_array_settings.h"
#include "buttons/dialog_button_regist_type.h"
#include "buttons/dialog_button_text.h"
#include "persistence/profile_store.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QVBoxLayout>
#include <algorithm>

namespace wirevane {

namespace {

QString PathText(const std::filesystem::path& path)
{
    return QString::fromStdU16String(path.u16string());
}

void ShowFileError(QWidget* parent, const QString& what, const std::filesystem::path& path,
                   const platform::FileError& error)
{
    QMessageBox::critical(parent, QStringLiteral("ButtonArray"),
                          QStringLiteral("%1\n%2\n%3")
                              .arg(what, PathText(path), QString::fromStdString(error.message)));
}

// Wide enough for the caption of every mode, and never narrower than the side buttons always were.
int SideButtonWidth(QPushButton& side)
{
    int widest = 64;
    for (int32_t mode : {kSlotModeRegister, kSlotModeUnregister, kSlotModeRename}) {
        side.setText(SideButtonCaption(mode));
        widest = std::max(widest, side.sizeHint().width());
    }
    side.setText(QString());
    return widest;
}

// The run shows the row it sent followed by the word for sent, which the engine writes as the
// table's own word; it is shown in the interface's language, the row's text as it stands.
QString ShownStatusText(const QString& text)
{
    static const QString kSentSuffix = QStringLiteral("    送信済");
    if (!text.endsWith(kSentSuffix))
        return text;
    return text.chopped(kSentSuffix.size()) + QStringLiteral("    ") +
           CDialogButtonArray::tr("送信済");
}

} // namespace

CDialogButtonArray::CDialogButtonArray(ButtonArrayHost& host, ProfileStore& store,
                                       const ProgramPaths& paths, QWidget* parent)
    : QMainWindow(parent, Qt::Window), m_host(host), m_store(store), m_paths(paths),
      m_file(store, paths.buttonFilePath)
{
    setWindowTitle(QStringLiteral("ButtonArray"));
    BuildToolBar();
    BuildCentral();
    BuildStatusBar();
    // An explicit minimum overrides the layout's, so it is raised to what the controls need at
    // the current font; below that the layout would squeeze them until their texts are cut.
    setMinimumSize(minimumSizeHint().expandedTo(QSize(250, 500)));

    m_file.LoadButtonFile();
    for (int g = 0; g < ButtonFile::kGroupCount; ++g)
        m_groupCombo->addItem(GroupItemText(g, m_file.groupTitles[static_cast<std::size_t>(g)]));
    m_groupCombo->setCurrentIndex(m_file.currentGroup);
    connect(m_groupCombo, &QComboBox::currentIndexChanged, this,
            &CDialogButtonArray::OnGroupChanged);
    RelabelButtons();
    SetSlotMode(kSlotModeHidden);
    m_loadOnly->setChecked(m_file.loadAndSend == 0);
    m_loadAndSend->setChecked(m_file.loadAndSend == 1);
    resize(280, 560);
}

void CDialogButtonArray::BuildToolBar()
{
    QToolBar* toolBar = addToolBar(QStringLiteral("ButtonArray"));
    toolBar->setObjectName(QString::number(button_array::kToolBar));
    toolBar->setMovable(false);
    toolBar->setFloatable(false);
    toolBar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    auto* settings =
        new QAction(style()->standardIcon(QStyle::SP_FileDialogDetailedView), tr("設定..."), this);
    settings->setObjectName(QString::number(button_array::kSettings));
    connect(settings, &QAction::triggered, this, &CDialogButtonArray::OnSettings);
    toolBar->addAction(settings);
}

void CDialogButtonArray::BuildCentral()
{
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);

    auto* groupRow = new QHBoxLayout;
    groupRow->addWidget(new QLabel(tr("グループ"), central));
    m_groupCombo = new QComboBox(central);
    m_groupCombo->setObjectName(QString::number(button_array::kGroupCombo));
    groupRow->addWidget(m_groupCombo, 1);
    layout->addLayout(groupRow);

    static_assert(button_array::kSlotButtons.size() == kButtons &&
                  button_array::kSideButtons.size() == kButtons);
    // The side buttons keep their width; the buttons take the rest of the row, 4 pixels short
    // of a shown side button, or all of it when the side button is hidden.
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(4);
    grid->setColumnStretch(0, 1);
    for (int i = 0; i < kButtons; ++i) {
        auto* button = new CaptionButton(central);
        button->setObjectName(QString::number(button_array::kSlotButtons[std::size_t(i)]));
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, [this, i] { PressButton(i); });
        auto* side = new QPushButton(central);
        side->setObjectName(QString::number(button_array::kSideButtons[std::size_t(i)]));
        side->setAutoDefault(false);
        side->setFixedWidth(SideButtonWidth(*side));
        connect(side, &QPushButton::clicked, this, [this, i] { EditSlot(i); });
        grid->addWidget(button, i, 0);
        grid->addWidget(side, i, 1);
        m_buttons[static_cast<std::size_t>(i)] = button;
        m_sideButtons[static_cast<std::size_t>(i)] = side;
    }
    layout->addLayout(grid);
    layout->addStretch(1);

    auto* modeFrame = new QGroupBox(central);
    auto* modeLayout = new QVBoxLayout(modeFrame);
    m_loadOnly = new QRadioButton(tr("読込のみ"), modeFrame);
    m_loadOnly->setObjectName(QString::number(button_array::kLoadOnlyButton));
    // A doubled ampersand is the platform's way of showing one.
    m_loadAndSend = new QRadioButton(tr("読込 && 送信"), modeFrame);
    m_loadAndSend->setObjectName(QString::number(button_array::kLoadAndSendButton));
    modeLayout->addWidget(m_loadOnly);
    modeLayout->addWidget(m_loadAndSend);
    connect(m_loadOnly, &QRadioButton::clicked, this, [this] { OnLoadMode(false); });
    connect(m_loadAndSend, &QRadioButton::clicked, this, [this] { OnLoadMode(true); });

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(modeFrame);
    m_stop = new QPushButton(tr("停止"), central);
    m_stop->setObjectName(QString::number(button_array::kStopButton));
    m_stop->setAutoDefault(false);
    m_stop->setEnabled(false);
    connect(m_stop, &QPushButton::clicked, this, [this] { m_host.OnStop(); });
    bottom->addWidget(m_stop, 0, Qt::AlignBottom);
    bottom->addStretch(1);
    auto* close = new QPushButton(tr("閉じる"), central);
    close->setObjectName(QString::number(button_array::kCloseButton));
    close->setAutoDefault(false);
    connect(close, &QPushButton::clicked, this, &QWidget::hide);
    bottom->addWidget(close, 0, Qt::AlignBottom);
    layout->addLayout(bottom);
    setCentralWidget(central);

    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QWidget::hide);
}

void CDialogButtonArray::BuildStatusBar()
{
    m_statusPane = new QLabel(statusBar());
    statusBar()->addWidget(m_statusPane, 1);
    auto* fixedPane = new QLabel(statusBar());
    fixedPane->setFixedWidth(30);
    statusBar()->addPermanentWidget(fixedPane);
}

ButtonSlot& CDialogButtonArray::SlotOf(int index)
{
    return m_file
        .buttonSlots[static_cast<std::size_t>(ButtonFile::slotIndex(m_file.currentGroup, index))];
}

void CDialogButtonArray::PressButton(int index)
{
    const ButtonSlot& slot = SlotOf(index);
    if (slot.path.empty()) {
        SetStatusText(tr("設定ファイルが登録されていません"));
        return;
    }
    // Resolved against the program's folder explicitly, so the process's current folder
    // stays where the user's file dialogs left it.
    const std::filesystem::path file = ResolveSlotPath(m_paths.programDir, slot.path);
    std::error_code error;
    if (!std::filesystem::is_regular_file(file, error)) {
        SetStatusText(tr("設定ファイルが見つかりません"));
        return;
    }
    platform::FileError loaded;
    {
        ProfileRedirect redirect(m_store, file);
        loaded = m_host.LoadSettingsFile();
    }
    if (!loaded.ok()) {
        ShowFileError(this, tr("設定ファイルを読み込めませんでした"), file, loaded);
        return;
    }
    SetStatusText(ButtonCaption(slot) + tr(" 読込 済"));
    m_host.OnReset();
    if (m_file.loadAndSend == 1)
        m_host.OnSend();
}

void CDialogButtonArray::EditSlot(int index)
{
    m_host.OnReset();
    m_host.EnableMainWindowAndTerminal(false);
    EnableButtons(false);
    ButtonSlot& slot = SlotOf(index);
    bool changed = false;
    switch (m_slotMode) {
    case kSlotModeRegister:
        changed = RegisterSlot(slot);
        break;
    case kSlotModeUnregister:
        changed = UnregisterSlot(slot);
        break;
    case kSlotModeRename:
        changed = RenameSlot(slot);
        break;
    default:
        break;
    }
    if (changed) {
        m_buttons[static_cast<std::size_t>(index)]->SetCaption(ButtonCaption(slot));
        SaveAfterEdit();
    }
    EnableButtons(true);
    m_host.EnableMainWindowAndTerminal(true);
}

bool CDialogButtonArray::RegisterSlot(ButtonSlot& slot)
{
    CDialogButtonRegistType type(this);
    if (type.exec() != QDialog::Accepted)
        return false;
    std::filesystem::path chosen;
    if (type.choice() == CDialogButtonRegistType::kSaveCurrentTable) {
        const SaveAsResult saved = m_host.SaveAs();
        if (!saved.saved)
            return false;
        chosen = saved.fullPath;
    } else {
        QFileDialog dialog(this, tr("設定ファイル 指定"), PathText(m_paths.programDir),
                           QStringLiteral("INI Files (*.ini);;TEXT Files (*.txt);;All Files (*)"));
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        dialog.setFileMode(QFileDialog::ExistingFile);
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setDefaultSuffix(QStringLiteral("ini"));
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return false;
        chosen = std::filesystem::path(dialog.selectedFiles().front().toStdU16String());
    }
    if (chosen.empty())
        return false;
    slot.path = SlotPathFor(m_paths.programDir, chosen);
    slot.text = chosen.filename().u16string();
    return true;
}

bool CDialogButtonArray::UnregisterSlot(ButtonSlot& slot)
{
    if (slot.text.empty())
        return false;
    const QString text = tr("ボタン 登録を解除します        \n\n現在の登録  %1         ")
                             .arg(QString::fromStdU16String(slot.path));
    if (QMessageBox::question(this, tr("ボタン 解除"), text,
                              QMessageBox::Ok | QMessageBox::Cancel) != QMessageBox::Ok)
        return false;
    slot = ButtonSlot{};
    return true;
}

bool CDialogButtonArray::RenameSlot(ButtonSlot& slot)
{
    CDialogButtonText dialog(QString::fromStdU16String(slot.text), this);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    slot.text = dialog.text().toStdU16String();
    return true;
}

void CDialogButtonArray::SaveAfterEdit()
{
    const platform::FileError error = SaveButtonFile();
    if (!error.ok())
        ShowFileError(this, tr("設定ファイルを保存できませんでした"), m_paths.buttonFilePath,
                      error);
}

void CDialogButtonArray::OnSettings()
{
    m_host.OnReset();
    m_host.EnableMainWindowAndTerminal(false);
    EnableButtons(false);
    const int group = m_groupCombo->currentIndex();
    std::u16string& title = m_file.groupTitles[static_cast<std::size_t>(group)];
    CDialogButtonArraySettings dialog(m_slotMode, group, QString::fromStdU16String(title), this);
    if (dialog.exec() == QDialog::Accepted) {
        m_slotMode = dialog.slotMode();
        title = dialog.title().toStdU16String();
        m_groupCombo->setItemText(group, GroupItemText(group, title));
        m_groupCombo->setCurrentIndex(group);
        SetSlotMode(m_slotMode);
    }
    EnableButtons(true);
    m_host.EnableMainWindowAndTerminal(true);
}

void CDialogButtonArray::SetSlotMode(int32_t mode)
{
    m_slotMode = mode;
    for (QPushButton* side : m_sideButtons) {
        side->setText(SideButtonCaption(mode));
        side->setVisible(mode != kSlotModeHidden);
    }
}

void CDialogButtonArray::RelabelButtons()
{
    for (int i = 0; i < kButtons; ++i)
        m_buttons[static_cast<std::size_t>(i)]->SetCaption(ButtonCaption(SlotOf(i)));
}

void CDialogButtonArray::OnGroupChanged(int group)
{
    if (group < 0)
        return;
    m_file.currentGroup = group;
    RelabelButtons();
}

void CDialogButtonArray::OnLoadMode(bool loadAndSend)
{
    m_file.loadAndSend = loadAndSend ? 1 : 0;
    m_loadOnly->setChecked(!loadAndSend);
    m_loadAndSend->setChecked(loadAndSend);
}

void CDialogButtonArray::SetStatusText(const QString& text)
{
    m_statusPane->setText(ShownStatusText(text));
}

QString CDialogButtonArray::StatusText() const
{
    return m_statusPane->text();
}

void CDialogButtonArray::EnableButtons(bool enable)
{
    for (CaptionButton* button : m_buttons)
        button->setEnabled(enable);
    for (QPushButton* side : m_sideButtons)
        side->setEnabled(enable && m_slotMode != kSlotModeHidden);
}

void CDialogButtonArray::SetStopEnabled(bool enable)
{
    m_stop->setEnabled(enable);
}

platform::FileError CDialogButtonArray::SaveButtonFile()
{
    return m_file.SaveButtonFile();
}

void CDialogButtonArray::closeEvent(QCloseEvent* event)
{
    event->ignore();
    hide();
}

} // namespace wirevane
