// Ctrl+Tab with the focus inside the optional features form: the main window cycles its
// windows; the form's page tabs do not take the key.
#include "ShellRig.h"
#include "forms/common/CGridView.h"
#include "forms/feature/CFeatureView.h"
#include "forms/feature/FeatureFields.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>

using namespace rps;
using rps::test::ShellRig;

TEST(FeaturePageKeys, CtrlTabInsideTheFormCyclesTheWindowsNotThePages)
{
    ShellRig rig;
    rig.formLookup = nullptr; // the application's own forms
    ASSERT_TRUE(rig.start());
    CMainFrame& frame = rig.frame();
    ASSERT_TRUE(rig.showActive());
    rig.trigger(kOptionalFeaturesCommand);
    auto* features = qobject_cast<CFeatureView*>(frame.openedForm(kOptionalFeaturesCommand));
    ASSERT_NE(features, nullptr);
    ASSERT_GE(frame.mdiArea()->subWindowList().size(), 2);
    QMdiSubWindow* before = frame.mdiArea()->activeSubWindow();
    ASSERT_TRUE(before != nullptr && before->isAncestorOf(features));
    auto* tabs = features->findChild<QTabWidget*>();
    ASSERT_NE(tabs, nullptr);
    QWidget* field = features->control(1);
    field->setFocus();
    QApplication::processEvents();

    QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : field, Qt::Key_Tab,
                    Qt::ControlModifier);
    QApplication::processEvents();
    EXPECT_EQ(tabs->currentIndex(), 0);
    EXPECT_NE(frame.mdiArea()->activeSubWindow(), before);

    // The same from a grid of the event page.
    frame.mdiArea()->setActiveSubWindow(before);
    tabs->setCurrentIndex(3);
    CGridView* grid = features->fieldForm()->grid(feature::kTxRxGridItem);
    ASSERT_NE(grid, nullptr);
    grid->setFocus();
    QApplication::processEvents();
    ASSERT_EQ(QApplication::focusWidget(), grid);
    QTest::keyClick(grid, Qt::Key_Tab, Qt::ControlModifier);
    QApplication::processEvents();
    EXPECT_EQ(tabs->currentIndex(), 3);
    EXPECT_NE(frame.mdiArea()->activeSubWindow(), before);
}
