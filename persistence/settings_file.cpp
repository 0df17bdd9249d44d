#include "persistence/settings_file.h"

#include "persistence/settings_keys.h"

#include <algorithm>
#include <iterator>
#include <string>

namespace wirevane {

namespace keys = settings_keys;

std::u16string settings_keys::rowSection(int row)
{
    std::string digits = std::to_string(row);
    return u"DATA_INDEX" + std::u16string(digits.begin(), digits.end());
}

namespace {

std::u16string_view windowSection(PlacedWindow window)
{
    switch (window) {
    case PlacedWindow::Main:
        return u"WINDOW_MAIN";
    case PlacedWindow::Terminal:
        return u"WINDOW_TERMINAL";
    case PlacedWindow::ButtonArray:
        break;
    }
    return u"WINDOW_BUTTON_ARRAY";
}

constexpr PlacedWindow kWindowsInWriteOrder[] = {PlacedWindow::Main, PlacedWindow::Terminal,
                                                 PlacedWindow::ButtonArray};

void writeRect(ProfileStore& store, std::u16string_view section, const WindowRect& rect)
{
    store.writeInt(section, keys::kNormLeft, rect.left);
    store.writeInt(section, keys::kNormTop, rect.top);
    store.writeInt(section, keys::kNormRight, rect.right);
    store.writeInt(section, keys::kNormBottom, rect.bottom);
}

} // namespace

SettingsFile::SettingsFile(ProfileStore& store, SendTable& table, RunState& run, SettingsPort& port,
                           SettingsControls& controls)
    : m_store(store), m_table(table), m_run(run), m_port(port), m_controls(controls)
{
}

platform::FileError SettingsFile::ReadSettings()
{
    ProfileSession session(m_store);
    if (platform::FileError error = session.readError(); !error.ok()) {
        return error;
    }
    ReadPortSettings();

    m_run.cyclic = StoredFlag::FromStored(m_store.readInt(keys::kConsole, keys::kCyclic, 0));
    for (int i = 0; i < SendTable::kRowCount; ++i) {
        std::u16string section = keys::rowSection(i);
        SendRow& row = m_table.rows()[i];
        row.sendFlag = m_store.readInt(section, keys::kSelect, 0);
        row.data = m_store.readString(section, keys::kRowData, u"");
        row.waitKind = static_cast<WaitKind>(m_store.readInt(section, keys::kWaitRx, 0));
        row.halt = m_store.readInt(section, keys::kHalt, 0);
        row.delay = m_store.readInt(section, keys::kDelay, 100);
        row.expect = m_store.readString(section, keys::kExpect, u"");
    }
    m_run.stopOnFail = m_store.readInt(keys::kWirevane, keys::kStopOnFail, 1) != 0;
    m_run.lineEnd = static_cast<LineEndSuffix>(m_store.readInt(keys::kConsole, keys::kLineEnd, 2));
    m_run.encoding = static_cast<TextEncoding>(m_store.readInt(keys::kConsole, keys::kEncode, 0));
    return {};
}

void SettingsFile::ReadPortSettings()
{
    if (m_store.hasKey(keys::kSerial, keys::kPort)) {
        m_port.SetDeviceName(m_store.readString(keys::kSerial, keys::kPort, u""));
    } else if (m_port.DeviceName().empty()) {
        // A port that was never named (the first start, or after a disconnect) is offered the
        // first port of the native program.
        m_port.SetDeviceName(u"COM1");
    }

    constexpr std::u16string_view kLineKeys[] = {keys::kBaud, keys::kData, keys::kStop,
                                                 keys::kParity};
    const bool namesLine =
        std::any_of(std::begin(kLineKeys), std::end(kLineKeys),
                    [this](std::u16string_view key) { return m_store.hasKey(keys::kSerial, key); });
    if (namesLine) {
        const platform::LineSettings now = m_port.CurrentLineSettings();
        // The keys hold signed numbers; the port takes their bits as they stand.
        const auto read = [this](std::u16string_view key, uint32_t current) {
            return static_cast<uint32_t>(
                m_store.readInt(keys::kSerial, key, static_cast<int32_t>(current)));
        };
        m_port.SetLineSettings({read(keys::kBaud, now.baudRate), read(keys::kData, now.dataBits),
                                read(keys::kParity, now.parity), read(keys::kStop, now.stopBits)});
    }
    if (m_store.hasKey(keys::kSerial, keys::kHandshake)) {
        m_port.SetHandshake(m_store.readInt(keys::kSerial, keys::kHandshake, 0));
    }
}

platform::FileError SettingsFile::LoadSettingsFile()
{
    if (platform::FileError error = ReadSettings(); !error.ok()) {
        return error;
    }
    m_controls.SetCyclicCheck(static_cast<bool>(m_run.cyclic));
    m_controls.SelectLineEnd(m_run.lineEnd);
    m_controls.ShowEncoding(m_run.encoding);
    m_table.RewriteFromRows();
    return {};
}

platform::FileError SettingsFile::WriteSettings()
{
    for (int i = 0; i < SendTable::kRowCount; ++i) {
        m_table.ReadRow(i);
    }

    ProfileSession session(m_store);
    m_store.writeInt(keys::kConsole, keys::kCyclic, m_run.cyclic.Stored());
    for (int i = 0; i < SendTable::kRowCount; ++i) {
        std::u16string section = keys::rowSection(i);
        const SendRow& row = m_table.rows()[i];
        m_store.writeInt(section, keys::kSelect, row.sendFlag);
        m_store.writeString(section, keys::kRowData, row.data);
        m_store.writeInt(section, keys::kWaitRx, static_cast<int32_t>(row.waitKind));
        m_store.writeInt(section, keys::kHalt, row.halt);
        m_store.writeInt(section, keys::kDelay, row.delay);
        if (!row.expect.empty())
            m_store.writeString(section, keys::kExpect, row.expect);
        else if (m_store.hasKey(section, keys::kExpect))
            m_store.deleteKey(section, keys::kExpect);
    }
    if (!m_run.stopOnFail)
        m_store.writeInt(keys::kWirevane, keys::kStopOnFail, 0);
    else if (m_store.hasKey(keys::kWirevane, keys::kStopOnFail))
        m_store.deleteKey(keys::kWirevane, keys::kStopOnFail);
    m_store.writeInt(keys::kConsole, keys::kLineEnd, static_cast<int32_t>(m_run.lineEnd));
    m_store.writeInt(keys::kConsole, keys::kEncode, static_cast<int32_t>(m_run.encoding));
    return session.commit();
}

platform::FileError SettingsFile::WriteWindowPositions(const WindowPlacements& windows)
{
    ProfileSession session(m_store);
    for (PlacedWindow window : kWindowsInWriteOrder) {
        std::u16string_view section = windowSection(window);
        if (window != PlacedWindow::Main) {
            m_store.writeInt(section, keys::kVisible,
                             windows.IsVisibleAndNotMinimised(window) ? 1 : 0);
        }
        writeRect(m_store, section, windows.NormalRect(window));
    }
    return session.commit();
}

platform::FileError SettingsFile::ClearWindowPositions()
{
    ProfileSession session(m_store);
    for (PlacedWindow window : kWindowsInWriteOrder) {
        std::u16string_view section = windowSection(window);
        if (window != PlacedWindow::Main) {
            m_store.writeInt(section, keys::kVisible, 1);
        }
        writeRect(m_store, section, WindowRect{});
    }
    return session.commit();
}

WindowRect SettingsFile::ReadWindowRect(PlacedWindow window)
{
    ProfileSession session(m_store);
    std::u16string_view section = windowSection(window);
    return WindowRect{m_store.readInt(section, keys::kNormLeft, 0),
                      m_store.readInt(section, keys::kNormTop, 0),
                      m_store.readInt(section, keys::kNormRight, 0),
                      m_store.readInt(section, keys::kNormBottom, 0)};
}

bool SettingsFile::ReadWindowVisible(PlacedWindow window)
{
    if (window == PlacedWindow::Main) {
        return true;
    }
    return m_store.readInt(windowSection(window), keys::kVisible, 1) != 0;
}

} // namespace wirevane
