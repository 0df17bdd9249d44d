#include "app/dialog_exit.h"

#include "app/app_icons.h"
#include "app/exit_dialog_ids.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace wirevane {

namespace {

QPushButton* AddButton(QHBoxLayout* row, int id, const QString& text)
{
    auto* button = new QPushButton(text);
    button->setObjectName(QString::number(id));
    button->setAutoDefault(false);
    row->addWidget(button);
    return button;
}

} // namespace

CDialogExit::CDialogExit(SaveTable save, ReportFailure report, QWidget* parent)
    : QDialog(parent), m_save(std::move(save)), m_report(std::move(report))
{
    setWindowTitle(tr("終了"));

    auto* icon = new QLabel;
    icon->setPixmap(ExitIcon().pixmap(32, 32));
    auto* text = new QLabel(tr("終了します"));
    auto* message = new QHBoxLayout;
    message->addWidget(icon);
    message->addWidget(text, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    QPushButton* saveAndExit =
        AddButton(buttons, exit_dialog::kSaveAndExitButton, tr("保存して終了"));
    QPushButton* exitOnly =
        AddButton(buttons, exit_dialog::kExitWithoutSavingButton, tr("保存せず終了"));
    QPushButton* cancel = AddButton(buttons, exit_dialog::kCancelButton, tr("キャンセル"));
    saveAndExit->setDefault(true);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(message);
    layout->addLayout(buttons);

    connect(saveAndExit, &QPushButton::clicked, this, &CDialogExit::OnSaveAndExit);
    connect(exitOnly, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    // Key events reach the focused button first, the dialog after it.
    installEventFilter(this);
    for (QWidget* child : findChildren<QWidget*>())
        child->installEventFilter(this);
}

bool CDialogExit::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease)
        return !TakesKey(*static_cast<QKeyEvent*>(event));
    return QDialog::eventFilter(watched, event);
}

// A key is never forgotten once pressed here: an event that a button passes on to the dialog
// is judged again, and must be judged the same.
bool CDialogExit::TakesKey(const QKeyEvent& key)
{
    const int code = key.key();
    if (m_pressedHere.contains(code))
        return true;
    if (key.type() == QEvent::KeyRelease) {
        m_heldReleased[code] = key.timestamp();
        return false;
    }
    if (key.isAutoRepeat())
        return false;
    // The X server repeats a held key as a release and a press with one time stamp, which the
    // window system does not always flag as a repeat.
    const auto released = m_heldReleased.find(code);
    if (released != m_heldReleased.end() && released->second == key.timestamp())
        return false;
    m_pressedHere.insert(code);
    return true;
}

void CDialogExit::OnSaveAndExit()
{
    const platform::FileError result = m_save();
    if (!result.ok()) {
        m_report(result);
        return;
    }
    accept();
}

} // namespace wirevane
