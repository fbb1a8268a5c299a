// Test Mode from the main window: Ctrl+T in demonstration mode runs on a simulated repeater in
// this process and opens no port.
#include "ShellRig.h"
#include "app/ShellCommands.h"
#include "service/CTestModeDialog.h"

#include <QAction>
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
    // The entry runs message pump steps itself: wait until the dialog is the modal one.
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (auto* dialog = qobject_cast<CTestModeDialog*>(QApplication::activeModalWidget())) {
            poll.stop();
            shown = true;
            EXPECT_GT(dialog->adjustmentList()->count(), 0);
            dialog->closeButton()->click();
        }
    });
    poll.start();
    action->trigger();
    poll.stop();
    EXPECT_TRUE(shown);
    EXPECT_EQ(rig.device.openCount(), opensBefore) << "no port opened";
    EXPECT_TRUE(rig.repeater.commandLog().empty());
}

} // namespace
} // namespace rps::test
