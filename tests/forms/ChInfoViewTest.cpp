#include "FormTestHost.h"
#include "forms/channel/CChInfoView.h"
#include "forms/channel/CChannelGridModel.h"
#include "forms/channel/ChannelClipboard.h"
#include "forms/channel/ChannelFormSupport.h"
#include "forms/common/CGridView.h"
#include "model/ByteOrder.h"
#include "model/ModelBlock.h"
#include "model/records/ChannelLayout.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

using namespace rps;
using rps::test::FormTestHost;

namespace {

class ChInfoViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        host.openForm(kChannelInformationCommand);
        view = static_cast<CChInfoView*>(host.form(kChannelInformationCommand));
        ASSERT_NE(view, nullptr);
        view->resize(1100, 700);
        ASSERT_TRUE(QTest::qWaitForWindowActive(view));
        view->grid()->setFocus();
    }
    // Each key goes to whatever has the focus then: the first one may open an editor.
    void type(const char* keys)
    {
        for (const char* key = keys; *key; ++key) {
            QTest::keyClicks(QApplication::focusWidget(), QString(QChar(*key)));
            QApplication::processEvents();
        }
    }
    void press(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        QTest::keyClick(QApplication::focusWidget(), key, mods);
        QApplication::processEvents();
    }
    QString cell(int row, int column) const
    {
        return view->grid()->model()->index(row, column).data().toString();
    }
    ChannelEditor editor() { return makeChannelEditor(host.context); }

    FormTestHost host;
    CChInfoView* view = nullptr;
};

} // namespace

TEST_F(ChInfoViewTest, ModelPassesTheItemModelTester)
{
    editor().setFrequency(0, false, "150", false);
    CChannelGridModel model(host.context);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    EXPECT_EQ(model.index(0, 0).data().toString(), "150.000000");
}

TEST_F(ChInfoViewTest, TypingInAnEmptyRowOpensTheReceiveFrequency)
{
    view->grid()->setCurrentCell(4, 5);
    type("152.5");
    ASSERT_TRUE(view->grid()->isEditing());
    press(Qt::Key_Return);
    EXPECT_EQ(cell(4, 0), "152.500000");
    EXPECT_EQ(cell(4, 8), " 5");  // the new channel's name, right-justified
    EXPECT_EQ(cell(4, 4), "---"); // a new channel is NXDN: no QT/DQT
    EXPECT_EQ(view->grid()->currentIndex(), view->grid()->model()->index(4, 1));
    EXPECT_TRUE(view->freeSpaceText().contains(" = 3712 "));
    EXPECT_GT(host.refreshes, 0);
}

TEST_F(ChInfoViewTest, OutOfBandFrequencyWarnsAndStoresTheBandEdge)
{
    view->grid()->setCurrentCell(0, 0);
    type("300");
    press(Qt::Key_Return);
    ASSERT_EQ(host.dialogs.messages.size(), 1u);
    EXPECT_EQ(host.dialogs.messages[0], host.texts.text(786));
    EXPECT_EQ(cell(0, 0), "174.000000");
}

TEST_F(ChInfoViewTest, DisabledCodeCellsRedirectToTheChannelType)
{
    editor().setFrequency(2, false, "150", false);
    view->refreshFromImage();
    view->grid()->setCurrentCell(2, 4); // QT/DQT decode of an NXDN channel
    press(Qt::Key_Return);
    EXPECT_TRUE(view->grid()->isEditing());
    EXPECT_EQ(view->grid()->currentIndex().column(), 2);
    press(Qt::Key_Escape);
    view->grid()->setCurrentCell(2, 5); // QT/DQT encode without a transmitter
    press(Qt::Key_Return);
    EXPECT_EQ(view->grid()->currentIndex().column(), 1);
}

TEST_F(ChInfoViewTest, ClearingTheReceiveFrequencyDeletesAndMovesDown)
{
    editor().setFrequency(0, false, "150", false);
    editor().setFrequency(1, false, "151", false);
    view->refreshFromImage();
    view->grid()->setCurrentCell(0, 0);
    press(Qt::Key_Delete);
    press(Qt::Key_Return);
    EXPECT_FALSE(editor().store().isProgrammed(0));
    EXPECT_EQ(cell(0, 0), "");
    EXPECT_EQ(view->grid()->currentIndex().row(), 1);
}

