#pragma once

#include <QString>
#include <QWidget>
#include <array>
#include <functional>
#include <span>
#include <string>

namespace wirevane {

class CDialogButtonArray;
class CWirevaneDlg;

namespace test {

// What a check finds wrong in a window, one line each; empty when nothing is.
using WindowFaults = std::function<std::string(QWidget&)>;

// Shows the window at the size it chooses for itself and lets its layout settle.
void ShowSettled(QWidget& window);

// Shows the main window and its two companions, one by one, and expects faults to find nothing
// in any of them.
void ExpectNoFaultsInTheThreeWindows(CWirevaneDlg& window, const WindowFaults& faults);

// Leaves the main window as a run in detail display leaves it: the select column holding the
// run's status words for sent, waiting, received and stopped rows, and the button array's status
// bar the last row sent.
void RunInDetailDisplay(CWirevaneDlg& window);

// Shows the button array in each mode of its side buttons, with a caption longer than any
// button is wide on its first button, and expects faults to find nothing in any of them.
void ExpectNoFaultsInButtonArrayModes(CDialogButtonArray& buttons, const WindowFaults& faults);

// What faults finds in the modal dialog that open starts, which is closed again; a failure when
// no dialog opened.
std::string FaultsInNextDialog(const std::function<void()>& open, const WindowFaults& faults);

// A dialog of the main window and the command that opens it.
struct CommandDialog {
    int id;
    const char* name;
};

// Every dialog the main window's own commands open, once each.
extern const std::array<CommandDialog, 9> kCommandDialogs;

// Opens each dialog by its command and expects faults to find nothing in it.
void ExpectNoFaultsInDialogs(CWirevaneDlg& window, std::span<const CommandDialog> dialogs,
                             const WindowFaults& faults);

// The button array's dialogs: the one its menu opens, and the registration and caption dialogs
// that a button's menu opens, shown as it shows them (the caption one with caption).
void ExpectNoFaultsInButtonArrayDialogs(CDialogButtonArray& buttons, const QString& caption,
                                        const WindowFaults& faults);

} // namespace test
} // namespace wirevane
