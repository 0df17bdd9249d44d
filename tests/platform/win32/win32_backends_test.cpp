#include "platform/atomic_file.h"
#include "platform/command_line.h"
#include "platform/output_file.h"
#include "platform/port_enumeration.h"
#include "platform/program_location.h"
#include "platform/serial_codes.h"
#include "platform/serial_device.h"
#include "platform/single_instance.h"
#include "platform/win32/known_folder.h"
#include "platform/win32/usb_instance_id.h"
#include "support/file_text.h"
#include "support/temp_dir.h"

#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <windows.h>

namespace wirevane::platform {
namespace {

std::vector<uint8_t> BytesOf(std::string_view text)
{
    return {text.begin(), text.end()};
}

TEST(Win32AtomicFile, ReplacesWholeLeavesNoTemporaryAndRefusesAReadOnlyFile)
{
    test::TempDir dir;
    const std::filesystem::path file = dir / "Wirevane.ini";
    std::vector<uint8_t> bytes;
    EXPECT_TRUE(ReadWholeFile(file, bytes).notFound());
    EXPECT_TRUE(ReadWholeFile(dir / "no-folder" / "a.ini", bytes).notFound());

    ASSERT_TRUE(ReplaceFileAtomically(file, BytesOf("first")).ok());
    ASSERT_TRUE(ReplaceFileAtomically(file, BytesOf("second, longer")).ok());
    EXPECT_EQ(test::FileText(file), "second, longer");
    ASSERT_TRUE(ReadWholeFile(file, bytes).ok());
    EXPECT_EQ(bytes, BytesOf("second, longer"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                            std::filesystem::directory_iterator()),
              1);

    // The check before a long run changes nothing and leaves nothing behind.
    EXPECT_TRUE(CheckReplaceable(file).ok());
    EXPECT_TRUE(CheckReplaceable(dir / "new.ini").ok());
    EXPECT_EQ(test::FileText(file), "second, longer");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                            std::filesystem::directory_iterator()),
              1);

    ASSERT_TRUE(SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_TRUE(CheckReplaceable(file).accessDenied());
    const FileError refused = ReplaceFileAtomically(file, BytesOf("lost"));
    EXPECT_TRUE(refused.accessDenied()) << refused.code << " " << refused.message;
    EXPECT_FALSE(refused.message.empty());
    EXPECT_EQ(test::FileText(file), "second, longer");
    SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);

    // A missing folder is not made, and nothing is left behind.
    EXPECT_TRUE(ReplaceFileAtomically(dir / "missing" / "a.ini", BytesOf("x")).notFound());
    EXPECT_TRUE(CheckReplaceable(dir / "missing" / "a.ini").notFound());
}

TEST(Win32AtomicFile, AFailureJustBeforeTheReplacementKeepsTheOldFile)
{
    test::TempDir dir;
    const std::filesystem::path file = dir / "a.ini";
    ASSERT_TRUE(ReplaceFileAtomically(file, BytesOf("kept")).ok());
    const FileError error =
        ReplaceFileAtomically(file, BytesOf("lost"), [](const std::filesystem::path& temporary) {
            EXPECT_EQ(test::FileText(temporary), "lost");
            return FileError::fromErrno(ENOSPC);
        });
    EXPECT_FALSE(error.ok());
    EXPECT_EQ(test::FileText(file), "kept");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                            std::filesystem::directory_iterator()),
              1);
}

// A named pipe with a single instance, served by this test: whoever opens it spends that
// instance, so a client that still gets in afterwards shows nobody opened it in between.
class OneInstancePipe {
public:
    OneInstancePipe()
        : name(L"\\\\.\\pipe\\wirevane-test-" + std::to_wstring(GetCurrentProcessId())),
          m_server(CreateNamedPipeW(name.c_str(), PIPE_ACCESS_DUPLEX, PIPE_TYPE_BYTE, 1, 4096, 4096,
                                    0, nullptr))
    {
    }
    ~OneInstancePipe() { CloseHandle(m_server); }
    bool served() const { return m_server != INVALID_HANDLE_VALUE; }
    bool neverOpened() const
    {
        const HANDLE client = CreateFileW(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                          OPEN_EXISTING, 0, nullptr);
        if (client == INVALID_HANDLE_VALUE)
            return false;
        CloseHandle(client);
        return true;
    }
    const std::wstring name;

private:
    const HANDLE m_server;
};