TEST_F(ChInfoViewTest, RowCommandsCopyPasteAndDeleteWholeChannels)
{
    channelClipboard().clear();
    editor().setFrequency(0, false, "150", false);
    editor().setFrequency(1, false, "151", false);
    view->refreshFromImage();
    view->grid()->setCurrentCell(0, 3);
    press(Qt::Key_Down, Qt::ShiftModifier);
    press(Qt::Key_C, Qt::ControlModifier);
    view->grid()->setCurrentCell(28, 0);
    press(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(cell(28, 0), "150.000000");
    EXPECT_EQ(cell(29, 0), "151.000000");
    EXPECT_EQ(editor().store().programmedCount(), 4);

    view->grid()->setCurrentCell(0, 0);
    press(Qt::Key_Down, Qt::ShiftModifier);
    press(Qt::Key_Delete);
    EXPECT_EQ(cell(0, 0), "");
    EXPECT_EQ(cell(1, 0), "");
    EXPECT_EQ(editor().store().programmedCount(), 2);
    channelClipboard().clear();
}

TEST_F(ChInfoViewTest, APasteOfChannelsCopiedUnderAnotherModelSaysItCannotBeCompleted)
{
    channelClipboard().clear();
    editor().setFrequency(0, false, "150", false);
    view->refreshFromImage();
    view->grid()->setCurrentCell(0, 0);
    press(Qt::Key_C, Qt::ControlModifier);
    ModelBlock block = readModelBlock(host.image.main());
    block.setModelCode(static_cast<uint16_t>(block.modelCode() + 1));
    writeModelBlock(host.image.main(), block);

    view->grid()->setCurrentCell(5, 0);
    press(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(cell(5, 0), "");
    ASSERT_EQ(host.dialogs.messages.size(), 1u);
    EXPECT_EQ(host.dialogs.messages[0], host.texts.text(kMessagePasteFailed));
    channelClipboard().clear();
}

TEST_F(ChInfoViewTest, TitleAndHostFollowTheCurrentRow)
{
    view->grid()->setCurrentCell(6, 0);
    EXPECT_TRUE(view->formTitle().endsWith("[ " + QString::fromStdString(host.texts.text(868)) + " - 7 ]"));
    EXPECT_EQ(host.currentChannel(), 6);
    host.setCurrentChannel(11);
    EXPECT_EQ(view->currentChannel(), 11);
    press(Qt::Key_F11);
    EXPECT_EQ(host.opened.back(), kChannelEditCommand);
}

TEST_F(ChInfoViewTest, MemoryMapKeysAskTheHostForTheChannelRecordOnlyWithTheOption)
{
    view->grid()->setCurrentCell(4, 0);
    press(Qt::Key_F12);
    EXPECT_TRUE(host.channelRecordsShown.empty());
    host.options.memoryMap = true;
    press(Qt::Key_F12);
    press(Qt::Key_F11, Qt::ShiftModifier);
    EXPECT_EQ(host.channelRecordsShown, (std::vector<int>{4, 4}));
}

TEST_F(ChInfoViewTest, AnOffCodeCellKeepsItsOffEntryWhenCommittedOrChosen)
{
    // The RAN editor takes two digits, yet its list offers the longer "off" entry.
    editor().setFrequency(3, false, "150", false);
    editor().setFrequency(3, true, "155", false);
    view->refreshFromImage();
    ASSERT_EQ(cell(3, 6), QString::fromStdString(host.texts.text(849)));

    view->grid()->setCurrentCell(3, 6);
    press(Qt::Key_Return);
    ASSERT_TRUE(view->grid()->isEditing());
    press(Qt::Key_Return); // unchanged: stays off
    EXPECT_EQ(getU16(editor().store().record(3), ChannelField::kRanDecode), 0xFFFF);

    editor().setRan(3, true, "9", false);
    view->refreshFromImage();
    view->grid()->setCurrentCell(3, 7);
    press(Qt::Key_Return);
    auto* combo = qobject_cast<QComboBox*>(view->grid()->indexWidget(view->grid()->currentIndex()));
    ASSERT_NE(combo, nullptr);
    combo->setCurrentIndex(0); // the "off" entry
    press(Qt::Key_Return);
    EXPECT_EQ(getU16(editor().store().record(3), ChannelField::kRanEncode), 0xFFFF);
}

TEST_F(ChInfoViewTest, ANameNobodyTypedStaysAsStored)
{
    editor().setFrequency(1, false, "150", false);
    editor().setFrequency(2, false, "151", false);
    setU16(editor().store().record(1), ChannelField::kName, 0x4450); // "PD": the filter shows D as d
    setU16(editor().store().record(2), ChannelField::kName, 0x784B); // "Kx": the filter types neither
    view->refreshFromImage();
    for (int row : {1, 2}) {
        const uint16_t stored = getU16(editor().store().record(row), ChannelField::kName);
        const QString shown = cell(row, 8);
        view->grid()->setFocus();
        view->grid()->setCurrentCell(row, 8);
        press(Qt::Key_F2);
        ASSERT_TRUE(view->grid()->isEditing());
        EXPECT_EQ(qobject_cast<QLineEdit*>(QApplication::focusWidget())->text(), shown);
        press(Qt::Key_Return);
        EXPECT_EQ(getU16(editor().store().record(row), ChannelField::kName), stored);

        view->grid()->setCurrentCell(row, 8);
        press(Qt::Key_F2);
        ASSERT_TRUE(view->grid()->isEditing());
        QTest::mouseClick(view->grid()->viewport(), Qt::LeftButton, {},
                          view->grid()->visualRect(view->grid()->model()->index(row, 0)).center());
        QApplication::processEvents();
        EXPECT_FALSE(view->grid()->isEditing());
        EXPECT_EQ(getU16(editor().store().record(row), ChannelField::kName), stored);
        EXPECT_EQ(cell(row, 8), shown);
    }
}
