#include "FormTestHost.h"
#include "forms/channel/CBeatShiftView.h"
#include "forms/channel/CChEditView.h"
#include "forms/channel/CChInfoView.h"
#include "forms/channel/ChannelFormSupport.h"
#include "forms/common/CGridView.h"
#include "forms/common/CSpinEdit.h"
#include "model/ByteOrder.h"
#include "model/records/ChannelLayout.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace rps;
using rps::test::FormTestHost;

namespace {

class ChEditViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        host.openForm(kChannelEditCommand);
        view = static_cast<CChEditView*>(host.form(kChannelEditCommand));
        ASSERT_NE(view, nullptr);
        ASSERT_TRUE(QTest::qWaitForWindowActive(view));
    }
    ChannelEditor editor() { return makeChannelEditor(host.context); }
    QString channelText() const
    {
        return static_cast<CSpinEdit*>(view->control(kItemChannel))->findChild<QLineEdit*>()->text();
    }
    void typeInto(int item, const char* text)
    {
        QWidget* control = view->control(item);
        control->setFocus();
        QWidget* target =
            qobject_cast<QComboBox*>(control) ? static_cast<QComboBox*>(control)->lineEdit() : control;
        QTest::keyClick(target, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(target, Qt::Key_Delete);
        QTest::keyClicks(target, text);
        QTest::keyClick(target, Qt::Key_Tab);
        QApplication::processEvents();
    }

    FormTestHost host;
    CChEditView* view = nullptr;
};

} // namespace

TEST_F(ChEditViewTest, PageKeysStepThroughTheChannelsWithWrap)
{
    view->setChannel(29);
    QTest::keyClick(view->control(kItemRxFrequency), Qt::Key_PageUp);
    EXPECT_EQ(view->currentChannel(), 0);
    EXPECT_EQ(channelText(), "1");
    QTest::keyClick(view->control(kItemChannelType), Qt::Key_PageDown);
    EXPECT_EQ(view->currentChannel(), 29);
    EXPECT_EQ(channelText(), "30");
    EXPECT_EQ(host.currentChannel(), 29);
}

TEST_F(ChEditViewTest, AnEmptyChannelOffersOnlyTheChannelAndItsReceiveFrequency)
{
    for (int item = 0; item < kChannelItemCount; ++item) {
        if (item == kItemScramblerGroup || item == kItemEncryptionGroup)
            continue;
        EXPECT_EQ(view->control(item)->isEnabled(), item == kItemChannel || item == kItemRxFrequency) << item;
    }
    typeInto(kItemRxFrequency, "150");
    EXPECT_TRUE(editor().store().isProgrammed(0));
    EXPECT_TRUE(view->control(kItemTxFrequency)->isEnabled());
    EXPECT_EQ(static_cast<QLineEdit*>(view->control(kItemName))->text(), " 1"); // as the grid shows it
}

TEST_F(ChEditViewTest, TheNameIsShownAsStoredAndLeavingItUntypedStoresNothing)
{
    editor().setFrequency(0, false, "150", false);
    setU16(editor().store().record(0), ChannelField::kName, 0x4450); // "PD"
    view->refreshFromImage();
    auto* name = static_cast<QLineEdit*>(view->control(kItemName));
    EXPECT_EQ(name->text(), "PD");
    name->setFocus();
    QTest::keyClick(name, Qt::Key_Tab);
    QApplication::processEvents();
    EXPECT_EQ(getU16(editor().store().record(0), ChannelField::kName), 0x4450);
    EXPECT_EQ(name->text(), "PD");

    // What is typed passes the filter: a typed D shows as d.
    typeInto(kItemName, "D");
    EXPECT_EQ(name->text(), "d");
}

