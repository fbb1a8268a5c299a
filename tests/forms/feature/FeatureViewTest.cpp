// The optional features form with real widgets: opened through the catalogue, typed into,
// spun, ticked and reordered, with the image checked after each step.
#include "forms/FormTestHost.h"
#include "forms/GridDriver.h"
#include "forms/common/CGridView.h"
#include "forms/common/COrderList.h"
#include "forms/common/CSpinEdit.h"
#include "forms/feature/CDataPasswordDialog.h"
#include "forms/feature/CFeatureView.h"
#include "forms/feature/FeatureFields.h"
#include "model/ByteOrder.h"
#include "model/FeatureMap.h"
#include "model/ModelBlock.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>

using namespace rps;
using namespace rps::feature;
using rps::test::cellOf;
using rps::test::chooseIn;
using rps::test::dropDown;
using rps::test::FormTestHost;
using rps::test::press;
using rps::test::typeIn;

namespace {

class FeatureViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::span<uint8_t> main = host.image.main();
        main[kRepeaterTot] = 10;
        main[kRepeatHoldTimer] = 20;
        setU16(main, kCourtesyTonePeriod, 0);
        main[kPttPriority] = 0;
        main[kPttPriority + 1] = 2;
        main[kPttPriority + 2] = 3;
        setU16(main, kKeyFunctions, 0x3235);
        setU16(main, kKeyFunctions + kGroupStride, 0x3131);
        host.openForm(kOptionalFeaturesCommand);
        view = static_cast<CFeatureView*>(host.form(kOptionalFeaturesCommand));
        ASSERT_NE(view, nullptr);
        ASSERT_TRUE(QTest::qWaitForWindowActive(view));
    }
    QLineEdit* lineOf(int item) const { return CFieldForm::lineOf(view->control(item)); }
    QString text(int number) const { return QString::fromStdString(host.texts.text(number)); }
    static bool editable(CGridView* grid, int row, int column)
    {
        return grid->model()->index(row, column).flags().testFlag(Qt::ItemIsEditable);
    }
    void showPageOf(int item)
    {
        auto* tabs = view->findChild<QTabWidget*>();
        for (int page = 0; page < tabs->count(); ++page) {
            if (tabs->widget(page)->isAncestorOf(view->control(item)))
                tabs->setCurrentIndex(page);
        }
    }
    void typeInto(int item, const char* text)
    {
        showPageOf(item);
        QLineEdit* line = lineOf(item);
        line->setFocus();
        QTest::keyClick(line, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(line, Qt::Key_Delete);
        QTest::keyClicks(line, text);
        QTest::keyClick(line, Qt::Key_Tab);
        QApplication::processEvents();
    }
    std::span<uint8_t> main() { return host.image.main(); }

    FormTestHost host;
    CFeatureView* view = nullptr;
};

} // namespace

TEST_F(FeatureViewTest, OpensWithItsFourPages)
{
    auto* tabs = view->findChild<QTabWidget*>();
    ASSERT_NE(tabs, nullptr);
    EXPECT_EQ(tabs->count(), 4);
    EXPECT_EQ(tabs->tabText(0), QString::fromStdString(host.texts.text(kFeaturePageTexts[0])));
    EXPECT_EQ(lineOf(kItemTot)->text(), "5.0");
}

TEST_F(FeatureViewTest, TypedTotIsRoundedAndItsTimersFollowIt)
{
    typeInto(kItemTot, "7.3");
    EXPECT_EQ(main()[kRepeaterTot], 14);
    EXPECT_EQ(lineOf(kItemTot)->text(), "7.0");
    EXPECT_TRUE(view->control(2)->isEnabled());

    typeInto(kItemTot, "0");
    EXPECT_EQ(main()[kRepeaterTot], 0);
    EXPECT_EQ(lineOf(kItemTot)->text(), QString::fromStdString(host.texts.text(kFeatureOffText)));
    EXPECT_FALSE(view->control(2)->isEnabled());
    EXPECT_FALSE(view->control(4)->isEnabled());
}

TEST_F(FeatureViewTest, HoldTimerAtZeroTakesItsFunctionOffTheKeysAndRefreshesTheForms)
{
    const int refreshes = host.refreshes;
    typeInto(kItemRepeatHoldTimer, "0.0");
    EXPECT_EQ(main()[kRepeatHoldTimer], 0);
    EXPECT_EQ(getU16(main(), kKeyFunctions), 0x2020);
    EXPECT_EQ(getU16(main(), kKeyFunctions + kGroupStride), 0x3131);
    EXPECT_GT(host.refreshes, refreshes);
}

