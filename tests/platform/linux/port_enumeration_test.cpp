#include "platform/linux/port_registration.h"
#include "platform/linux/port_sources.h"
#include "platform/linux/usb_identity_sysfs.h"
#include "support/pty_pair.h"
#include "support/temp_dir.h"

#include <fstream>
#include <gtest/gtest.h>
#include <unistd.h>

namespace wirevane::platform {
namespace {

namespace fs = std::filesystem;
using test::TempDir;

constexpr uid_t kNobody = 65534;

// A /sys/class/tty look-alike: each port links to a device folder that links to its driver
// and its bus, as the kernel lays them out.
class FakeSysfs {
public:
    FakeSysfs()
    {
        fs::create_directories(m_root / "class/tty");
        fs::create_directories(m_root / "bus");
    }

    void AddPort(const std::string& name, const std::string& devicePath, const std::string& bus,
                 const std::string& driver, int uartType = -1)
    {
        const fs::path entry = m_root / "class/tty" / name;
        fs::create_directories(entry);
        const fs::path device = m_root / "devices" / devicePath;
        fs::create_directories(device);
        fs::create_directories(m_root / "bus" / bus / "drivers" / driver);
        fs::create_directory_symlink(m_root / "bus" / bus / "drivers" / driver, device / "driver");
        fs::create_directory_symlink(m_root / "bus" / bus, device / "subsystem");
        fs::create_directory_symlink(device, entry / "device");
        if (uartType >= 0)
            std::ofstream(entry / "type") << uartType << "\n";
    }