// A device name reaches the device, not a file: saving must not replace it, reading it must not
// run on for ever, and a log must not go out of it. None of them may even open it: a pipe's
// server would see a client come and go, and its one instance would be spent.
TEST(Win32AtomicFile, ADeviceIsNeitherOpenedNorReplacedNorReadNorLoggedTo)
{
    const OneInstancePipe pipe;
    ASSERT_TRUE(pipe.served()) << GetLastError();
    std::vector<uint8_t> bytes{1};
    OutputFile log;
    for (const std::wstring& device :
         {std::wstring(L"NUL"), std::wstring(L"\\\\.\\NUL"), std::wstring(L"COM9"), pipe.name}) {
        const FileError read = ReadWholeFile(device, bytes);
        EXPECT_EQ(read.code, ERROR_BAD_FILE_TYPE) << read.message;
        EXPECT_TRUE(bytes.empty());
        const FileError saved = ReplaceFileAtomically(device, BytesOf("settings"));
        EXPECT_EQ(saved.code, ERROR_BAD_FILE_TYPE) << saved.message;
        EXPECT_NE(saved.message.find("Not a regular file"), std::string::npos);
        EXPECT_EQ(CheckReplaceable(device).code, ERROR_BAD_FILE_TYPE);
        EXPECT_EQ(log.Open(device, true).code, ERROR_BAD_FILE_TYPE);
        EXPECT_FALSE(log.IsOpen());
    }
    EXPECT_TRUE(pipe.neverOpened()) << "the pipe was opened before: " << GetLastError();

    // A file reached through the device space is still a file.
    test::TempDir dir;
    const std::wstring spelled = L"\\\\.\\" + (dir / "a.ini").wstring();
    ASSERT_TRUE(ReplaceFileAtomically(spelled, BytesOf("kept")).ok());
    EXPECT_TRUE(ReadWholeFile(spelled, bytes).ok());
    EXPECT_EQ(bytes, BytesOf("kept"));
}

// A port's name may come from someone else's settings file, or be typed. Only a device's name
// is opened or looked up: a file or a pipe is refused unopened, and a name on another machine
// is refused before Windows would connect there and present the user's credentials.
TEST(Win32SerialPort, ANameThatIsNoPortIsNotOpened)
{
    const OneInstancePipe pipe;
    ASSERT_TRUE(pipe.served()) << GetLastError();
    test::TempDir dir;
    std::ofstream(dir / "settings.ini") << "[SERIAL]";
    for (const std::wstring& name :
         {pipe.name, (dir / "settings.ini").wstring(),
          L"\\\\.\\" + (dir / "settings.ini").wstring(),
          std::wstring(L"\\\\wirevane-no-host\\share\\COM3"),
          std::wstring(L"\\\\.\\UNC\\wirevane-no-host\\share\\COM3"), std::wstring(L"\\\\.\\C:"),
          std::wstring(L"//wirevane-no-host/share/COM3")}) {
        EXPECT_FALSE(MayNamePort(Utf8FromPath(name))) << std::filesystem::path(name).string();
        PortOpenError error;
        EXPECT_EQ(OpenSerialDevice(name, error), nullptr);
        EXPECT_EQ(error.code, ERROR_INVALID_FUNCTION) << std::filesystem::path(name).string();
    }
    EXPECT_TRUE(pipe.neverOpened()) << "the pipe was opened as a port: " << GetLastError();
    for (const wchar_t* device :
         {L"COM9", L"\\\\.\\COM10",
          L"\\\\?\\usb#vid_0403&pid_6001#A1#{86e0d1e0-8089-11d0-9ce4-08003e301f73}"})
        EXPECT_TRUE(MayNamePort(Utf8FromPath(device))) << std::filesystem::path(device).string();
}

