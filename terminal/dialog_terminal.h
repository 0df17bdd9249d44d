#pragma once

#include "core/port_access.h"
#include "core/terminal_sink.h"
#include "core/text_encoding.h"
#include "platform/file_error.h"
#include "terminal/comm_edit.h"

#include <QFont>
#include <QMainWindow>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QToolBar;

namespace wirevane {

class FindBar;
class TerminalHost;

// The terminal window: shows the traffic, lets the user type straight to the port, and carries
// the port commands, the shared encoding, the receive line-end conversion, saving, the font and
// the tester-mode switch. Closing it only hides it; its text and choices last for the run.
// Widgets and actions are named by their command or control id ("1235", "32788", ...).
class CDialogTerminal : public QMainWindow, public TerminalSink {
    Q_OBJECT
public:
    CDialogTerminal(TerminalHost& host, PortAccess* port, QWidget* parent = nullptr);

    // TerminalSink: appends after the receive conversion, always at the end.
    void AppendText(std::u16string_view text) override;
    bool IsLocalEcho() const override;

    void SetStatusText(const QString& text);
    QString StatusText() const;
    // The connection rule's part in this window: connect only while not connected, the other
    // port commands only while connected.
    void UpdateConnectionControls(bool connected);
    // The shared encoding as the main window sets it: menu check marks (SJIS for a value
    // outside 0..2), the combo box and the text area's own field.
    void ShowEncoding(TextEncoding encoding);
    void ShowTesterMode(bool on);
    // The text area alone, as the main window's guard around its dialogs wants it.
    void EnableTextArea(bool enable);

    void ClearText();
    // The whole text as code page 932 bytes without a terminator.
    platform::FileError SaveTextTo(const std::filesystem::path& path);
    void SetTextFont(const QFont& font);

    CCommEdit& edit() { return *m_edit; }
    FindBar& findBar() { return *m_findBar; }
    const QFont& textFont() const { return m_font; }
    int32_t receiveConversion() const { return m_receiveConversion; }
    int32_t sendLineEnd() const { return m_sendLineEnd; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildActions();
    void BuildMenus();
    void BuildToolBar();
    void BuildCentral();
    void BuildStatusBar();
    QAction* MakeAction(int id, const QString& text);

    void OnSave();
    void OnChangeFont();
    void OnToggleTester();
    void OnEncodingCombo(int index);

    TerminalHost& m_host;
    PortAccess* m_port;
    QFont m_font;
    int32_t m_sendLineEnd = 1;
    int32_t m_receiveConversion = 0;

    CCommEdit* m_edit = nullptr;
    FindBar* m_findBar = nullptr;
    QCheckBox* m_localEchoButton = nullptr;
    QComboBox* m_sendLineEndCombo = nullptr;
    QComboBox* m_receiveCombo = nullptr;
    QComboBox* m_encodingCombo = nullptr;
    QToolBar* m_toolBar = nullptr;
    QLabel* m_statusPane = nullptr;

    QAction* m_connect = nullptr;
    QAction* m_settings = nullptr;
    QAction* m_disconnect = nullptr;
    QAction* m_break = nullptr;
    QAction* m_clear = nullptr;
    QAction* m_saveAction = nullptr;
    QAction* m_fontAction = nullptr;
    QAction* m_tester = nullptr;
    QAction* m_encodingActions[3] = {};
};

} // namespace wirevane