    fs::path classTty() const { return m_root / "class/tty"; }
    fs::path root() const { return m_root; }

private:
    TempDir m_dir;
    fs::path m_root = m_dir.path();
};

TEST(PortEnumeration, ListsPortsWithADriverInNumberOrderAndMarksUsbAdapters)
{
    FakeSysfs sysfs;
    sysfs.AddPort("ttyS10", "pnp0/00:0a/00:0a:0/00:0a:0.0", "serial-base", "port", 4);
    sysfs.AddPort("ttyS2", "pnp0/00:02/00:02:0/00:02:0.0", "serial-base", "port", 4);
    sysfs.AddPort("ttyS3", "platform/serial8250/serial8250:0.3", "serial-base", "port", 0);
    sysfs.AddPort("ttyUSB0", "pci0000:00/0000:00:14.0/usb1/1-2/1-2:1.0/ttyUSB0", "usb-serial",
                  "ftdi_sio");
    sysfs.AddPort("ttyACM0", "pci0000:00/0000:00:14.0/usb1/1-3/1-3:1.0", "usb", "cdc_acm");
    sysfs.AddPort("ttyAMA0", "platform/fe201000.serial", "amba", "uart-pl011");
    sysfs.AddPort("ttyXR0", "pci0000:00/0000:00:14.0/usb2/2-1/2-1:1.0/tty/ttyXR0", "pci",
                  "xr_serial");
    // Virtual terminals have no device behind them.
    fs::create_directories(sysfs.classTty() / "tty0");
    fs::create_directories(sysfs.classTty() / "ptmx");

    TempDir noSimulators;
    PortSources sources{sysfs.classTty(), "/dev", noSimulators.path()};
    const std::vector<PortEntry> expected{
        {"ttyACM0", "USB/cdc_acm"},         {"ttyAMA0", "AMBA/uart-pl011"},
        {"ttyS2", "SERIAL-BASE/port"},      {"ttyS10", "SERIAL-BASE/port"},
        {"ttyUSB0", "USB-SERIAL/ftdi_sio"}, {"ttyXR0", "PCI/xr_serial USB"},
    };
    EXPECT_EQ(EnumeratePorts(sources), expected);
    EXPECT_EQ(EnumeratePorts(sources), expected);
}

TEST(PortRegistrationTest, NamesAreUniqueAndSkipDevicesAndRemovalCleansUp)
{
    TempDir simulators;
    TempDir dev;
    std::ofstream(dev / "wvsim1").close();
    test::PtyPair first;
    test::PtyPair second;
    std::string error;
    {
        PortRegistration a(dev.path());
        PortRegistration b(dev.path());
        ASSERT_TRUE(a.Register(simulators.path(), "wvsim", first.slavePath(), error)) << error;
        ASSERT_TRUE(b.Register(simulators.path(), "wvsim", second.slavePath(), error)) << error;
        EXPECT_EQ(a.linkPath(), simulators / "wvsim0");
        EXPECT_EQ(b.linkPath(), simulators / "wvsim2") << "a name /dev has is never announced";
        PortSources sources{"/nonexistent", dev.path(), simulators.path()};
        EXPECT_EQ(PortDevicePath("wvsim2", sources), (simulators / "wvsim2").string());
        EXPECT_EQ(fs::canonical(PortDevicePath("wvsim2", sources)),
                  fs::canonical(second.slavePath()));
        EXPECT_EQ(PortDevicePath("wvsim1", sources), (dev / "wvsim1").string());
        EXPECT_EQ(PortDevicePath("/dev/ttyS0", sources), "/dev/ttyS0");

        PortRegistration tty(dev.path());
        EXPECT_FALSE(tty.Register(simulators.path(), "ttyUSB", first.slavePath(), error));
        EXPECT_EQ(error, "the name ttyUSB belongs to the system's serial ports");
    }
    EXPECT_TRUE(fs::is_empty(simulators.path()));
}

TEST(PortRegistrationTest, ALinkChangedUnderALiveSimulatorIsNotItsAnnouncement)
{
    TempDir simulators;
    test::PtyPair mine;
    test::PtyPair other;
    PortRegistration registration;
    std::string error;
    ASSERT_TRUE(registration.Register(simulators.path(), "wvsim", mine.slavePath(), error));
    const PortSources sources{"", "/dev", simulators.path()};
    const std::string link = registration.linkPath().string();
    ASSERT_TRUE(ReopenableDevice(link, sources));
    EXPECT_EQ(PortDevicePath(link, sources), link);
    fs::remove(registration.linkPath());
    fs::create_symlink(other.slavePath(), registration.linkPath());
    EXPECT_FALSE(LiveRegistration(registration.linkPath()));
    // A file saved while it ran names the link by its path: that must not reach the other's.
    EXPECT_EQ(PortDevicePath(link, sources), "/dev/wvsim0");
}

TEST(ReopenableDevice, APseudoTerminalIsNeverTakenBackAndADeviceNodeIsByItsPath)
{
    test::PtyPair pty;
    EXPECT_EQ(ReopenableDevice(pty.slavePath()), std::nullopt);
    EXPECT_EQ(ReopenableDevice("/dev/null"), "/dev/null");
    EXPECT_EQ(ReopenableDevice("/dev/wirevane-no-such-device"), std::nullopt);
}

// Another local user's hand in the ports folder. Each case spoils a folder that held a live
// registration; from then on nothing is taken from it, and no simulator announces there.
struct SpoiledFolder {
    const char* name;
    fs::perms perms;
    bool givenToNobody;
    bool replacedByALink;
    const char* reason;
};

class UntrustedPortsFolder : public ::testing::TestWithParam<SpoiledFolder> {};

TEST_P(UntrustedPortsFolder, IsNotReadAndNotAnnouncedIn)
{
    TempDir root;
    const fs::path folder = root / "ports";
    test::PtyPair device;
    PortRegistration live;
    std::string error;
    ASSERT_TRUE(live.Register(folder, "wvsim", device.slavePath(), error)) << error;
    // The hijack as it was seen: a link of a system port's name to another user's terminal.
    fs::create_symlink(device.slavePath(), folder / "ttyUSB0");
    fs::permissions(folder, GetParam().perms);
    if (GetParam().givenToNobody) {
        ASSERT_EQ(chown(folder.c_str(), kNobody, kNobody), 0) << "the tests run as root";
    }
    if (GetParam().replacedByALink) {
        fs::rename(folder, root / "elsewhere");
        fs::create_directory_symlink(root / "elsewhere", folder);
    }

    PortSources sources{"/nonexistent", "/dev", folder};
    EXPECT_TRUE(EnumeratePorts(sources).empty());
    EXPECT_EQ(PortDevicePath("wvsim0", sources), "/dev/wvsim0");
    EXPECT_EQ(PortDevicePath((folder / "wvsim0").string(), sources), "/dev/wvsim0");
    EXPECT_EQ(PortDevicePath("ttyUSB0", sources), "/dev/ttyUSB0");
    EXPECT_EQ(ReopenableDevice((folder / "wvsim0").string(), sources), std::nullopt);

    test::PtyPair another;
    PortRegistration refused;
    EXPECT_FALSE(refused.Register(folder, "wvsim", another.slavePath(), error));
    EXPECT_EQ(error, folder.string() + ": " + GetParam().reason);
}

constexpr fs::perms kOwnerOnly = fs::perms::owner_all;
constexpr const char* kOthersMayWrite = "other users may write into the folder";

INSTANTIATE_TEST_SUITE_P(
    PortRegistrationTest, UntrustedPortsFolder,
    ::testing::Values(SpoiledFolder{"OthersMayWrite", kOwnerOnly | fs::perms::others_all, false,
                                    false, kOthersMayWrite},
                      SpoiledFolder{"GroupMayWrite", kOwnerOnly | fs::perms::group_all, false,
                                    false, kOthersMayWrite},
                      SpoiledFolder{"AnotherUsersFolder", kOwnerOnly, true, false,
                                    "the folder belongs to another user"},
                      SpoiledFolder{"ALinkToAFolder", kOwnerOnly, false, true, "not a folder"}),
    [](const auto& tested) { return std::string(tested.param.name); });

TEST(PortNames, SystemDeviceNamesAreLookedUpInDevFirst)
{
    TempDir simulators;
    TempDir dev;
    std::ofstream(dev / "ttyS0").close();
    std::ofstream(dev / "rfcomm0").close();
    test::PtyPair pty;
    for (const char* name : {"ttyS0", "ttyACM0", "ttyUSB0", "rfcomm0"})
        fs::create_symlink(pty.slavePath(), simulators / name);
    PortSources sources{"/nonexistent", dev.path(), simulators.path()};
    for (const char* name : {"ttyS0", "ttyACM0", "ttyUSB0", "rfcomm0"})
        EXPECT_EQ(PortDevicePath(name, sources), (dev / name).string()) << name;
    EXPECT_TRUE(EnumeratePorts(sources).empty());
}

TEST(PortNames, StatusNameAndNumberAwareOrder)
{
    EXPECT_EQ(PortNameFromPath("/dev/ttyUSB0"), "ttyUSB0");
    EXPECT_EQ(PortNameFromPath("/run/user/0/wirevane/ports/wvsim3"), "wvsim3");
    EXPECT_EQ(PortNameFromPath("COM3"), "COM3");
    EXPECT_TRUE(PortNameLess("ttyS2", "ttyS10"));
    EXPECT_FALSE(PortNameLess("ttyS10", "ttyS2"));
    EXPECT_TRUE(PortNameLess("ttyS", "ttyS0"));
    EXPECT_TRUE(PortNameLess("ttyACM9", "ttyS0"));
    EXPECT_TRUE(PortNameLess("ttyS01", "ttyS2"));
    EXPECT_FALSE(PortNameLess("ttyS2", "ttyS2"));
}

// A /sys and /dev look-alike where USB adapters come and go, laid out as the kernel lays out
// a USB serial port: the tty under the interface folder, the ids on the device folder above it.
class PluggedAdapters : public ::testing::Test {
protected:
    void Plug(const std::string& tty, const std::string& usbPort, const UsbIdentity& identity)
    {
        const fs::path device = sysfs.root() / "devices/pci0000:00/usb1" / usbPort;
        const fs::path interface = device / (usbPort + ":1.0") / tty;
        fs::create_directories(interface);
        std::ofstream(device / "idVendor") << identity.vendorId << "\n";
        std::ofstream(device / "idProduct") << identity.productId << "\n";
        if (!identity.serialNumber.empty())
            std::ofstream(device / "serial") << identity.serialNumber << "\n";
        fs::create_directories(sources.sysClassTty / tty);
        fs::create_directory_symlink(interface, sources.sysClassTty / tty / "device");
        fs::create_directories(sources.devDir);
        std::ofstream(sources.devDir / tty) << "";
    }
    void Unplug(const std::string& tty)
    {
        fs::remove_all(sources.sysClassTty / tty);
        fs::remove(sources.devDir / tty);
    }
    std::string Dev(const std::string& tty) const { return (sources.devDir / tty).string(); }