TEST_F(ChEditViewTest, NxdnTypeDisablesTheSquelchCodes)
{
    editor().setFrequency(0, false, "150", false);
    editor().setFrequency(0, true, "155", false);
    editor().setChoice(0, kItemChannelType, kTypeMixed);
    view->refreshFromImage();
    typeInto(kItemQtDecode, "88.5");
    EXPECT_EQ(static_cast<QComboBox*>(view->control(kItemQtEncode))->currentText(),
              "88.5"); // typed decode fills encode
    auto* type = static_cast<QComboBox*>(view->control(kItemChannelType));
    ASSERT_EQ(type->currentText(), QString::fromStdString(host.texts.text(924)));
    QTest::keyClick(type, Qt::Key_Up); // from Mixed to NXDN
    EXPECT_FALSE(view->control(kItemQtDecode)->isEnabled());
    EXPECT_FALSE(view->control(kItemQtEncode)->isEnabled());
    EXPECT_EQ(editor().value(0, kItemQtDecode), 0xFFFF);
    EXPECT_TRUE(view->control(kItemSpacingNxdn)->isEnabled());
}

TEST_F(ChEditViewTest, CwIdCheckEnablesItsButtonAndClearingTxUnchecksIt)
{
    editor().setFrequency(0, false, "150", false);
    editor().setFrequency(0, true, "155", false);
    view->refreshFromImage();
    auto* cwId = static_cast<QCheckBox*>(view->control(kItemCwId));
    EXPECT_FALSE(view->control(kItemCwIdButton)->isEnabled());
    QTest::mouseClick(cwId, Qt::LeftButton, {}, QPoint(5, cwId->height() / 2));
    EXPECT_TRUE(cwId->isChecked());
    // The button also needs its form: without the CW ID form in the catalogue it stays disabled.
    EXPECT_EQ(view->control(kItemCwIdButton)->isEnabled(), findForm(kCwIdCommand) != nullptr);
    typeInto(kItemTxFrequency, "");
    EXPECT_FALSE(cwId->isChecked());
    EXPECT_FALSE(cwId->isEnabled());
}

TEST_F(ChEditViewTest, FollowsTheGridBothWays)
{
    host.openForm(kChannelInformationCommand);
    auto* grid = static_cast<CChInfoView*>(host.form(kChannelInformationCommand));
    ASSERT_NE(grid, nullptr);
    view->setChannel(7);
    EXPECT_EQ(grid->currentChannel(), 7);
    grid->grid()->setCurrentCell(12, 0);
    EXPECT_EQ(view->currentChannel(), 12);
    EXPECT_EQ(channelText(), "13");
}

TEST(BeatShiftViewTest, OptionsFollowTheMasterSwitchAndKeepTheirBits)
{
    FormTestHost host;
    ChannelEditor editor = makeChannelEditor(host.context);
    editor.setFrequency(0, false, "150", false);
    editor.store().record(0)[ChannelField::kBeatShift] = 0xF3; // master off, options 2 and 3 on
    host.openForm(kBeatShiftCommand);
    auto* view = static_cast<CBeatShiftView*>(host.form(kBeatShiftCommand));
    ASSERT_NE(view, nullptr);
    auto* option1 = static_cast<QCheckBox*>(view->optionBox(1));
    auto* option3 = static_cast<QCheckBox*>(view->optionBox(3));
    EXPECT_FALSE(option1->isEnabled());
    EXPECT_TRUE(option3->isChecked());
    EXPECT_FALSE(option1->isChecked());

    editor.store().record(0)[ChannelField::kBeatShift] = 0xFE;
    view->refreshFromImage();
    ASSERT_TRUE(option3->isEnabled());
    QTest::mouseClick(option3, Qt::LeftButton, {}, QPoint(5, option3->height() / 2));
    EXPECT_EQ(editor.store().record(0)[ChannelField::kBeatShift], 0xF6);

    host.setCurrentChannel(4); // an empty channel: nothing to show
    EXPECT_FALSE(option3->isEnabled());
    EXPECT_FALSE(option3->isChecked());
    EXPECT_TRUE(view->formTitle().endsWith(" - 5 ]"));
}

