// Keys in the forms inside the main window: Ctrl+S with the caret in a time-out field that
// shows off saves off and leaves it off; Esc closes the key assignment and function port
// windows from their grids and buttons.
#include "ShellRig.h"
#include "forms/common/CFieldForm.h"
#include "forms/common/CGridView.h"
#include "forms/feature/CFeatureView.h"
#include "forms/feature/CFuncPortView.h"
#include "forms/feature/CKeyView.h"
#include "forms/feature/FeatureFields.h"
#include "model/ByteOrder.h"
#include "model/FeatureMap.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>

using namespace rps;
using namespace rps::feature;
using rps::test::ShellRig;

namespace {

void press(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier)
{
    QTest::keyClick(QApplication::focusWidget(), key, mods);
    QApplication::processEvents();
}

} // namespace

TEST(FormEditKeys, CtrlSInATimeOutFieldShowingOffKeepsItOff)
{
    ShellRig rig;
    rig.formLookup = nullptr; // the application's own forms
    ASSERT_TRUE(rig.start());
    ASSERT_TRUE(rig.showActive());
    rig.trigger(kOptionalFeaturesCommand);
    auto* features = qobject_cast<CFeatureView*>(rig.frame().openedForm(kOptionalFeaturesCommand));
    ASSERT_NE(features, nullptr);
    const QString off = QString::fromStdString(rig.text(feature::kFeatureOffText));
    auto tabs = features->findChild<QTabWidget*>();
    ASSERT_NE(tabs, nullptr);

    struct Timer {
        int page;
        int item;
        std::size_t offset;
    };
    for (const Timer timer :
         {Timer{0, feature::kItemTot, kRepeaterTot}, Timer{1, feature::kItemLocalMicTot, kLocalMicTot}}) {
        tabs->setCurrentIndex(timer.page);
        QLineEdit* line = CFieldForm::lineOf(features->control(timer.item));
        line->setFocus();
        QApplication::processEvents();
        press(Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(line, "0");
        press(Qt::Key_Tab);
        ASSERT_EQ(rig.image().main()[timer.offset], 0) << timer.item;
        ASSERT_EQ(line->text(), off);

        press(Qt::Key_Tab, Qt::ShiftModifier);
        ASSERT_TRUE(line->hasFocus());
        press(Qt::Key_S, Qt::ControlModifier);
        press(Qt::Key_Tab);
        EXPECT_EQ(getU16(rig.image().main(), timer.offset) & (timer.page == 0 ? 0xFF : 0xFFFF), 0)
            << timer.item;
        EXPECT_EQ(line->text(), off);
        EXPECT_FALSE(features->control(timer.item + 1)->isEnabled()); // its pre-alert stays off too
    }
}

TEST(FormEditKeys, EscClosesTheKeyAndPortWindows)
{
    ShellRig rig;
    rig.formLookup = nullptr;
    ASSERT_TRUE(rig.start());
    ASSERT_TRUE(rig.showActive());
    CMainFrame& frame = rig.frame();

    frame.runCommand(CKeyView::kCommand);
    auto* keys = qobject_cast<CKeyView*>(frame.openedForm(CKeyView::kCommand));
    ASSERT_NE(keys, nullptr);
    keys->grid()->setFocus();
    press(Qt::Key_Escape);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(frame.openedForm(CKeyView::kCommand), nullptr);

    frame.runCommand(CFuncPortView::kCommand);
    auto* ports = qobject_cast<CFuncPortView*>(frame.openedForm(CFuncPortView::kCommand));
    ASSERT_NE(ports, nullptr);
    ports->findChild<QPushButton*>("close")->setFocus();
    press(Qt::Key_Escape);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(frame.openedForm(CFuncPortView::kCommand), nullptr);
}
