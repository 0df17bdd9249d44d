#include "platform/linux/usb_identity_sysfs.h"
#include "support/temp_dir.h"

#include <fstream>
#include <gtest/gtest.h>

namespace wirevane::platform {
namespace {

namespace fs = std::filesystem;

// A /sys and /dev look-alike where USB adapters come and go, laid out as the kernel lays out
// a USB serial port: the tty under the interface folder, the ids on the device folder above it.
class PluggedAdapters : public ::testing::Test {
protected:
    PluggedAdapters() { fs::create_directories(sources.sysClassTty); }

    void Plug(const std::string& tty, const std::string& usbPort, const UsbIdentity& identity)
    {
        const fs::path device = root() / "sys/devices/pci0000:00/usb1" / usbPort;
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
    fs::path root() const { return dir.path(); }

    test::TempDir dir;
    PortSources sources{dir / "sys/class/tty", dir / "dev", {}};
    const UsbIdentity ftdi{"0403", "6001", "A50285BI"};
    const UsbIdentity other{"0403", "6001", "FT9XK2LQ"};
};

TEST_F(PluggedAdapters, AnAdapterIsFoundByItsIdentityUnderTheNewPathItCameBackWith)
{
    Plug("ttyUSB0", "1-2", ftdi);
    Plug("ttyUSB1", "1-3", other);
    EXPECT_EQ(UsbIdentityOf(Dev("ttyUSB0"), sources), ftdi);
    // Through a link, as /dev/serial/by-id names an adapter.
    fs::create_symlink(Dev("ttyUSB1"), root() / "by-id");
    EXPECT_EQ(UsbIdentityOf((root() / "by-id").string(), sources), other);

    Unplug("ttyUSB0");
    EXPECT_TRUE(DevicesWithIdentity(ftdi, sources).empty());
    Plug("ttyUSB2", "1-4", ftdi);
    EXPECT_EQ(DevicesWithIdentity(ftdi, sources), std::vector<std::string>{Dev("ttyUSB2")});
    EXPECT_EQ(DevicesWithIdentity(other, sources), std::vector<std::string>{Dev("ttyUSB1")})
        << "the same vendor and product with another serial number is another adapter";
}

TEST_F(PluggedAdapters, ChipsWithoutASerialNumberAndDevicesOffUsb)
{
    const UsbIdentity plain{"1a86", "7523", ""};
    Plug("ttyUSB0", "1-2", plain);
    EXPECT_EQ(UsbIdentityOf(Dev("ttyUSB0"), sources), plain);
    EXPECT_EQ(DevicesWithIdentity(plain, sources), std::vector<std::string>{Dev("ttyUSB0")});

    // A built-in UART and a pseudo-terminal have no USB device above them.
    const fs::path uart = root() / "sys/devices/pnp0/00:01/tty/ttyS0";
    fs::create_directories(uart);
    fs::create_directories(sources.sysClassTty / "ttyS0");
    fs::create_directory_symlink(uart, sources.sysClassTty / "ttyS0" / "device");
    std::ofstream(sources.devDir / "ttyS0") << "";
    EXPECT_EQ(UsbIdentityOf(Dev("ttyS0"), sources), std::nullopt);
    EXPECT_EQ(UsbIdentityOf("/dev/ptmx", sources), std::nullopt);
    EXPECT_EQ(UsbIdentityOf(Dev("gone"), sources), std::nullopt);
}

} // namespace
} // namespace wirevane::platform
