// Ctrl+Tab inside the key assignment and function port forms: their grids leave it to the
// main window, which cycles its windows; Tab stays inside the form.
#include "ShellRig.h"

#include "forms/common/CChildFrame.h"
#include "forms/common/CGridView.h"
#include "forms/feature/CFuncPortView.h"
#include "forms/feature/CKeyView.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>
#include <gtest/gtest.h>

using namespace rps;
using rps::test::ShellRig;

namespace {

void cycleWindows(QWidget* from)
{
    QTest::keyClick(from, Qt::Key_Tab, Qt::ControlModifier);
    QTest::keyRelease(from, Qt::Key_Control);
    QApplication::processEvents();
}

} // namespace

TEST(FeatureFormKeys, CtrlTabInsideTheGridsCyclesTheWindowsAndTabStaysInTheForm)
{
    ShellRig rig;
    rig.formLookup = nullptr; // the application's own forms
    ASSERT_TRUE(rig.start());
    CMainFrame& frame = rig.frame();
    ASSERT_TRUE(rig.showActive());
    for (int command : {CKeyView::kCommand, CFuncPortView::kCommand}) {
        ASSERT_NE(frame.commandAction(command), nullptr);
        EXPECT_TRUE(frame.commandAction(command)->isEnabled()) << command;
        frame.runCommand(command);
    }
    auto* keys = qobject_cast<CKeyView*>(frame.openedForm(CKeyView::kCommand));
    auto* ports = qobject_cast<CFuncPortView*>(frame.openedForm(CFuncPortView::kCommand));
    ASSERT_NE(keys, nullptr);
    ASSERT_NE(ports, nullptr);
    const std::vector<uint8_t> before(rig.image().main().begin(), rig.image().main().end());

    QMdiArea* mdi = frame.mdiArea();
    mdi->setActiveSubWindow(CChildFrame::of(ports));
    ports->inputGrid()->setFocus();
    ASSERT_EQ(QApplication::focusWidget(), ports->inputGrid());
    cycleWindows(ports->inputGrid());
    EXPECT_EQ(mdi->activeSubWindow(), CChildFrame::of(keys));
    EXPECT_FALSE(ports->inputGrid()->isEditing());

    keys->grid()->setFocus();
    cycleWindows(keys->grid());
    EXPECT_EQ(mdi->activeSubWindow(), CChildFrame::of(ports));
    EXPECT_FALSE(keys->grid()->isEditing());

    // Tab moves on inside the form and opens nothing.
    ports->modeGrid()->setFocus();
    QTest::keyClick(ports->modeGrid(), Qt::Key_Tab);
    EXPECT_EQ(mdi->activeSubWindow(), CChildFrame::of(ports));
    EXPECT_NE(QApplication::focusWidget(), ports->modeGrid());
    EXPECT_TRUE(ports->isAncestorOf(QApplication::focusWidget()));

    const std::vector<uint8_t> after(rig.image().main().begin(), rig.image().main().end());
    EXPECT_EQ(before, after);
}
