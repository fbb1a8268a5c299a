#include "link/PortList.h"
#include "model/TempFolder.h"

#include <gtest/gtest.h>

#include <fstream>

namespace rps {
namespace {

using test::TempFolder;

PortInfo usb(const std::string& device, const std::string& stable = {})
{
    return PortInfo{device, "FT232R USB UART", "FTDI", "A10K3B2Q", stable};
}

TEST(PortList, RunPortAndSimulatorFirstThenThePlatformsPortsInOrderAtMostTwenty)
{
    std::vector<PortInfo> platform;
    for (int n = 24; n >= 0; --n)
        platform.push_back(
            PortInfo{"/dev/ttyS" + std::string(n < 10 ? "0" : "") + std::to_string(n), "", "", "", ""});
    platform.push_back(usb("/dev/ttyUSB0", "/dev/serial/by-id/usb-FTDI-if00"));
    const std::vector<PortInfo> extras{PortInfo{"/tmp/run/sim.tty", "RPS360T_PORT", "", "", ""},
                                       PortInfo{"/tmp/rps360t-sim.tty", "rps360t-sim", "", "", ""}};

    const std::vector<PortChoice> ports = buildPortList(extras, platform);
    ASSERT_EQ(ports.size(), 20u);
    EXPECT_EQ(ports[0].devicePath, "/tmp/run/sim.tty");
    EXPECT_EQ(ports[1].devicePath, "/tmp/rps360t-sim.tty");
    EXPECT_EQ(ports[2].devicePath, "/dev/ttyS00");
    EXPECT_EQ(ports[19].devicePath, "/dev/ttyS17");
    for (std::size_t i = 0; i < ports.size(); ++i)
        EXPECT_EQ(ports[i].number, i + 1);

    // A port with a stable name is stored by it and found by either name.
    const std::vector<PortChoice> few = buildPortList(
        {}, {usb("/dev/ttyUSB1", "/dev/serial/by-id/usb-FTDI-if00"), PortInfo{"/dev/ttyS0", "", "", "", ""}});
    ASSERT_EQ(few.size(), 2u);
    EXPECT_EQ(few[0].devicePath, "/dev/ttyS0");
    EXPECT_EQ(few[1].devicePath, "/dev/serial/by-id/usb-FTDI-if00");
    EXPECT_EQ(few[1].label, "ttyUSB1 (FT232R USB UART)");
    EXPECT_EQ(portNumberOf(few, "/dev/serial/by-id/usb-FTDI-if00"), 2);
    EXPECT_EQ(portNumberOf(few, "/dev/ttyUSB1"), 2);
    EXPECT_EQ(portNumberOf(few, "/dev/ttyUSB7"), 0);
    EXPECT_EQ(portNumberOf(few, ""), 0);
}

// A cable that came back under another ttyUSB number: its by-id link now leads there, and
// the stored stable name still picks its row. Two names of one device are one row.
TEST(PortList, StableNamesFollowTheDevice)
{
    TempFolder dev;
    TempFolder byId;
    std::ofstream(dev.file("ttyUSB1")).put('x');
    std::ofstream(dev.file("ttyUSB0")).put('x');
    const std::string stable = byId.file("usb-FTDI_FT232R_A10K3B2Q-if00-port0");
    std::filesystem::create_symlink(dev.file("ttyUSB1"), stable);
    std::filesystem::create_symlink(dev.file("ttyUSB1"), dev.file("second-link"));

    EXPECT_EQ(stableNameOf(dev.file("ttyUSB1"), byId.path().string()), stable);
    EXPECT_EQ(stableNameOf(dev.file("ttyUSB0"), byId.path().string()), "");
    EXPECT_EQ(stableNameOf(dev.file("ttyUSB0"), "/nonexistent"), "");

    const std::vector<PortChoice> ports =
        buildPortList({PortInfo{dev.file("second-link"), "RPS360T_PORT", "", "", ""}},
                      {usb(dev.file("ttyUSB1"), stable), usb(dev.file("ttyUSB0"))});
    ASSERT_EQ(ports.size(), 2u);
    EXPECT_EQ(ports[0].devicePath, dev.file("second-link"));
    EXPECT_EQ(ports[1].info.devicePath, dev.file("ttyUSB0"));
    EXPECT_EQ(portNumberOf(ports, stable), 1); // the same device as the run's port
}

} // namespace
} // namespace rps