    FakeSysfs sysfs;
    PortSources sources{sysfs.classTty(), sysfs.root() / "dev", {}};
    const UsbIdentity ftdi{"0403", "6001", "A50285BI"};
    const UsbIdentity other{"0403", "6001", "FT9XK2LQ"};
};

TEST_F(PluggedAdapters, AnAdapterIsFoundByItsIdentityUnderTheNewPathItCameBackWith)
{
    Plug("ttyUSB0", "1-2", ftdi);
    Plug("ttyUSB1", "1-3", other);
    EXPECT_EQ(UsbIdentityOf(Dev("ttyUSB0"), sources), ftdi);
    // Through a link, as /dev/serial/by-id names an adapter.
    fs::create_symlink(Dev("ttyUSB1"), sysfs.root() / "by-id");
    EXPECT_EQ(UsbIdentityOf((sysfs.root() / "by-id").string(), sources), other);

    Unplug("ttyUSB0");
    EXPECT_TRUE(DevicesWithIdentity(ftdi, sources).empty());
    Plug("ttyUSB2", "1-4", ftdi);
    EXPECT_EQ(DevicesWithIdentity(ftdi, sources), std::vector<std::string>{Dev("ttyUSB2")});
    // The same vendor and product with another serial number is another adapter.
    EXPECT_EQ(DevicesWithIdentity(other, sources), std::vector<std::string>{Dev("ttyUSB1")});
}

TEST_F(PluggedAdapters, ChipsWithoutASerialNumberAndDevicesOffUsb)
{
    const UsbIdentity plain{"1a86", "7523", ""};
    Plug("ttyUSB0", "1-2", plain);
    EXPECT_EQ(UsbIdentityOf(Dev("ttyUSB0"), sources), plain);
    EXPECT_EQ(DevicesWithIdentity(plain, sources), std::vector<std::string>{Dev("ttyUSB0")});

    // A built-in UART and a pseudo-terminal have no USB device above them.
    sysfs.AddPort("ttyS0", "pnp0/00:01/tty/ttyS0", "serial-base", "port");
    std::ofstream(sources.devDir / "ttyS0") << "";
    EXPECT_EQ(UsbIdentityOf(Dev("ttyS0"), sources), std::nullopt);
    EXPECT_EQ(UsbIdentityOf("/dev/ptmx", sources), std::nullopt);
    EXPECT_EQ(UsbIdentityOf(Dev("gone"), sources), std::nullopt);
}

} // namespace
} // namespace wirevane::platform