bool UnderWine()
{
    return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
}

// Runs a command of the host's shell in dir, under wine, without waiting for it.
bool HostShell(const std::filesystem::path& dir, std::wstring command)
{
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    command = L"sh -c \"" + command + L"\"";
    if (!CreateProcessW(L"Z:\\bin\\sh", command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        dir.c_str(), &startup, &process))
        return false;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

// Waits up to 5 s for the name to be there, or to be gone.
bool Await(const std::filesystem::path& name, bool there)
{
    for (int wait = 0; wait < 500; ++wait) {
        if ((GetFileAttributesW(name.c_str()) != INVALID_FILE_ATTRIBUTES) == there)
            return true;
        Sleep(10);
    }
    return false;
}

// In dir, link.log names real.log and dangling.log names nowhere.log, which is not there.
// wine's CreateSymbolicLinkW reports success and makes nothing, but wine's files are the host's,
// so there the host's own ln makes the links, and its rm takes them away again: wine can neither
// open nor delete a link that names nothing, and the folder would not go. Windows makes them
// where the user may.
class LinkToFileAndDanglingLink {
public:
    explicit LinkToFileAndDanglingLink(const std::filesystem::path& dir) : m_dir(dir)
    {
        if (UnderWine())
            m_made = HostShell(dir, L"ln -s nowhere.log dangling.log && ln -s real.log link.log");
        else
            m_made = CreateSymbolicLinkW((dir / "dangling.log").c_str(),
                                         (dir / "nowhere.log").c_str(), 0) &&
                     CreateSymbolicLinkW((dir / "link.log").c_str(), (dir / "real.log").c_str(), 0);
        // The host's ln runs on its own; the dangling link is made before the one that shows.
        m_made = m_made && Await(dir / "link.log", true);
    }
    ~LinkToFileAndDanglingLink()
    {
        if (UnderWine() && HostShell(m_dir, L"rm -f dangling.log link.log"))
            Await(m_dir / "link.log", false);
    }
    LinkToFileAndDanglingLink(const LinkToFileAndDanglingLink&) = delete;
    LinkToFileAndDanglingLink& operator=(const LinkToFileAndDanglingLink&) = delete;

    bool made() const { return m_made; }

private:
    std::filesystem::path m_dir;
    bool m_made = false;
};

TEST(Win32AtomicFile, ALinkIsWrittenThroughAndADanglingOneRefused)
{
    test::TempDir dir;
    const std::filesystem::path file = dir / "real.ini";
    ASSERT_TRUE(ReplaceFileAtomically(file, BytesOf("old")).ok());
    if (!CreateSymbolicLinkW((dir / "link.ini").c_str(), file.c_str(), 0) ||
        !CreateSymbolicLinkW((dir / "dangling.ini").c_str(), (dir / "nowhere.ini").c_str(), 0))
        GTEST_SKIP() << "symbolic links cannot be made here: " << GetLastError();
    // wine's CreateSymbolicLinkW makes no link, and the host's links that wine shows it neither
    // resolves to their final name nor reports as reparse points, so only Windows itself can
    // show the rule.
    if (UnderWine())
        GTEST_SKIP() << "wine does not resolve symbolic links as Windows does";

    ASSERT_TRUE(ReplaceFileAtomically(dir / "link.ini", BytesOf("new")).ok());
    EXPECT_EQ(test::FileText(file), "new");
    EXPECT_NE(GetFileAttributesW((dir / "link.ini").c_str()) & FILE_ATTRIBUTE_REPARSE_POINT, 0u);

    const FileError refused = ReplaceFileAtomically(dir / "dangling.ini", BytesOf("x"));
    EXPECT_FALSE(refused.ok());
    EXPECT_FALSE(std::filesystem::exists(dir / "nowhere.ini"));
    EXPECT_NE(GetFileAttributesW((dir / "dangling.ini").c_str()) & FILE_ATTRIBUTE_REPARSE_POINT,
              0u);
}

// A log through a link is written to the file the link names. Through a link that names
// nothing it is refused: opening the name as a file is made would make one wherever the link
// points. wine makes the host's links and opens and creates through them as the host does.
TEST(Win32OutputFile, ALogGoesThroughALinkToAFileButNotThroughOneThatNamesNothing)
{
    test::TempDir dir;
    const std::filesystem::path file = dir / "real.log";
    const std::filesystem::path nowhere = dir / "nowhere.log";
    ASSERT_TRUE(ReplaceFileAtomically(file, BytesOf("old ")).ok());
    const LinkToFileAndDanglingLink links(dir.path());
    if (!links.made())
        GTEST_SKIP() << "symbolic links cannot be made here: " << GetLastError();

    OutputFile log;
    for (const bool append : {true, false}) {
        const FileError refused = log.Open(dir / "dangling.log", append);
        EXPECT_NE(refused.message.find("names no file"), std::string::npos) << refused.message;
        EXPECT_FALSE(log.IsOpen());
        EXPECT_FALSE(std::filesystem::exists(nowhere));
    }
    ASSERT_TRUE(log.Open(dir / "link.log", true).ok());
    ASSERT_TRUE(log.WriteAll(BytesOf("new")).ok());
    log.Close();
    EXPECT_EQ(test::FileText(file), "old new");

    // A free name is a new file; opened again without appending, it starts empty.
    for (const char* text : {"first", "second"}) {
        ASSERT_TRUE(log.Open(dir / "fresh.log", false).ok());
        ASSERT_TRUE(log.WriteAll(BytesOf(text)).ok());
        log.Close();
    }
    EXPECT_EQ(test::FileText(dir / "fresh.log"), "second");
}

TEST(Win32FileError, PortableKindsHoldForWin32AndErrnoValues)
{
    EXPECT_TRUE(FileError::NotFound().notFound());
    EXPECT_TRUE(FileError::AccessDenied().accessDenied());
    EXPECT_TRUE(FileError::fromErrno(ENOENT).notFound());
    EXPECT_TRUE(FileError::fromErrno(EACCES).accessDenied());
    EXPECT_FALSE(FileError::fromErrno(EACCES).notFound());
    EXPECT_TRUE(
        FileError::fromErrorCode(std::error_code(ERROR_PATH_NOT_FOUND, std::system_category()))
            .notFound());
    EXPECT_TRUE(FileError::fromErrno(0).ok());
}

TEST(Win32SingleInstance, TheSecondCopyFindsTheNamedMutexAndTheChannelsPrivateName)
{
    const std::string name = "WirevaneTest_" + std::to_string(GetCurrentProcessId());
    const std::filesystem::path keyFile =
        KnownFolder(FOLDERID_LocalAppData) / "Wirevane" / (name + ".key");
    const SingleInstanceLock first = AcquireSingleInstanceLock(name);
    const SingleInstanceLock second = AcquireSingleInstanceLock(name);
    EXPECT_EQ(first.state, SingleInstanceLock::State::Held);
    EXPECT_EQ(second.state, SingleInstanceLock::State::HeldByAnotherCopy);
    EXPECT_EQ(AcquireSingleInstanceLock(name + "_other").state, SingleInstanceLock::State::Held);

    // The pipe's name carries the key only this user can read, so no one else makes it first.
    const std::string channel = first.channel.string();
    ASSERT_EQ(channel.size(), name.size() + 1 + 32) << channel;
    EXPECT_EQ(channel.substr(0, name.size() + 1), name + "-");
    EXPECT_EQ(second.channel, first.channel);
    std::ifstream kept(keyFile, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), {}),
              channel.substr(name.size() + 1));
    kept.close();

    // A key cut short is replaced; each new key is another name.
    std::ofstream(keyFile, std::ios::binary | std::ios::trunc) << "0123";
    const std::filesystem::path replaced = AcquireSingleInstanceLock(name).channel;
    EXPECT_EQ(replaced.string().size(), channel.size());
    EXPECT_NE(replaced, first.channel);
    std::filesystem::remove(keyFile);
    std::filesystem::remove(keyFile.parent_path() / (name + "_other.key"));
}

