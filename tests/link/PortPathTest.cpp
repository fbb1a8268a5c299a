#include "link/PortPath.h"
#include "model/TempFolder.h"

#include <gtest/gtest.h>

#include <fstream>

namespace rps {
namespace {

using test::TempFolder;

TEST(PortPath, SerialDeviceNamesOnly)
{
    for (const char* name : {"ttyUSB0", "ttyACM12", "ttyS0", "ttyAMA0", "rfcomm1"})
        EXPECT_TRUE(isSerialDeviceName(name)) << name;
    for (const char* name :
         {"tty", "tty0", "tty12", "console", "ptmx", "ttyUSB", "ttyS0x", "rfcomm", "mylink", ""})
        EXPECT_FALSE(isSerialDeviceName(name)) << name;
}

// A working folder with a link of its own and a /dev with a serial device, the terminal
// devices and a name that also exists in the working folder.
TEST(PortPath, RelativeNamesStayInTheWorkingFolderUnlessTheyNameASerialDevice)
{
    TempFolder work;
    TempFolder dev;
    for (const char* name : {"ttyUSB0", "tty", "tty0", "console", "ptmx", "mylink", "ttyACM0"})
        std::ofstream(dev.file(name)).put('x');
    std::ofstream(work.file("mylink")).put('x');
    std::ofstream(work.file("ttyACM0")).put('x');
    std::filesystem::create_directory(work.path() / "sub");

    const std::string w = work.path().string();
    const std::string d = dev.path().string();
    const struct {
        const char* typed;
        std::string expected;
    } cases[] = {
        {"", ""},
        {"/dev/ttyUSB3", "/dev/ttyUSB3"},
        {"mylink", w + "/mylink"},   // exists here, never /dev/mylink
        {"ttyACM0", w + "/ttyACM0"}, // the working folder wins over /dev
        {"ttyUSB0", d + "/ttyUSB0"}, // only under /dev, a serial device
        {"tty", w + "/tty"},         // never the user's terminal
        {"tty0", w + "/tty0"},       // never a virtual console
        {"console", w + "/console"},
        {"ptmx", w + "/ptmx"},
        {"ttyUSB7", d + "/ttyUSB7"},   // nowhere: the open fails naming the device not plugged in
        {"nolink", w + "/nolink"},     // nowhere and no serial device: the typed path
        {"sub/link", w + "/sub/link"}, // a slash: as it stands
        {"./mylink", w + "/mylink"},
        {"../x", (work.path().parent_path() / "x").string()},
    };
    for (const auto& c : cases)
        EXPECT_EQ(resolvePortPath(c.typed, work.path(), dev.path()), c.expected) << c.typed;
}

} // namespace
} // namespace rps
