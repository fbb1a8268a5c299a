// The scan information and advanced settings forms with real widgets, opened through the
// form catalogue as the Edit menu opens them.
#include "../FormTestHost.h"
#include "forms/common/CDeclaredFormView.h"
#include "forms/common/CGridView.h"
#include "forms/common/CSpinEdit.h"
#include "forms/feature/CSpecialView.h"
#include "forms/feature/ScanFields.h"
#include "forms/feature/SpecialFields.h"
#include "model/ByteOrder.h"
#include "model/FeatureMap.h"
#include "model/records/ChannelStore.h"

#include "forms/common/CChildFrame.h"
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace rps;
using rps::test::FormTestHost;

namespace {

void typeInto(QWidget* control, const char* text)
{
    control->setFocus();
    QWidget* target = CFieldForm::lineOf(control) ? CFieldForm::lineOf(control) : control;
    QTest::keyClick(target, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(target, Qt::Key_Delete);
    QTest::keyClicks(target, text);
    QTest::keyClick(target, Qt::Key_Tab);
    QApplication::processEvents();
}

QString shownIn(QWidget* control)
{
    return CFieldForm::lineOf(control)->text();
}

std::string languageText(FormTestHost& host, int number)
{
    return host.texts.text(number);
}

} // namespace

TEST(ScanInfoViewTest, PriorityChannelLookBackAndRevertFollowThePriorityMode)
{
    FormTestHost host;
    ChannelStore(host.image).create(2); // channel 3
    host.openForm(kScanInformationCommand);
    auto* view = static_cast<CDeclaredFormView*>(host.form(kScanInformationCommand));
    ASSERT_NE(view, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowActive(view));
    auto* priority = static_cast<QComboBox*>(view->control(scan::kItemPriority));
    auto* revert = static_cast<QComboBox*>(view->control(scan::kItemRevert));
    QWidget* channel = view->control(scan::kItemPriorityChannel);
    EXPECT_FALSE(channel->isEnabled());
    EXPECT_FALSE(view->control(scan::kItemLookBackA)->isEnabled());

    priority->setFocus();
    QTest::keyClick(priority, Qt::Key_Down); // priority scan
    EXPECT_EQ(host.image.main()[feature::kScanPriority], 0x30);
    ASSERT_TRUE(channel->isEnabled());
    EXPECT_EQ(revert->count(), 5);

    typeInto(channel, "12");
    ASSERT_EQ(host.dialogs.messages.size(), 1u);
    EXPECT_EQ(host.dialogs.messages[0], languageText(host, 799));
    EXPECT_EQ(host.image.main()[feature::kScanPriorityChannel], 0xFF);
    EXPECT_TRUE(channel->isAncestorOf(QApplication::focusWidget()) || channel == QApplication::focusWidget());
    typeInto(channel, "3");
    EXPECT_EQ(host.image.main()[feature::kScanPriorityChannel], 3);

    typeInto(view->control(scan::kItemLookBackA), "7");
    EXPECT_EQ(host.image.main()[feature::kScanLookBackA], 50);
    EXPECT_EQ(shownIn(view->control(scan::kItemLookBackA)), "5.0");

    // A channel programmed while the form is open joins the list on the refresh.
    ChannelStore(host.image).create(4);
    host.refreshAllForms();
    EXPECT_GE(static_cast<QComboBox*>(channel)->findText("5"), 0);

    priority->setFocus();
    QTest::keyClick(priority, Qt::Key_Down); // the other mode
    EXPECT_EQ(host.image.main()[feature::kScanPriority], 0x31);
    EXPECT_FALSE(channel->isEnabled());
    EXPECT_TRUE(view->control(scan::kItemLookBackA)->isEnabled());
    EXPECT_EQ(revert->count(), 3);
    EXPECT_EQ(revert->findText(QString::fromStdString(languageText(host, 866))), -1);
}

TEST(SpecialViewTest, PhaseHangTimeAndTuningCells)
{
    FormTestHost host(0x0600);
    host.image.main()[feature::kQtReverseBurstPhase] = 0xFF;
    host.openForm(kAdvancedSettingsCommand);
    auto* view = static_cast<CSpecialView*>(host.form(kAdvancedSettingsCommand));
    ASSERT_NE(view, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowActive(view));

    auto* phase = static_cast<CSpinEdit*>(view->control(special::kItemPhase));
    EXPECT_EQ(shownIn(phase), "180");
    phase->setFocus();
    QTest::keyClick(phase, Qt::Key_Up);
    EXPECT_EQ(host.image.main()[feature::kQtReverseBurstPhase], 181);
    EXPECT_EQ(shownIn(phase), "181");

    typeInto(view->control(special::kItemHangTime), "0.5");
    EXPECT_EQ(getU16(host.image.main(), feature::kRepeatHangTime), 0);
    EXPECT_EQ(shownIn(view->control(special::kItemHangTime)).toStdString(), languageText(host, 854));

    view->pages()->setCurrentIndex(1);
    CGridView* grid = view->tuningGrid();
    grid->setFocus();
    grid->setCurrentCell(0, 0);
    QTest::keyClicks(grid, "300");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(getU32(host.image.main(), feature::kTuningPoints), 450000000u);
    EXPECT_EQ(getU32(host.image.main(), feature::kTuningPoints + 4), 450000000u);
    ASSERT_FALSE(host.dialogs.messages.empty());
    EXPECT_EQ(host.dialogs.messages.back(), languageText(host, 786));
    EXPECT_EQ(grid->gridModel()->cellText(0, 0), "450.000000");

    // A point without its first frequency is entered from the first column.
    grid->setCurrentCell(4, 1);
    QTest::keyClick(grid, Qt::Key_Return);
    ASSERT_TRUE(grid->isEditing());
    EXPECT_EQ(grid->currentIndex().column(), 0);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
}

TEST(SpecialViewTest, TuningGridOpensNoShortcutMenuButItsArrowsMove)
{
    FormTestHost host(0x0600);
    host.openForm(kAdvancedSettingsCommand);
    auto* view = static_cast<CSpecialView*>(host.form(kAdvancedSettingsCommand));
    ASSERT_NE(view, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowActive(view));
    view->pages()->setCurrentIndex(1);
    CGridView* grid = view->tuningGrid();
    grid->setFocus();
    grid->setCurrentCell(0, 0);

    // A menu that did open is closed again, so that the test ends either way.
    bool menuSeen = false;
    QTimer::singleShot(300, [&menuSeen] {
        if (QWidget* popup = QApplication::activePopupWidget()) {
            menuSeen = true;
            popup->close();
        }
    });
    QTest::keyClick(grid, Qt::Key_Menu);
    QTest::qWait(400);
    EXPECT_FALSE(menuSeen);

    // Every point stays reachable from the keyboard.
    QTest::keyClick(grid, Qt::Key_Down);
    EXPECT_EQ(grid->currentIndex().row(), 1);

    // The table has no whole-row commands: Delete clears the cell through its editor, also
    // after Shift+Down.
    QTest::keyClick(grid, Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyClick(grid, Qt::Key_Delete);
    EXPECT_TRUE(grid->isEditing());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
}

TEST(SpecialViewTest, CtrlTabTurnsThePagesInsteadOfCyclingTheWindows)
{
    FormTestHost host;
    QMdiArea area;
    area.resize(900, 600);
    auto* other = area.addSubWindow(new QLineEdit);
    auto* view = static_cast<CSpecialView*>(CSpecialView::create(host.context, nullptr));
    QMdiSubWindow* frame = view->createFrame({});
    ASSERT_NE(frame, nullptr);
    area.addSubWindow(frame);
    area.show();
    other->show();
    frame->show();
    area.setActiveSubWindow(frame);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&area));
    view->control(special::kItemPhase)->setFocus();
    QApplication::processEvents();

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(view->pages()->currentIndex(), 1);
    EXPECT_EQ(area.activeSubWindow(), frame);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(view->pages()->currentIndex(), 0);
    EXPECT_EQ(area.activeSubWindow(), frame);

    // Outside the frame the main window's cycling is left alone.
    area.setActiveSubWindow(other);
    other->widget()->setFocus();
    QTest::keyClick(other->widget(), Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(view->pages()->currentIndex(), 0);
}
