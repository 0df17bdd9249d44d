#include "platform/atomic_file.h"
#include "support/temp_dir.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <windows.h>

namespace wirevane::platform {
namespace {

void Write(const std::filesystem::path& path, const char* text)
{
    std::ofstream(path, std::ios::binary) << text;
}

// The number of a process that ran and has ended, as a killed save's was.
std::string EndedProcess()
{
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION child{};
    std::wstring command = L"cmd.exe /c exit";
    EXPECT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW,
                               nullptr, nullptr, &startup, &child));
    WaitForSingleObject(child.hProcess, INFINITE);
    CloseHandle(child.hThread);
    CloseHandle(child.hProcess);
    return std::to_string(child.dwProcessId);
}

// A save removes what a killed save of the same file left, and nothing that only looks like it:
// another file's temporary, names off the pattern, a folder, and the temporary of a save still
// running (this process's).
TEST(Win32StaleTemporaries, ASaveRemovesOnlyWhatAKilledSaveOfTheSameFileLeft)
{
    test::TempDir dir;
    const std::filesystem::path file = dir / "Wirevane.ini";
    const std::string ended = EndedProcess();
    const std::string running = std::to_string(GetCurrentProcessId());
    const std::string stale[] = {".Wirevane.ini." + ended + ".1.0.tmp",
                                 ".Wirevane.ini." + ended + ".12.3.tmp"};
    for (const std::string& name : stale)
        Write(dir / name, "killed half-way");
    const std::string kept[] = {
        ".Other.ini." + ended + ".1.0.tmp",     ".Wirevane.ini." + running + ".1.0.tmp",
        ".Wirevane.ini." + ended + ".1.tmp",    ".Wirevane.ini." + ended + ".1.0.0.tmp",
        ".Wirevane.ini.x" + ended + ".1.0.tmp", "Wirevane.ini." + ended + ".1.0.tmp"};
    for (const std::string& name : kept)
        Write(dir / name, "not a killed save's temporary");
    const std::string folder = ".Wirevane.ini." + ended + ".2.0.tmp";
    std::filesystem::create_directory(dir / folder);

    const std::string text = "[CONSOLE]\r\n";
    ASSERT_TRUE(ReplaceFileAtomically(file, std::vector<uint8_t>(text.begin(), text.end())).ok());

    for (const std::string& name : stale)
        EXPECT_FALSE(std::filesystem::exists(dir / name)) << name;
    for (const std::string& name : kept)
        EXPECT_TRUE(std::filesystem::exists(dir / name)) << name;
    EXPECT_TRUE(std::filesystem::is_directory(dir / folder));
    EXPECT_EQ(std::filesystem::file_size(file), text.size());
}

} // namespace
} // namespace wirevane::platform
