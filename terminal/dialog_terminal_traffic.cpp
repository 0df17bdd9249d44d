#include "grid/send_table_columns.h"
#include "terminal/dialog_terminal.h"
#include "terminal/hex_traffic_view.h"
#include "terminal/terminal_text.h"

namespace wirevane {

void CDialogTerminal::AppendText(std::u16string_view text)
{
    const std::u16string shown = ApplyReceiveConversion(text, m_receiveConversion);
    m_stamper.Follow(shown);
    m_edit->AppendAtEnd(shown);
    Show(shown);
}

void CDialogTerminal::AppendReport(std::u16string_view text)
{
    const std::u16string shown =
        ApplyReceiveConversion(u"[" + std::u16string(text) + u"]\n", m_receiveConversion);
    m_edit->AppendOwnLine(shown);
    // What follows starts a line of the view, and a received line there gets its stamp.
    m_stamper.Restart(true, false);
    Show(shown);
}

void CDialogTerminal::AppendProgress(std::u16string_view words)
{
    const std::u16string kept =
        ApplyReceiveConversion(u"<" + std::u16string(words) + u">\r\n", m_receiveConversion);
    const std::u16string shown = ApplyReceiveConversion(
        u"<" + ShownStatusWords(words).toStdU16String() + u">\r\n", m_receiveConversion);
    m_stamper.Follow(kept);
    m_edit->AppendShownAs(kept, shown);
    Show(kept);
}

void CDialogTerminal::AppendReceived(std::u16string_view text, TrafficTime readTime)
{
    FeedChart(text, readTime);
    if (!m_timestamps) {
        AppendText(text);
        return;
    }
    const std::u16string converted = ApplyReceiveConversion(text, m_receiveConversion);
    // The stamps are the view's and the log's; the record, which is saved, keeps the text.
    const std::vector<std::size_t> starts = m_stamper.LineStarts(converted);
    const std::u16string stamp = starts.empty() ? std::u16string() : LineStamp(readTime);
    std::size_t copied = 0;
    for (std::size_t start : starts) {
        m_edit->AppendAtEnd(std::u16string_view(converted).substr(copied, start - copied));
        m_edit->AppendShownOnly(stamp);
        copied = start;
    }
    m_edit->AppendAtEnd(std::u16string_view(converted).substr(copied));
    // Only a running log needs the text as shown in one piece.
    if (m_log.running())
        Show(InsertStamps(converted, starts, stamp));
}

void CDialogTerminal::Show(std::u16string_view shown)
{
    if (!m_log.OnShown(shown, LogFile::Clock::now()))
        LogFailed();
}

void CDialogTerminal::OnEchoed(std::u16string_view echoed)
{
    if (echoed == u"\b") {
        const TerminalRecord& record = m_edit->record();
        m_stamper.Restart(record.AtLineStart(), record.EndsWith(u"\r"));
    } else {
        m_stamper.Follow(echoed);
    }
    Show(echoed);
}

void CDialogTerminal::ShowTrafficOf(TrafficTap& tap)
{
    tap.SetListener([this](TrafficDirection direction, std::span<const uint8_t> bytes,
                           TrafficTime time) { OnTraffic(direction, bytes, time); });
}

void CDialogTerminal::OnTraffic(TrafficDirection direction, std::span<const uint8_t> bytes,
                                TrafficTime time)
{
    if (m_trafficView != TrafficView::Text)
        m_hexView->Feed(direction, bytes);
    if (!m_log.OnTraffic(direction, bytes, time, LogFile::Clock::now()))
        LogFailed();
}

void CDialogTerminal::SetTimestamps(bool on)
{
    m_timestamps = on;
    if (m_timestampAction->isChecked() != on)
        m_timestampAction->setChecked(on);
}

void CDialogTerminal::SetTrafficView(TrafficView view)
{
    const bool hexWasShown = m_trafficView != TrafficView::Text;
    m_trafficView = view;
    m_viewActions[static_cast<int>(view)]->setChecked(true);
    if (view == TrafficView::Text && hexWasShown)
        m_hexView->Clear();
    m_hexView->setVisible(view != TrafficView::Text);
    m_edit->setVisible(view != TrafficView::Hex);
    (view == TrafficView::Hex ? static_cast<QWidget*>(m_hexView) : m_edit)->setFocus();
}

} // namespace wirevane
