// The encode/decode table in the main window: Ctrl+Tab inside it turns its pages, elsewhere it
// cycles the windows; an Open that replaces the image empties the tables' copy buffers.
#include "ShellRig.h"
#include "app/ShellCommands.h"
#include "forms/common/CGridView.h"
#include "forms/fields/RecordRows.h"
#include "forms/signalling/CDtmfEncDecView.h"
#include "forms/signalling/EncDecFields.h"
#include "model/DataFile.h"
#include "model/DefaultBuilder.h"
#include "model/ModelBlock.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>

using namespace rps;
using rps::test::ShellRig;

TEST(EncDecPageKeys, CtrlTabTurnsThePagesInsideTheFormAndCyclesTheWindowsElsewhere)
{
    ShellRig rig;
    rig.formLookup = nullptr; // the application's own forms
    ASSERT_TRUE(rig.start());
    CMainFrame& frame = rig.frame();
    ASSERT_TRUE(rig.showActive());
    ASSERT_TRUE(frame.commandAction(kEncodeDecodeCommand)->isEnabled());
    rig.trigger(kEncodeDecodeCommand);
    auto* view = qobject_cast<CDtmfEncDecView*>(frame.openedForm(kEncodeDecodeCommand));
    ASSERT_NE(view, nullptr);
    QMdiSubWindow* table = frame.mdiArea()->activeSubWindow();
    ASSERT_TRUE(table != nullptr && table->isAncestorOf(view));
    auto* pages = view->findChild<QTabWidget*>();
    ASSERT_NE(pages, nullptr);

    view->encodeGrid()->setFocus();
    QApplication::processEvents();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ControlModifier);
    QApplication::processEvents();
    EXPECT_EQ(pages->currentIndex(), 1);
    EXPECT_EQ(frame.mdiArea()->activeSubWindow(), table);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    QApplication::processEvents();
    EXPECT_EQ(pages->currentIndex(), 0);

    // In the channel information window Ctrl+Tab moves to another window.
    QMdiSubWindow* other = nullptr;
    for (QMdiSubWindow* window : frame.mdiArea()->subWindowList()) {
        if (window != table)
            other = window;
    }
    ASSERT_NE(other, nullptr);
    frame.mdiArea()->setActiveSubWindow(other);
    QApplication::processEvents();
    QWidget* inOther = QApplication::focusWidget() != nullptr ? QApplication::focusWidget() : other->widget();
    QTest::keyClick(inOther, Qt::Key_Tab, Qt::ControlModifier);
    QTest::keyRelease(QApplication::focusWidget() ? QApplication::focusWidget() : &frame, Qt::Key_Control);
    QApplication::processEvents();
    EXPECT_NE(frame.mdiArea()->activeSubWindow(), other);
    EXPECT_EQ(pages->currentIndex(), 0);
}

TEST(EncDecPageKeys, AnOpenedFileEmptiesTheCodeCopyBuffers)
{
    ShellRig rig;
    ASSERT_TRUE(rig.start());
    ConfigImage image;
    image.clear();
    writeModelBlock(image.main(), readModelBlock(rig.image().main()));
    newImage(image, InstallationId{});
    const std::string path = rig.folder.file("codes.dat");
    ASSERT_EQ(saveImage(path, image, SaveOptions{}).code, kSaveOk);

    const auto session = signalling::openEncDecFields(rig.image(), {});
    fields::runRecordCommand(session->engine(), signalling::encodeGridShape(), fields::RecordCommand::Copy, 0,
                             0);
    ASSERT_FALSE(fields::recordClipboard(signalling::encodeGridShape()).isEmpty());
    rig.dialogs.answers = {MessageAnswer::No};
    rig.dialogs.openFiles = {path};
    rig.trigger(cmd::kOpen);
    EXPECT_TRUE(fields::recordClipboard(signalling::encodeGridShape()).isEmpty());
}
