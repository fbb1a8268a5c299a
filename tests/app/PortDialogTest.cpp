// The Communication Port dialog over a port list made up by the test.
#include "ShellRig.h"

#include "app/CPortDialog.h"
#include "app/ShellCommands.h"
#include "link/RadioLink.h"

#include <QLineEdit>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

namespace rps::test {
namespace {

const std::string kStable = "/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A10K3B2Q-if00-port0";

std::vector<PortChoice> madeUpPorts()
{
    // The rig's run port ("sim-link", as RPS360T_PORT gives it) first, as the list puts it.
    return {{1, "sim-link", "sim-link (RPS360T_PORT)", {"sim-link", "RPS360T_PORT", "", "", ""}},
            {2,
             kStable,
             "ttyUSB0 (FT232R USB UART)",
             {"/dev/ttyUSB0", "FT232R USB UART", "FTDI", "A10K3B2Q", kStable}},
            {3, "/dev/ttyS0", "ttyS0", {"/dev/ttyS0", "", "", "", ""}}};
}

std::string cellText(QTableWidget* table, int row, int column)
{
    return table->item(row, column)->text().toStdString();
}

TEST(PortDialog, TheRunsPortIsPreselectedAndOkWithoutAChangeKeepsIt)
{
    ShellRig rig;
    rig.ports = madeUpPorts();
    ASSERT_TRUE(rig.start());
    ASSERT_EQ(rig.app->settings().comDevice, "sim-link");
    const int number = rig.app->settings().comPort;
    whenModal<CPortDialog>([](CPortDialog& dialog) {
        QTableWidget* table = dialog.table();
        ASSERT_EQ(table->rowCount(), 3);
        EXPECT_EQ(table->verticalHeaderItem(1)->text().toStdString(), "COM2");
        EXPECT_EQ(cellText(table, 1, 0), "/dev/ttyUSB0");
        EXPECT_EQ(cellText(table, 1, 1), "FT232R USB UART");
        EXPECT_EQ(cellText(table, 1, 2), "FTDI");
        EXPECT_EQ(cellText(table, 1, 3), "A10K3B2Q");
        EXPECT_EQ(cellText(table, 1, 4), kStable);
        ASSERT_EQ(table->selectedRanges().size(), 1);
        EXPECT_EQ(table->selectedRanges().front().topRow(), 0);
        EXPECT_EQ(dialog.pathField()->text().toStdString(), "sim-link");
        dialog.accept();
    });
    rig.trigger(cmd::kCommunicationPort);
    EXPECT_EQ(rig.app->settings().comDevice, "sim-link");
    EXPECT_EQ(rig.app->settings().comPort, number);
    EXPECT_EQ(rig.app->link().devicePath(), "sim-link");
}

TEST(PortDialog, APortThatIsNotListedIsKeptOnOk)
{
    ShellRig rig;
    ASSERT_TRUE(rig.start());
    rig.ports = {{1, "/dev/ttyS0", "ttyS0", {"/dev/ttyS0", "", "", "", ""}}};
    whenModal<CPortDialog>([](CPortDialog& dialog) {
        EXPECT_TRUE(dialog.table()->selectedRanges().isEmpty());
        dialog.accept();
    });
    rig.trigger(cmd::kCommunicationPort);
    EXPECT_EQ(rig.app->settings().comDevice, "sim-link");
    EXPECT_EQ(rig.app->link().devicePath(), "sim-link");
}

TEST(PortDialog, AChosenRowIsStoredByItsStableNameAndATypedPathAsItStands)
{
    ShellRig rig;
    rig.ports = madeUpPorts();
    ASSERT_TRUE(rig.start());
    whenModal<CPortDialog>([](CPortDialog& dialog) {
        dialog.table()->selectRow(1);
        EXPECT_EQ(dialog.pathField()->text().toStdString(), kStable);
        dialog.accept();
    });
    rig.trigger(cmd::kCommunicationPort);
    EXPECT_EQ(rig.app->settings().comPort, 2);
    EXPECT_EQ(rig.app->settings().comDevice, kStable);
    EXPECT_EQ(rig.app->link().devicePath(), kStable);

    // Typing the device of a listed port selects its row; typing another path selects none
    // and keeps the row number.
    const std::string typed = rig.folder.file("other.tty");
    whenModal<CPortDialog>([typed](CPortDialog& dialog) {
        dialog.pathField()->clear();
        QTest::keyClicks(dialog.pathField(), "/dev/ttyS0");
        ASSERT_EQ(dialog.table()->selectedRanges().size(), 1);
        EXPECT_EQ(dialog.table()->selectedRanges().front().topRow(), 2);
        dialog.pathField()->clear();
        QTest::keyClicks(dialog.pathField(), QString::fromStdString(typed));
        EXPECT_TRUE(dialog.table()->selectedRanges().isEmpty());
        dialog.accept();
    });
    rig.trigger(cmd::kCommunicationPort);
    EXPECT_EQ(rig.app->settings().comDevice, typed);
    EXPECT_EQ(rig.app->settings().comPort, 2);
}

} // namespace
} // namespace rps::test
