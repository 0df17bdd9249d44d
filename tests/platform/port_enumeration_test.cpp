#include "platform/linux/port_registration.h"
#include "platform/linux/port_sources.h"
#include "support/pty_pair.h"
#include "support/temp_dir.h"

#include <fstream>
#include <gtest/gtest.h>

namespace wirevane::platform {
namespace {

namespace fs = std::filesystem;
using test::TempDir;

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

    void AddVirtual(const std::string& name)
    {
        fs::create_directories(m_root / "class/tty" / name);
    }

    fs::path classTty() const { return m_root / "class/tty"; }

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
    sysfs.AddVirtual("tty0");
    sysfs.AddVirtual("ptmx");

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

TEST(PortEnumeration, AMissingSysfsGivesOnlySimulatorPorts)
{
    TempDir simulators;
    test::PtyPair pty;
    PortRegistration registration;
    std::string error;
    ASSERT_TRUE(registration.Register(simulators.path(), "wvsim", pty.slavePath(), error)) << error;
    PortSources sources{"/nonexistent/class/tty", "/dev", simulators.path()};
    EXPECT_EQ(EnumeratePorts(sources), (std::vector<PortEntry>{{"wvsim0", "wirevane-sim"}}));
}

TEST(PortRegistrationTest, NamesAreUniqueStaleLinksAreTakenOverAndRemovalCleansUp)
{
    TempDir simulators;
    test::PtyPair first;
    test::PtyPair second;
    std::string error;
    // A simulator killed without cleaning up left wvsim0 pointing at a pty that is gone.
    fs::create_symlink("/dev/pts/wirevane-gone", simulators / "wvsim0");
    {
        PortRegistration a;
        PortRegistration b;
        ASSERT_TRUE(a.Register(simulators.path(), "wvsim", first.slavePath(), error));
        ASSERT_TRUE(b.Register(simulators.path(), "wvsim", second.slavePath(), error));
        EXPECT_EQ(a.linkPath(), simulators / "wvsim0");
        EXPECT_EQ(b.linkPath(), simulators / "wvsim1");
        PortSources sources{"/nonexistent", "/dev", simulators.path()};
        EXPECT_EQ(PortDevicePath("wvsim1", sources), (simulators / "wvsim1").string());
        EXPECT_EQ(fs::canonical(PortDevicePath("wvsim1", sources)),
                  fs::canonical(second.slavePath()));
        EXPECT_EQ(PortDevicePath("ttyUSB0", sources), "/dev/ttyUSB0");
        EXPECT_EQ(PortDevicePath("/dev/ttyS0", sources), "/dev/ttyS0");
    }
    EXPECT_TRUE(fs::is_empty(simulators.path()));
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

} // namespace
} // namespace wirevane::platform
