// Edit > Undo and Redo over the working image: edits in two forms and a grid paste undone and
// redone with the keys, a field being typed keeping Ctrl+Z for its own text, and the history
// gone with the image it was made on.
#include "ShellRig.h"
#include "forms/GridDriver.h"

#include "app/ImageUndoStack.h"
#include "app/ShellCommands.h"
#include "forms/channel/CChInfoView.h"
#include "forms/channel/ChannelClipboard.h"
#include "forms/common/CChildFrame.h"
#include "forms/common/CDeclaredFormView.h"
#include "forms/common/CFieldForm.h"
#include "forms/common/CGridView.h"
#include "forms/feature/CFeatureView.h"
#include "forms/feature/FeatureFields.h"
#include "forms/feature/ScanFields.h"
#include "model/DataFile.h"
#include "model/FeatureMap.h"
#include "model/ImageMap.h"
#include "service/CMemMapDialog.h"
#include "service/CMemMapModel.h"

#include <QAction>
#include <QEventLoop>
#include <QLineEdit>
#include <QMessageBox>
#include <QMdiArea>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

namespace rps::test {
namespace {

// Runs the event loop until it waits for more events, as it does after every user action
// (QTest::qWait only polls).
void settle()
{
    QEventLoop loop;
    QTimer::singleShot(20, &loop, &QEventLoop::quit);
    loop.exec();
}

class UndoRedo : public ::testing::Test {
protected:
    void SetUp() override
    {
        channelClipboard().clear();
        rig.formLookup = nullptr; // the application's own forms
        ASSERT_TRUE(rig.start());
        ASSERT_TRUE(rig.showActive());
        settle();
    }
    void TearDown() override { channelClipboard().clear(); }

