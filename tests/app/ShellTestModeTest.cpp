// Test Mode from the main window: Ctrl+T in demonstration mode runs on a simulated repeater in
// this process and opens no port.
#include "ShellRig.h"
#include "app/ShellCommands.h"
#include "service/CRadioClockDialog.h"
#include "service/CTestModeDialog.h"

#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

namespace rps::test {
namespace {

TEST(ShellTestMode, CtrlTInDemonstrationModeOpensTestModeWithoutAPort)
{
    ShellRig rig;
    ASSERT_TRUE(rig.start({"demo"}));
    QAction* action = rig.frame().commandAction(cmd::kTestMode);
    ASSERT_NE(action, nullptr);
    ASSERT_TRUE(action->isEnabled());
    EXPECT_EQ(action->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_T));
    const int opensBefore = rig.device.openCount();
    bool shown = false;
    QString clockDate;
    // The entry runs message pump steps itself: wait until the dialog is the modal one.
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (auto* dialog = qobject_cast<CTestModeDialog*>(QApplication::activeModalWidget())) {
            poll.stop();
            shown = true;
            EXPECT_GT(dialog->adjustmentList()->count(), 0);
            // The clock of the demonstration repeater, on the link test mode holds.
            whenShown<CRadioClockDialog>([&clockDate](CRadioClockDialog& clock) {
                clockDate = clock.dateField()->text();
                clock.closeButton()->click();
            });
            dialog->clockButton()->click();
            dialog->closeButton()->click();
        }
    });
    poll.start();
    action->trigger();
    poll.stop();
    EXPECT_TRUE(shown);
    EXPECT_EQ(clockDate, "2026-12-07");
    EXPECT_EQ(rig.device.openCount(), opensBefore) << "no port opened";
    EXPECT_TRUE(rig.repeater.commandLog().empty());
}

TEST(ShellTestMode, TheClockBorrowsTestModesLinkAndAFailedReadClosesOnlyTheClock)
{
    ShellRig rig;
    ASSERT_TRUE(rig.start());
    // The data the repeater was programmed with, so the entry checks pass.
    rig.image().working() = rig.repeater.memory().toAreas();
    int opensAtEntry = -1;
    QString date;
    bool tuningWhileClockOpen = false;
    bool tuningAfterClock = false;
    bool testModeStillOpen = false;
    whenShown<CTestModeDialog>([&](CTestModeDialog& testMode) {
        opensAtEntry = rig.device.openCount();
        ASSERT_TRUE(testMode.clockButton()->isEnabled());
        whenShown<CRadioClockDialog>([&](CRadioClockDialog& clock) {
            date = clock.dateField()->text();
            tuningWhileClockOpen = rig.repeater.tuningMode();
            clock.closeButton()->click();
        });
        testMode.clockButton()->click();
        tuningAfterClock = rig.repeater.tuningMode() && rig.app->link().isOpen();

        // The repeater stops answering the clock: 773, and test mode goes on.
        rig.repeater.config().faults.silentCommands[0xB3] = -1;
        testMode.clockButton()->click();
        testModeStillOpen = QApplication::activeModalWidget() == &testMode && rig.repeater.tuningMode();
        rig.repeater.config().faults.silentCommands.clear();
        testMode.closeButton()->click();
    });
    rig.trigger(cmd::kTestMode);
    EXPECT_EQ(date, "2026-12-07");
    EXPECT_TRUE(tuningWhileClockOpen);
    EXPECT_TRUE(tuningAfterClock) << "no mode left, no port closed";
    EXPECT_TRUE(testModeStillOpen);
    EXPECT_EQ(rig.device.openCount(), opensAtEntry) << "the clock opened no port";
    ASSERT_EQ(rig.dialogs.messages.size(), 1u);
    EXPECT_EQ(rig.dialogs.messages[0].text, rig.text(773));
    EXPECT_EQ(rig.repeater.leaveCount(), 1) << "only test mode left the mode";
}

} // namespace
} // namespace rps::test