TEST(ChannelFormsClosing, ClosingTheGridTakesTheChannelEditAndBeatShiftAlong)
{
    FormTestHost host;
    host.openForm(kChannelInformationCommand);
    host.openForm(kChannelEditCommand);
    host.openForm(kBeatShiftCommand);
    QTest::keyClick(host.form(kChannelEditCommand), Qt::Key_Escape);
    EXPECT_EQ(host.form(kChannelEditCommand), nullptr);
    EXPECT_EQ(host.form(kBeatShiftCommand), nullptr);
    host.openForm(kChannelEditCommand);
    host.closeForm(kChannelInformationCommand);
    EXPECT_EQ(host.form(kChannelEditCommand), nullptr);
}

TEST_F(ChEditViewTest, EnterWalksTheFormAndAChosenDecodeLeavesTheEncodeAlone)
{
    editor().setFrequency(0, false, "150", false);
    editor().setFrequency(0, true, "155", false);
    editor().setChoice(0, kItemChannelType, kTypeAnalog);
    view->refreshFromImage();
    view->control(kItemRxFrequency)->setFocus();
    QTest::keyClick(view->control(kItemRxFrequency), Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), view->control(kItemTxFrequency));

    auto* decode = static_cast<QComboBox*>(view->control(kItemQtDecode));
    decode->setFocus();
    QTest::keyClick(decode, Qt::Key_Down); // from off to the first tone, chosen from the list
    EXPECT_EQ(editor().value(0, kItemQtDecode), 670);
    EXPECT_EQ(editor().value(0, kItemQtEncode), 0xFFFF);
}

TEST_F(ChEditViewTest, BeatShiftButtonOpensTheOptionsOfTheShownChannel)
{
    auto* button = view->findChild<QPushButton*>("beatShift");
    ASSERT_NE(button, nullptr);
    EXPECT_FALSE(button->isEnabled()); // channel 1 is empty
    editor().setFrequency(2, false, "150", false);
    view->setChannel(2);
    EXPECT_TRUE(button->isEnabled());
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(host.currentChannel(), 2);
    auto* beatShift = host.form(kBeatShiftCommand);
    ASSERT_NE(beatShift, nullptr);
    EXPECT_TRUE(beatShift->formTitle().endsWith("3 ]"));
}

TEST_F(ChEditViewTest, TabOrEnterAfterTheFirstReceiveFrequencyLandsOnTheTransmitFrequency)
{
    for (const Qt::Key key : {Qt::Key_Tab, Qt::Key_Return}) {
        SCOPED_TRACE(key == Qt::Key_Tab ? "Tab" : "Enter");
        editor().deleteChannel(0);
        view->refreshFromImage();
        auto* rx = static_cast<QLineEdit*>(view->control(kItemRxFrequency));
        rx->setFocus();
        QTest::keyClicks(rx, "150");
        QTest::keyClick(rx, key);
        QApplication::processEvents();
        EXPECT_TRUE(editor().store().isProgrammed(0));
        EXPECT_EQ(QApplication::focusWidget(), view->control(kItemTxFrequency));
    }
}

TEST_F(ChEditViewTest, EnterAfterATransmitFrequencyLandsOnTheChannelType)
{
    editor().setFrequency(0, false, "150", false);
    view->refreshFromImage();
    ASSERT_TRUE(view->control(kItemChannelType)->isEnabled());
    for (const auto& [key, typed] : {std::pair{Qt::Key_Return, "155"}, std::pair{Qt::Key_Tab, "156"}}) {
        auto* tx = static_cast<QLineEdit*>(view->control(kItemTxFrequency));
        tx->setFocus();
        tx->selectAll();
        QTest::keyClicks(tx, typed);
        QTest::keyClick(tx, key);
        QApplication::processEvents();
        EXPECT_EQ(QApplication::focusWidget(), view->control(kItemChannelType)) << typed;
    }
    // Shift+Tab stores the frequency and goes back to the receive frequency.
    auto* tx = static_cast<QLineEdit*>(view->control(kItemTxFrequency));
    tx->setFocus();
    tx->selectAll();
    QTest::keyClicks(tx, "157");
    QTest::keyClick(tx, Qt::Key_Backtab, Qt::ShiftModifier);
    QApplication::processEvents();
    EXPECT_EQ(tx->text(), "157.000000");
    EXPECT_EQ(QApplication::focusWidget(), view->control(kItemRxFrequency));
}