    template <typename View> View* open(int command)
    {
        rig.trigger(command);
        auto* view = qobject_cast<View*>(rig.frame().openedForm(command));
        EXPECT_NE(view, nullptr) << command;
        return view;
    }
    // Types a text into a field of a declared form and leaves it with Tab.
    QLineEdit* typeInto(CFieldFormView* view, int item, const QString& text)
    {
        QLineEdit* line = CFieldForm::lineOf(view->control(item));
        EXPECT_NE(line, nullptr) << item;
        rig.frame().mdiArea()->setActiveSubWindow(CChildFrame::of(view));
        line->setFocus();
        QApplication::processEvents();
        press(Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(line, text);
        press(Qt::Key_Tab);
        settle();
        return line;
    }
    QAction* action(int command) { return rig.frame().commandAction(command); }

    ShellRig rig;
};

TEST_F(UndoRedo, EditsInTwoFormsAndAGridPasteGoBackAndForwardOneStepEach)
{
    const ImageAreas start = rig.image().working();
    EXPECT_FALSE(action(cmd::kUndo)->isEnabled());
    EXPECT_FALSE(action(cmd::kRedo)->isEnabled());

    auto* channels = open<CChInfoView>(kChannelInformationCommand);
    ASSERT_NE(channels, nullptr);
    CGridView* grid = channels->grid();
    typeIn(grid, 0, 0, "150");
    settle();
    const QString first = cellOf(grid, 0, 0);
    ASSERT_FALSE(first.isEmpty());
    const ImageAreas afterChannel = rig.image().working();

    auto* features = open<CFeatureView>(kOptionalFeaturesCommand);
    ASSERT_NE(features, nullptr);
    features->findChild<QTabWidget*>()->setCurrentIndex(0);
    QLineEdit* tot = typeInto(features, feature::kItemTot, "10");
    ASSERT_EQ(rig.image().main()[feature::kRepeaterTot], 20);
    const QString totShown = tot->text();
    const ImageAreas afterFeatures = rig.image().working();

    auto* scan = open<CDeclaredFormView>(kScanInformationCommand);
    ASSERT_NE(scan, nullptr);
    QLineEdit* dwell = typeInto(scan, scan::kItemDwell, "2");
    ASSERT_EQ(rig.image().main()[feature::kScanDwell], 20);
    const QString dwellShown = dwell->text();
    const ImageAreas afterScan = rig.image().working();

    open<CChInfoView>(kChannelInformationCommand);
    grid->setFocus();
    grid->setCurrentCell(0, 0);
    ASSERT_TRUE(cellOf(grid, 5, 0).isEmpty());
    press(Qt::Key_C, Qt::ControlModifier);
    grid->setCurrentCell(5, 0);
    press(Qt::Key_V, Qt::ControlModifier);
    settle();
    ASSERT_EQ(cellOf(grid, 5, 0), first);
    const ImageAreas afterPaste = rig.image().working();
    ASSERT_TRUE(action(cmd::kUndo)->isEnabled());

    // Undo with the keys, the grid keeping the focus; every open form shows the image undone.
    press(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(rig.image().working(), afterScan);
    EXPECT_TRUE(cellOf(grid, 5, 0).isEmpty());
    EXPECT_TRUE(action(cmd::kRedo)->isEnabled());
    press(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(rig.image().working(), afterFeatures);
    EXPECT_NE(dwell->text(), dwellShown);
    press(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(rig.image().working(), afterChannel);
    EXPECT_NE(tot->text(), totShown);
    press(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(rig.image().working(), start);
    EXPECT_TRUE(cellOf(grid, 0, 0).isEmpty());
    EXPECT_FALSE(action(cmd::kUndo)->isEnabled());
    EXPECT_FALSE(rig.image().isModified()); // back at the baseline

    // Both redo keys, then the menu entry.
    press(Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(rig.image().working(), afterChannel);
    EXPECT_EQ(cellOf(grid, 0, 0), first);
    press(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(rig.image().working(), afterFeatures);
    EXPECT_EQ(tot->text(), totShown);
    action(cmd::kRedo)->trigger();
    EXPECT_EQ(rig.image().working(), afterScan);
    EXPECT_EQ(dwell->text(), dwellShown);
    action(cmd::kRedo)->trigger();
    EXPECT_EQ(rig.image().working(), afterPaste);
    EXPECT_EQ(cellOf(grid, 5, 0), first);
    EXPECT_FALSE(action(cmd::kRedo)->isEnabled());
    EXPECT_TRUE(rig.image().isModified());
}

TEST_F(UndoRedo, CtrlZInAFieldBeingTypedUndoesOnlyItsText)
{
    auto* features = open<CFeatureView>(kOptionalFeaturesCommand);
    ASSERT_NE(features, nullptr);
    features->findChild<QTabWidget*>()->setCurrentIndex(0);
    const uint8_t before = rig.image().main()[feature::kRepeaterTot];
    QLineEdit* tot = typeInto(features, feature::kItemTot, "10");
    const QString stored = tot->text();
    const ImageAreas edited = rig.image().working();

    // Typed, not left: Ctrl+Z takes back the typing and leaves the image and its history.
    tot->setFocus();
    QApplication::processEvents();
    press(Qt::Key_End);
    QTest::keyClicks(tot, "5");
    ASSERT_NE(tot->text(), stored);
    press(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(tot->text(), stored);
    EXPECT_EQ(rig.image().working(), edited);
    EXPECT_EQ(rig.frame().undoStack().steps(), 1);
    EXPECT_TRUE(tot->hasFocus());

    // Nothing typed any more: the next Ctrl+Z in the same field undoes the stored edit.
    press(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(rig.image().main()[feature::kRepeaterTot], before);
    EXPECT_NE(tot->text(), stored);
}

TEST_F(UndoRedo, AMemoryMapEditIsOneStepAndTheChecksumTheViewerRecomputesIsNone)
{
    std::span<uint8_t> main = rig.image().main();
    const uint8_t before = main[0x2000];
    main[kChecksumOffset] ^= 0x5A; // left stale by an edit; a stamp alone is no step
    settle();
    ASSERT_EQ(rig.frame().undoStack().steps(), 0);

    // The user edits a byte a while after the viewer opened, then closes it.
    QTimer::singleShot(50, [] {
        auto* viewer = qobject_cast<CMemMapDialog*>(QApplication::activeModalWidget());
        if (viewer == nullptr)
            return;
        viewer->model()->setData(viewer->model()->hexIndex(0x2000), "3C", Qt::EditRole);
        QTimer::singleShot(50, viewer, [viewer] { viewer->accept(); });
    });
    rig.trigger(cmd::kMemoryMap);
    settle();
    ASSERT_EQ(main[0x2000], 0x3C);
    const std::vector<uint8_t> checksum(main.begin() + kChecksumOffset, main.begin() + kChecksumOffset + 2);
    EXPECT_EQ(rig.frame().undoStack().steps(), 1);

    QTest::keyClick(&rig.frame(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(main[0x2000], before);
    EXPECT_EQ(std::vector<uint8_t>(main.begin() + kChecksumOffset, main.begin() + kChecksumOffset + 2),
              checksum);
}

TEST_F(UndoRedo, AChangeThatAsksAQuestionHalfWayIsOneStep)
{
    std::span<uint8_t> main = rig.image().main();
    const uint8_t first = main[0x2000];
    const uint8_t second = main[0x2001];
    // A store changes a byte, asks (the event loop waits for the answer), then changes another.
    QTimer::singleShot(0, [&main] {
        main[0x2000] ^= 0x11;
        QMessageBox box(QMessageBox::Question, "RPS-360T", "Go on?", QMessageBox::Yes | QMessageBox::No);
        QTimer::singleShot(100, &box, [&box] { box.done(QMessageBox::Yes); });
        box.exec();
        main[0x2001] ^= 0x22;
    });
    settle();
    settle();
    ASSERT_EQ(main[0x2001], second ^ 0x22);
    EXPECT_EQ(rig.frame().undoStack().steps(), 1);

    ASSERT_TRUE(rig.showActive()); // the box had the focus
    QTest::keyClick(&rig.frame(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(main[0x2000], first);
    EXPECT_EQ(main[0x2001], second);
}

TEST_F(UndoRedo, OpenAndNewStartWithoutHistory)
{
    ConfigImage other;
    other.working() = rig.image().working();
    const std::string path = rig.folder.file("site.dat");
    ASSERT_EQ(saveImage(path, other, SaveOptions{}).code, kSaveOk);

    const uint8_t dwell = rig.image().main()[feature::kScanDwell];
    rig.image().main()[feature::kScanDwell] = static_cast<uint8_t>(dwell + 5); // as a form stores it
    settle();
    ASSERT_TRUE(action(cmd::kUndo)->isEnabled());
    rig.dialogs.answers = {MessageAnswer::No}; // do not save the change
    rig.dialogs.openFiles.push_back(path);
    rig.trigger(cmd::kOpen);
    settle();
    EXPECT_EQ(rig.image().main()[feature::kScanDwell], dwell);
    EXPECT_FALSE(action(cmd::kUndo)->isEnabled());
    EXPECT_EQ(rig.frame().undoStack().steps(), 0);
    press(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(rig.image().working(), rig.image().baseline());

    rig.image().aux()[0x10] ^= 0x01;
    settle();
    ASSERT_TRUE(action(cmd::kUndo)->isEnabled());
    rig.dialogs.answers = {MessageAnswer::Ok, MessageAnswer::No};
    rig.trigger(cmd::kNew);
    settle();
    EXPECT_EQ(rig.frame().undoStack().steps(), 0);
}

} // namespace
} // namespace rps::test