TEST(Win32ProgramLocation, FoldersComeFromTheSystem)
{
    const std::filesystem::path program = ExecutableFolder();
    EXPECT_TRUE(std::filesystem::is_directory(program)) << program;
    EXPECT_TRUE(IsWritableFolder(program));

    const std::filesystem::path settings = UserSettingsFolder();
    EXPECT_EQ(settings.filename(), "Wirevane");
    wchar_t appData[MAX_PATH] = {};
    ASSERT_NE(GetEnvironmentVariableW(L"APPDATA", appData, MAX_PATH), 0u);
    EXPECT_TRUE(std::filesystem::equivalent(settings.parent_path(), appData));

    wchar_t system[MAX_PATH] = {};
    ASSERT_NE(GetSystemDirectoryW(system, MAX_PATH), 0u);
    EXPECT_TRUE(IsSystemProgramFolder(system));
    // Letter case does not matter to Windows paths.
    std::wstring upper = system;
    for (wchar_t& c : upper)
        c = static_cast<wchar_t>(towupper(c));
    EXPECT_TRUE(IsSystemProgramFolder(upper));
    EXPECT_FALSE(IsSystemProgramFolder(program));
    test::TempDir dir;
    EXPECT_FALSE(IsSystemProgramFolder(dir.path()));
}

