// The multi table form with real widgets: the table number typed and spun, both grids showing
// the chosen table under their blank first row, rows pasted and deleted by keys in row mode.
#include "forms/FormTestHost.h"
#include "forms/GridDriver.h"
#include "forms/common/CSpinEdit.h"
#include "forms/signalling/CMultiView.h"
#include "forms/signalling/MultiFields.h"
#include "model/ByteOrder.h"
#include "model/DefaultBuilder.h"
#include "model/records/ChannelStore.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

using namespace rps;
using namespace rps::signalling;
using rps::test::cellOf;
using rps::test::dropDown;
using rps::test::FormTestHost;
using rps::test::press;

namespace {

// Types a code into a cell's list with typing and commits it.
void typeIn(CGridView* grid, int row, int column, const QString& text)
{
    QComboBox* combo = dropDown(grid, row, column);
    ASSERT_TRUE(combo && combo->lineEdit());
    combo->lineEdit()->selectAll();
    QTest::keyClicks(combo->lineEdit(), text);
    press(Qt::Key_Return);
}

class MultiViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        InstallationId none{};
        none.fill(0xFF);
        newImage(host.image, none);
        host.openForm(kMultiTableCommand);
        view = static_cast<CMultiView*>(host.form(kMultiTableCommand));
        ASSERT_NE(view, nullptr);
        ASSERT_TRUE(QTest::qWaitForWindowActive(view));
        number = CFieldForm::lineOf(view->control(multi::kItemTable));
        ASSERT_NE(number, nullptr);
    }
    void typeTable(const QString& text)
    {
        number->setFocus();
        number->selectAll();
        QTest::keyClicks(number, text);
        press(Qt::Key_Tab);
    }
    QString off() const { return QString::fromStdString(host.texts.text(849)); }
    uint16_t word(std::size_t offset) const { return getU16(host.image.main(), offset); }

    FormTestHost host;
    CMultiView* view = nullptr;
    QLineEdit* number = nullptr;
};

TEST_F(MultiViewTest, TheTableNumberPicksWhatBothGridsShow)
{
    EXPECT_EQ(view->table(), 1);
    EXPECT_EQ(view->analogGrid()->model()->rowCount(), 16);
    EXPECT_EQ(view->nxdnGrid()->model()->rowCount(), 16);
    EXPECT_FALSE(view->analogGrid()->gridModel()->cellEnabled(0, 0)) << "the blank first row";
    EXPECT_EQ(view->analogGrid()->gridModel()->fixedText(1), "1");
    for (CGridView* grid : {view->analogGrid(), view->nxdnGrid()})
        EXPECT_EQ(grid->gridModel()->fixedHeaderText(), QString::fromStdString(host.texts.text(846)));

    typeTable("3");
    typeIn(view->analogGrid(), 2, 0, "88.5");
    EXPECT_EQ(word(0x5000 + 2 * 64 + 2), 885);
    EXPECT_EQ(cellOf(view->analogGrid(), 2, 1), "88.5");

    // Typed past the last table: the last one.
    typeTable("16");
    EXPECT_EQ(view->table(), 15);
    EXPECT_EQ(number->text(), "15");
    EXPECT_EQ(cellOf(view->analogGrid(), 2, 0), off());

    // The spin wraps round at both ends.
    number->setFocus();
    press(Qt::Key_Up);
    EXPECT_EQ(view->table(), 1);
    press(Qt::Key_Down);
    EXPECT_EQ(view->table(), 15);
    typeTable("3");
    EXPECT_EQ(cellOf(view->analogGrid(), 2, 0), "88.5");
}

TEST_F(MultiViewTest, PageUpAndPageDownStepTheTableFromTheFieldAndFromTheButtons)
{
    number->setFocus();
    press(Qt::Key_PageUp);
    EXPECT_EQ(view->table(), 2);
    // A button has no use for the keys: the form takes them.
    auto* close = view->findChild<QPushButton*>("close");
    ASSERT_NE(close, nullptr);
    close->setFocus();
    press(Qt::Key_PageUp);
    EXPECT_EQ(view->table(), 3);
    press(Qt::Key_PageDown);
    press(Qt::Key_PageDown);
    EXPECT_EQ(view->table(), 1);
}

TEST_F(MultiViewTest, RowsPastedAndDeletedByKeysInRowMode)
{
    ChannelStore store(host.image);
    ASSERT_TRUE(store.create(0));
    store.record(0)[ChannelField::kChannelType] = kTypeNxdn;
    store.record(0)[ChannelField::kMultiTable] = 2;
    typeTable("2");
    CGridView* nxdn = view->nxdnGrid();
    typeIn(nxdn, 1, 0, "12");
    typeIn(nxdn, 2, 0, "5");

    // Entries 1 and 2 copied onto entry 14: the second lands on entry 15.
    nxdn->setFocus();
    nxdn->setCurrentCell(1, 0);
    press(Qt::Key_Down, Qt::ShiftModifier);
    ASSERT_TRUE(nxdn->rowMode());
    press(Qt::Key_C, Qt::ControlModifier);
    nxdn->setCurrentCell(14, 0);
    press(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(cellOf(nxdn, 14, 0), "12");
    EXPECT_EQ(cellOf(nxdn, 15, 1), "5");
    EXPECT_EQ(host.image.main()[0x00D7 + 1], 4);

    // Every entry deleted: the count empties and the channel loses its table.
    nxdn->setCurrentCell(0, 0);
    for (int i = 0; i < 15; ++i)
        press(Qt::Key_Down, Qt::ShiftModifier);
    press(Qt::Key_Delete);
    EXPECT_EQ(cellOf(nxdn, 15, 0), off());
    EXPECT_EQ(word(0x5400 + 64 + 28), 0xFFFF);
    EXPECT_EQ(host.image.main()[0x00D7 + 1], 0xFF);
    EXPECT_EQ(ChannelStore(host.image).record(0)[ChannelField::kMultiTable], 0);
    EXPECT_GE(host.refreshes, 1);
}

TEST_F(MultiViewTest, ACodePickedFromTheListFillsOnlyTheDecode)
{
    // Typed, the decode of an empty entry fills its encode too (entry 2); picked from the open
    // list, it fills only the decode (entry 1).
    typeIn(view->analogGrid(), 2, 0, "88.5");
    EXPECT_EQ(word(0x5020 + 2), 885);

    QComboBox* combo = dropDown(view->analogGrid(), 1, 0);
    ASSERT_NE(combo, nullptr);
    const int entry = combo->findText("100.0");
    ASSERT_GE(entry, 0);
    combo->showPopup();
    combo->view()->setCurrentIndex(combo->model()->index(entry, 0));
    QTest::keyClick(combo->view(), Qt::Key_Return);
    press(Qt::Key_Return);
    EXPECT_EQ(word(0x5000), 1000);
    EXPECT_EQ(word(0x5020), 0xFFFF);
    EXPECT_EQ(cellOf(view->analogGrid(), 1, 1), off());
}

} // namespace
