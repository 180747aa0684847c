// Which COM names lead to a device: the port map against the devices the system reports and the
// devices that are there (an emulated scale's pseudo-terminal).
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "link/PortList.h"
#include "support/EmuProcess.h"

namespace
{

qm::SystemPort usbAdapter(const std::string& device, const std::string& maker, const std::string& product)
{
    qm::SystemPort port;
    port.name = std::filesystem::path(device).filename().string();
    port.device = device;
    port.manufacturer = maker;
    port.description = product;
    port.usb = true;
    return port;
}

} // namespace

TEST(PortList, AnEmulatedScaleAndAMissingDevice)
{
    qmtest::EmuProcess emu({3});
    const auto dir = std::filesystem::temp_directory_path() / ("qm-ports-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    {
        std::ofstream cfg(dir / "ports.cfg");
        for (int com = 1; com <= 16; ++com)
            cfg << "COM" << com << "=" << (dir / ("missing" + std::to_string(com))).string() << "\n";
        cfg << "COM3=" << emu.device() << "\n";
    }
    // A link to the device counts as the device.
    std::filesystem::create_symlink(emu.device(), dir / "scale-link");
    qm::PortMap map = qm::PortMap::load(dir.string());
    map.set(5, (dir / "scale-link").string());
    // A plain file is no device.
    std::ofstream(dir / "plain") << "x";
    map.set(6, (dir / "plain").string());

    const auto entries = qm::portEntries(map, {});
    ASSERT_EQ(entries.size(), 16u);
    EXPECT_EQ(entries[2].name, "COM3");
    EXPECT_EQ(entries[2].device, emu.device());
    EXPECT_TRUE(entries[2].present);
    EXPECT_FALSE(entries[3].present);
    EXPECT_EQ(entries[3].device, (dir / "missing4").string());
    EXPECT_TRUE(entries[4].present);
    EXPECT_FALSE(entries[5].present);

    const auto present = qm::presentPorts(map, {});
    ASSERT_EQ(present.size(), 2u);
    EXPECT_EQ(present[0].name, "COM3");
    EXPECT_EQ(present[1].name, "COM5");
    std::filesystem::remove_all(dir);
}

TEST(PortList, AdaptersTheSystemReportsWithMakerAndProduct)
{
    // The other COM names are the UART nodes /dev/ttyS<n-1>, which the system does not list here.
    qm::PortMap map;
    map.set(2, "/dev/ttyUSB0");
    const std::vector<qm::SystemPort> system = {usbAdapter("/dev/ttyUSB0", "FTDI", "FT232R USB UART"),
                                                usbAdapter("/dev/ttyUSB1", "Prolific", "Prolific USB-Serial")};
    const auto present = qm::presentPorts(map, system);
    ASSERT_EQ(present.size(), 1u);
    EXPECT_EQ(present[0].name, "COM2");
    EXPECT_EQ(present[0].device, "/dev/ttyUSB0");
    EXPECT_EQ(present[0].description, "FTDI FT232R USB UART");

    const auto unnamed = qm::unnamedPorts(map, system);
    ASSERT_EQ(unnamed.size(), 1u);
    EXPECT_EQ(unnamed[0].device, "/dev/ttyUSB1");
    // The maker is not said twice when the product begins with it.
    EXPECT_EQ(qm::portDescription(unnamed[0]), "Prolific USB-Serial");
    EXPECT_EQ(qm::portDescription(usbAdapter("/dev/ttyACM0", "Arduino", "")), "Arduino");

    // Windows names its ports by the COM name itself.
    qm::SystemPort com3;
    com3.name = "COM3";
    com3.device = "\\\\.\\COM3";
    com3.description = "USB Serial Port";
    map.set(3, "COM3");
    EXPECT_EQ(qm::presentPorts(map, {com3}).at(0).description, "USB Serial Port");
}