TEST(Win32PortEnumeration, NamesBecomeDeviceNamespacePathsAndTheListIsOrdered)
{
    EXPECT_EQ(PortDevicePath("COM3"), "\\\\.\\COM3");
    EXPECT_EQ(PortDevicePath("COM12"), "\\\\.\\COM12");
    EXPECT_EQ(PortDevicePath("\\\\.\\COM12"), "\\\\.\\COM12");
    EXPECT_EQ(PortNameFromPath("\\\\.\\COM12"), "COM12");

    const std::vector<PortEntry> ports = EnumeratePorts();
    for (std::size_t i = 1; i < ports.size(); ++i)
        EXPECT_FALSE(PortNameLess(ports[i].portName, ports[i - 1].portName));
    for (const PortEntry& port : ports)
        EXPECT_FALSE(port.portName.empty());
}

TEST(Win32UsbIdentity, ComesFromTheWholeDevicesInstanceId)
{
    EXPECT_EQ(UsbIdentityFromInstanceId(L"USB\\VID_0403&PID_6001\\A50285BI"),
              (UsbIdentity{"0403", "6001", "A50285BI"}));
    EXPECT_EQ(UsbIdentityFromInstanceId(L"usb\\vid_10C4&pid_EA60\\0001"),
              (UsbIdentity{"10c4", "ea60", "0001"}));
    // Windows makes up an instance part for a chip without a serial number.
    EXPECT_EQ(UsbIdentityFromInstanceId(L"USB\\VID_1A86&PID_7523\\5&2A3B4C&0&1"),
              (UsbIdentity{"1a86", "7523", ""}));
    // One interface of a composite device, a port behind a driver's own bus, a UART.
    EXPECT_EQ(UsbIdentityFromInstanceId(L"USB\\VID_2341&PID_0043&MI_00\\6&1&0000"), std::nullopt);
    EXPECT_EQ(UsbIdentityFromInstanceId(L"FTDIBUS\\VID_0403+PID_6001+A50285BIA\\0000"),
              std::nullopt);
    EXPECT_EQ(UsbIdentityFromInstanceId(L"ACPI\\PNP0501\\1"), std::nullopt);
    EXPECT_EQ(UsbIdentityFromInstanceId(L"USB\\VID_04&PID_6001\\X"), std::nullopt);
}

TEST(Win32UsbIdentity, APortThatIsNotOnUsbHasNone)
{
    // Wine's ports come from its registry, with no device behind them.
    EXPECT_EQ(UsbIdentityOf("\\\\.\\COM99"), std::nullopt);
    EXPECT_TRUE(DevicesWithIdentity(UsbIdentity{"0403", "6001", "none"}).empty());
}

} // namespace
} // namespace wirevane::platform
