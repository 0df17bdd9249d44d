#include "app/file_commands_adapter.h"

#include "app/wirevane_dlg.h"

namespace wirevane {

void FileCommandsAdapter::OnReset()
{
    m_window.OnReset();
}

void FileCommandsAdapter::EnableTerminalAndButtonArray(bool enable)
{
    m_window.EnableTerminalAndButtonArray(enable);
}

bool FileCommandsAdapter::confirm(std::u16string_view text, std::u16string_view caption)
{
    return m_window.Confirm(text, caption);
}

std::optional<std::filesystem::path>
FileCommandsAdapter::chooseFileToOpen(const FileDialogRequest& request)
{
    return m_window.ChooseFileToOpen(request);
}

std::optional<std::filesystem::path>
FileCommandsAdapter::chooseFileToSave(const FileDialogRequest& request)
{
    return m_window.ChooseFileToSave(request);
}

void FileCommandsAdapter::loadColumnLayout()
{
    m_window.LoadColumnLayout();
}

void FileCommandsAdapter::saveColumnLayout()
{
    m_window.SaveColumnLayout();
}

} // namespace wirevane
