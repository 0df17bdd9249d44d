#include "terminal/paste_sender.h"

#include "core/text_encoding.h"

#include <QProgressDialog>
#include <algorithm>

namespace wirevane {

namespace {

// Small enough that a slice stays well inside a frame even at a slow baud rate's write times.
constexpr std::size_t kSliceKeys = 64;
// How often a paste looks again whether a busy port has room; a zero timer would spin.
constexpr int kBusyPortRetryMs = 10;

} // namespace

PasteSender::PasteSender(QWidget* dialogParent, std::u16string keys, TypeSlice typeSlice)
    : m_keys(std::move(keys)), m_typeSlice(std::move(typeSlice)),
      m_dialog(new QProgressDialog(tr("貼り付けたテキストを送信しています..."), tr("停止"), 0,
                                   int(m_keys.size()), dialogParent))
{
    m_dialog->setWindowTitle(tr("貼り付け"));
    m_dialog->setWindowModality(Qt::WindowModal);
    m_dialog->setMinimumDuration(0);
    m_dialog->setAutoClose(false);
    m_dialog->setAutoReset(false);
    connect(m_dialog, &QProgressDialog::canceled, this, &PasteSender::Cancel);
    m_tick.setInterval(0);
    connect(&m_tick, &QTimer::timeout, this, &PasteSender::SendSlice);
}

PasteSender::~PasteSender()
{
    delete m_dialog;
}

void PasteSender::Start()
{
    m_dialog->setValue(0);
    m_dialog->show();
    m_tick.start();
}

void PasteSender::Cancel()
{
    Finish();
}

void PasteSender::SendSlice()
{
    std::size_t count = std::min(kSliceKeys, m_keys.size() - m_sent);
    // A slice never ends between the two halves of a surrogate pair.
    count += UnitsOfCharacterAt(m_keys, m_sent + count - 1) - 1;
    const Slice slice = m_typeSlice(std::u16string_view(m_keys).substr(m_sent, count));
    if (slice == Slice::PortGone) {
        Finish();
        return;
    }
    const int interval = slice == Slice::PortBusy ? kBusyPortRetryMs : 0;
    if (m_tick.interval() != interval)
        m_tick.setInterval(interval);
    if (slice == Slice::PortBusy)
        return;
    m_sent += count;
    m_dialog->setValue(int(m_sent));
    if (m_sent >= m_keys.size())
        Finish();
}

void PasteSender::Finish()
{
    if (!m_tick.isActive())
        return;
    m_tick.stop();
    m_dialog->hide();
    emit Finished();
    deleteLater();
}

} // namespace wirevane
