#pragma once

#include "buttons/file/button_file.h"
#include "persistence/program_paths.h"

#include <QMainWindow>
#include <array>
#include <cstdint>

class QAction;
class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace wirevane {

class ButtonArrayHost;
class CaptionButton;
class ProfileStore;

// The button array: twelve buttons of one of eight groups, each loading the settings file bound
// to it into the main window (and, in load-and-send mode, starting the run), with side buttons
// that register, unregister or rename the bindings. Closing it only hides it. Widgets and actions
// are named by their control or command id (button_array_ids.h).
class CDialogButtonArray : public QMainWindow {
    Q_OBJECT
public:
    static constexpr int kButtons = ButtonFile::kButtonsPerGroup;

    // Loads the button file at once.
    CDialogButtonArray(ButtonArrayHost& host, ProfileStore& store, const ProgramPaths& paths,
                       QWidget* parent = nullptr);

    void PressButton(int index);
    void EditSlot(int index);
    void OnSettings();
    void SetSlotMode(int32_t mode);
    void RelabelButtons();

    void SetStatusText(const QString& text);
    QString StatusText() const;
    // The main window's guard around modal dialogs: the twelve buttons, and the side buttons
    // only while they have a mode.
    void EnableButtons(bool enable);
    // Enabled while a run is active.
    void SetStopEnabled(bool enable);

    platform::FileError SaveButtonFile();
    ButtonFile& buttonFile() { return m_file; }
    int32_t slotMode() const { return m_slotMode; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildToolBar();
    void BuildCentral();
    void BuildStatusBar();
    void OnGroupChanged(int group);
    void OnLoadMode(bool loadAndSend);
    bool RegisterSlot(ButtonSlot& slot);
    bool UnregisterSlot(ButtonSlot& slot);
    bool RenameSlot(ButtonSlot& slot);
    void SaveAfterEdit();
    ButtonSlot& SlotOf(int index);

    ButtonArrayHost& m_host;
    ProfileStore& m_store;
    ProgramPaths m_paths;
    ButtonFile m_file;
    int32_t m_slotMode = 0;

    QComboBox* m_groupCombo = nullptr;
    std::array<CaptionButton*, kButtons> m_buttons{};
    std::array<QPushButton*, kButtons> m_sideButtons{};
    QRadioButton* m_loadOnly = nullptr;
    QRadioButton* m_loadAndSend = nullptr;
    QPushButton* m_stop = nullptr;
    QLabel* m_statusPane = nullptr;
};

} // namespace wirevane