TEST_F(FeatureViewTest, SpinButtonsOfTheSignalDetectStepInDbm)
{
    setU16(main(), kRxSignalDetect, 1000);
    view->refreshFromImage();
    auto* spin = static_cast<CSpinEdit*>(view->control(kItemRxSignalDetect));
    spin->stepBy(1);
    QApplication::processEvents();
    EXPECT_EQ(getU16(main(), kRxSignalDetect), 990);
    EXPECT_EQ(lineOf(kItemRxSignalDetect)->text(), "-99");
}

TEST_F(FeatureViewTest, CourtesyToneTickSetsThePeriodAndEnablesItsItems)
{
    showPageOf(kItemCourtesyTone);
    auto* box = static_cast<QCheckBox*>(view->control(kItemCourtesyTone));
    EXPECT_FALSE(view->control(kPage2 + 15)->isEnabled());
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(5, box->height() / 2));
    EXPECT_EQ(getU16(main(), kCourtesyTonePeriod), 10);
    EXPECT_TRUE(view->control(kPage2 + 15)->isEnabled());
    EXPECT_EQ(lineOf(kPage2 + 15)->text(), "100");
}

TEST_F(FeatureViewTest, PttPriorityEntryMovesUpAndStaysSelected)
{
    auto* order = static_cast<COrderList*>(view->control(kItemPttPriority));
    ASSERT_NE(order, nullptr);
    EXPECT_EQ(order->entries().size(), 3);
    order->select(1);
    order->step(-1);
    QApplication::processEvents();
    EXPECT_EQ(main()[kPttPriority], 2);
    EXPECT_EQ(main()[kPttPriority + 1], 0);
    EXPECT_EQ(order->selected(), 0);
    EXPECT_EQ(order->entries().front(), QString::fromStdString(host.texts.text(1050)));
    // The first entry cannot move further up.
    order->step(-1);
    EXPECT_EQ(main()[kPttPriority], 2);
}

TEST_F(FeatureViewTest, StartUpGridOffersItsFunctionsAndEmptiesTheLaterEntries)
{
    setU16(main(), kStartUpFunctions, 0x3131);
    setU16(main(), kStartUpFunctions + 2, 0x3022);
    view->refreshFromImage();
    showPageOf(kStartUpGridItem);
    CGridView* grid = view->fieldForm()->grid(kStartUpGridItem);
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(cellOf(grid, 0, 0), text(1231));
    EXPECT_EQ(cellOf(grid, 1, 0), text(1224));
    EXPECT_TRUE(editable(grid, 2, 0));

    QComboBox* list = dropDown(grid, 0, 0);
    ASSERT_NE(list, nullptr);
    ASSERT_GT(list->count(), 1);
    EXPECT_EQ(list->itemText(0), "");
    list->setCurrentIndex(0);
    press(Qt::Key_Return);
    EXPECT_EQ(getU16(main(), kStartUpFunctions), 0x2020);
    EXPECT_EQ(getU16(main(), kStartUpFunctions + 2), 0x2020);
    EXPECT_EQ(cellOf(grid, 1, 0), "");
    EXPECT_FALSE(editable(grid, 1, 0));
}

TEST_F(FeatureViewTest, EventGridsStoreEachRowAtItsOwnPlace)
{
    for (std::size_t row : kTxRxRows) {
        for (std::size_t slot = 0; slot < 3; ++slot)
            setU16(main(), row + 2 * slot, 0x2020);
    }
    view->refreshFromImage();
    showPageOf(kTxRxGridItem);
    CGridView* txRx = view->fieldForm()->grid(kTxRxGridItem);
    ASSERT_NE(txRx, nullptr);
    EXPECT_EQ(txRx->model()->headerData(2, Qt::Vertical).toString(), text(1105));
    // Row 3 of the TX/RX table lies before rows 1 and 2 in the image.
    EXPECT_FALSE(editable(txRx, 2, 1));
    chooseIn(txRx, 2, 0, text(1231));
    EXPECT_EQ(getU16(main(), kTxRxRows[2]), 0x3131);
    EXPECT_EQ(getU16(main(), kTxRxRows[0]), 0x2020);
    EXPECT_TRUE(editable(txRx, 2, 1));

    CGridView* connections = view->fieldForm()->grid(kConnectionGridItem);
    ASSERT_NE(connections, nullptr);
    EXPECT_EQ(connections->model()->rowCount(), 5);
    chooseIn(connections, 4, 0, text(1231));
    EXPECT_EQ(getU16(main(), kConnectionFunctions + 4 * kGroupStride), 0x3131);

    // Esc leaves an open list first, then closes the form.
    ASSERT_NE(dropDown(connections, 0, 0), nullptr);
    press(Qt::Key_Escape);
    EXPECT_FALSE(connections->isEditing());
    EXPECT_TRUE(host.closed.empty());
    press(Qt::Key_Escape);
    ASSERT_EQ(host.closed.size(), 1u);
    EXPECT_EQ(host.closed.front(), kOptionalFeaturesCommand);
}

