// Read and Write from the main window against the in-process simulated repeater.
#include "ShellRig.h"

#include "app/CTransferDialog.h"
#include "app/ShellCommands.h"

#include <QCheckBox>
#include <QProgressBar>
#include <QPushButton>

#include <gtest/gtest.h>

namespace rps::test {
namespace {

struct BusyProbe {
    bool busy = false;
    bool closeRefused = false;
    bool startEnabled = true;
};

// Starts the transfer of the next transfer dialog and looks at it once, halfway through.
void startTransferProbing(BusyProbe& probe)
{
    whenModal<CTransferDialog>([&probe](CTransferDialog& dialog) {
        QObject::connect(dialog.progressBar(), &QProgressBar::valueChanged, &dialog,
                         [&probe, &dialog](int value) {
                             if (value != 50)
                                 return;
                             probe.busy = dialog.busy();
                             probe.closeRefused = !dialog.close();
                             probe.startEnabled = dialog.startButton()->isEnabled();
                         });
        dialog.start();
    });
}

TEST(ShellTransfers, ReadFromTheRepeaterReplacesTheImageAndMarksItClean)
{
    sim::SimMemory memory = sim::defaultMemory(0x0700);
    memory.blocks[0x2345] = 0x5A;
    ShellRig rig(memory);
    ASSERT_TRUE(rig.start());
    rig.image().main()[0x1000] ^= 0x01; // unsaved edit: the user answers No to saving it

    rig.dialogs.answers = {MessageAnswer::No};
    BusyProbe probe;
    startTransferProbing(probe);
    rig.trigger(cmd::kReadFromRadio);

    EXPECT_TRUE(probe.busy);
    EXPECT_TRUE(probe.closeRefused);
    EXPECT_FALSE(probe.startEnabled);
    ASSERT_EQ(rig.dialogs.messages.size(), 2u); // the save question, then "read complete"
    EXPECT_EQ(rig.dialogs.messages[1].text, rig.text(550));
    EXPECT_EQ(rig.dialogs.messages[1].caption, rig.text(556));
    EXPECT_EQ(rig.image().main()[0x2345], 0x5A);
    EXPECT_FALSE(rig.image().isModified());
    EXPECT_NE(rig.frame().windowTitle().indexOf("QLM-940: K  UHF: 400-470 MHz"), -1);
    EXPECT_NE(rig.frame().windowTitle().indexOf(" : rps360t.dat ]"), -1);
}

TEST(ShellTransfers, ReadThatFailsAtBlock100ChangesNothing)
{
    sim::SimMemory memory = sim::defaultMemory(0x0700);
    ShellRig rig(memory);
    rig.repeater.config().faults.dieAtBlock = 100;
    ASSERT_TRUE(rig.start());
    rig.image().main()[0x1000] ^= 0x01;
    const ImageAreas before = rig.image().working();
    const QString title = rig.frame().windowTitle();

    rig.dialogs.answers = {MessageAnswer::No};
    BusyProbe probe;
    startTransferProbing(probe);
    rig.trigger(cmd::kReadFromRadio);

    ASSERT_EQ(rig.dialogs.messages.size(), 2u);
    EXPECT_EQ(rig.dialogs.messages[1].text, rig.text(773));
    EXPECT_EQ(rig.image().working(), before);
    EXPECT_TRUE(rig.image().isModified());
    EXPECT_EQ(rig.frame().windowTitle(), title);
    EXPECT_NE(rig.frame().openedForm(kTestFormA), nullptr); // the open form stayed
}

TEST(ShellTransfers, WriteIsRefusedWithTheListOfProblems)
{
    ShellRig rig;
    ASSERT_TRUE(rig.start());
    rig.image().main()[688] = '0'; // priority channel scan without a priority channel
    rig.image().main()[694] = 0xFF;

    bool dialogShown = false;
    whenModal<CTransferDialog>([&dialogShown](CTransferDialog& dialog) {
        dialogShown = true;
        dialog.reject();
    });
    rig.trigger(cmd::kWriteToRadio);
    QApplication::processEvents(); // let the probe run if nothing modal came up

    EXPECT_FALSE(dialogShown);
    ASSERT_EQ(rig.dialogs.messages.size(), 1u);
    const std::string& text = rig.dialogs.messages[0].text;
    EXPECT_EQ(text.rfind(rig.text(574), 0), 0u);
    EXPECT_NE(text.find("\"" + rig.text(1168) + "\""), std::string::npos);
    EXPECT_EQ(rig.repeater.prepareCount(), 0);
}

TEST(ShellTransfers, WriteSendsTheImageAndKeepsTheClockOptionForTheRun)
{
    ShellRig rig;
    ASSERT_TRUE(rig.start());
    rig.image().main()[0x2345] = 0x3C;

    whenModal<CWriteDialog>([](CWriteDialog& dialog) {
        dialog.clockBox()->setChecked(true);
        dialog.start();
    });
    rig.trigger(cmd::kWriteToRadio);
    EXPECT_EQ(rig.repeater.memory().blocks[0x2345], 0x3C);
    EXPECT_TRUE(rig.repeater.clockSet().has_value());
    EXPECT_EQ(rig.dialogs.messages.back().text, rig.text(572));

    bool keptChecked = false;
    whenModal<CWriteDialog>([&keptChecked](CWriteDialog& dialog) {
        keptChecked = dialog.clockBox()->isChecked();
        dialog.reject();
    });
    rig.trigger(cmd::kWriteToRadio);
    EXPECT_TRUE(keptChecked);
}

} // namespace
} // namespace rps::test