TEST_F(FeatureViewTest, TimerValueTypedInItsCellRulesItsFunctions)
{
    main()[kTimerValues] = 30;
    setU16(main(), kTimerFunctions, 0x3131);
    view->refreshFromImage();
    showPageOf(kTimerGridItem);
    CGridView* timers = view->fieldForm()->grid(kTimerGridItem);
    ASSERT_NE(timers, nullptr);
    EXPECT_EQ(cellOf(timers, 0, 0), "3.0");
    EXPECT_EQ(cellOf(timers, 0, 1), text(1231));

    typeIn(timers, 0, 0, "2.37");
    EXPECT_EQ(main()[kTimerValues], 23);
    EXPECT_EQ(cellOf(timers, 0, 0), "2.3");

    typeIn(timers, 0, 0, "0");
    EXPECT_EQ(main()[kTimerValues], 0);
    EXPECT_EQ(cellOf(timers, 0, 0), text(kFeatureOffText));
    EXPECT_EQ(getU16(main(), kTimerFunctions), 0x2020);
    EXPECT_FALSE(editable(timers, 0, 1));
}

TEST_F(FeatureViewTest, PasswordDialogStoresConfirmedPasswordsWithTheirOptionBits)
{
    ModelBlock block = readModelBlock(main());
    block.setOptionFlags(0x00FF);
    writeModelBlock(main(), block);
    std::unique_ptr<CDataPasswordDialog> dialog(view->makePasswordDialog());
    dialog->show();
    EXPECT_FALSE(dialog->confirmation()->isEnabled());

    QTest::keyClicks(dialog->readPassword(), "R1");
    QTest::keyClicks(dialog->overwritePassword(), "AB12");
    EXPECT_TRUE(dialog->confirmation()->isEnabled());
    QTest::keyClicks(dialog->confirmation(), "AB13");
    dialog->accept();
    ASSERT_EQ(host.dialogs.messages.size(), 1u);
    EXPECT_EQ(host.dialogs.messages.front(), host.texts.text(kPasswordMismatchText));
    EXPECT_NE(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(main()[kOverwritePassword], 0xFF);

    dialog->confirmation()->clear();
    QTest::keyClicks(dialog->confirmation(), "AB12");
    dialog->accept();
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(std::string(main().begin() + kReadPassword, main().begin() + kReadPassword + 6), "R1    ");
    EXPECT_EQ(std::string(main().begin() + kOverwritePassword, main().begin() + kOverwritePassword + 6),
              "AB12  ");
    // Both passwords hold text: both "empty" bits are cleared.
    EXPECT_EQ(readModelBlock(main()).optionFlags() & 0x0003, 0);

    // Emptying the overwrite password empties and disables the confirmation.
    dialog->overwritePassword()->selectAll();
    QTest::keyClick(dialog->overwritePassword(), Qt::Key_Delete);
    EXPECT_FALSE(dialog->confirmation()->isEnabled());
    EXPECT_TRUE(dialog->confirmation()->text().isEmpty());
    dialog->accept();
    EXPECT_EQ(main()[kOverwritePassword], 0xFF);
    EXPECT_EQ(readModelBlock(main()).optionFlags() & 0x0003, kOptionWritePasswordEmpty);
}

TEST_F(FeatureViewTest, PasswordFieldsShowEveryCharacterAtOneWidth)
{
    std::unique_ptr<CDataPasswordDialog> dialog(view->makePasswordDialog());
    for (QLineEdit* field : {dialog->readPassword(), dialog->overwritePassword(), dialog->confirmation()}) {
        const QFontMetrics metrics(field->font());
        EXPECT_EQ(metrics.horizontalAdvance("iiiiii"), metrics.horizontalAdvance("WWWWWW"))
            << field->objectName().toStdString();
    }
}
