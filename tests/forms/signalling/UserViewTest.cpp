// The user lists form with real widgets: IDs typed into the cells, a taken ID refused with the
// cursor on its holder, header clicks that sort and restore a list, and the record a sorted
// row shows being the one its edits and deletes reach.
#include "forms/FormTestHost.h"
#include "forms/GridDriver.h"
#include "forms/signalling/CUserRecordsView.h"
#include "model/ByteOrder.h"
#include "model/DefaultBuilder.h"

#include <QAbstractButton>
#include <QAbstractItemModelTester>
#include <QHeaderView>
#include <QLabel>
#include <QTabWidget>
#include <gtest/gtest.h>

using namespace rps;
using rps::test::cellOf;
using rps::test::chooseIn;
using rps::test::FormTestHost;
using rps::test::press;
using rps::test::typeIn;

namespace {

class UserViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        InstallationId none{};
        none.fill(0xFF);
        newImage(host.image, none);
        host.openForm(kUserListCommand);
        view = static_cast<CUserRecordsView*>(host.form(kUserListCommand));
        ASSERT_NE(view, nullptr);
        ASSERT_TRUE(QTest::qWaitForWindowActive(view));
        tabs = view->findChild<QTabWidget*>();
        ASSERT_NE(tabs, nullptr);
    }
    uint16_t word(std::size_t offset) const { return getU16(host.image.main(), offset); }
    // The record number a row of a list shows in its fixed column.
    QString numberOf(CGridView* grid, int row) const
    {
        return grid->model()->headerData(row, Qt::Vertical, Qt::DisplayRole).toString();
    }
    void clickHeader(CGridView* grid, int column)
    {
        QHeaderView* header = grid->horizontalHeader();
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(column) + 5, header->height() / 2));
        QApplication::processEvents();
    }
    void clickCorner(CGridView* grid)
    {
        auto* corner = grid->findChild<QAbstractButton*>();
        ASSERT_NE(corner, nullptr);
        QTest::mouseClick(corner, Qt::LeftButton);
        QApplication::processEvents();
    }

    FormTestHost host;
    CUserRecordsView* view = nullptr;
    QTabWidget* tabs = nullptr;
};

TEST_F(UserViewTest, ATakenIdShowsTheMessageAndMovesTheCursorToItsHolder)
{
    CGridView* list = view->listGrid(1);
    EXPECT_EQ(list->model()->rowCount(), 1000);
    typeIn(list, 4, 0, "23");
    typeIn(list, 6, 0, "17");
    typeIn(list, 6, 0, "23");
    ASSERT_FALSE(host.dialogs.messages.empty());
    EXPECT_EQ(host.dialogs.messages.back(), host.texts.text(816));
    EXPECT_EQ(list->currentIndex().row(), 4);
    EXPECT_EQ(word(0x9000 + 6 * 4 + 2), 17);
    EXPECT_EQ(cellOf(list, 6, 0), "17");
    // The counter follows.
    bool counted = false;
    for (QLabel* label : view->findChildren<QLabel*>())
        counted = counted || label->text() == "2/1000 ";
    EXPECT_TRUE(counted);
}

TEST_F(UserViewTest, AnEmptyRecordsChoiceCannotBeOpened)
{
    CGridView* list = view->listGrid(1);
    list->setFocus();
    list->setCurrentCell(3, 1);
    press(Qt::Key_Return);
    EXPECT_FALSE(list->isEditing());
    EXPECT_EQ(cellOf(list, 3, 1), "");
}

TEST_F(UserViewTest, AHeaderClickSortsByIdUntilTheNumberHeaderIsClicked)
{
    CGridView* list = view->listGrid(1);
    typeIn(list, 0, 0, "900");
    typeIn(list, 1, 0, "5");
    typeIn(list, 2, 0, "A");
    clickHeader(list, 0);
    EXPECT_EQ(cellOf(list, 0, 0), host.texts.text(1354).c_str());
    EXPECT_EQ(numberOf(list, 0), "3");
    EXPECT_EQ(cellOf(list, 1, 0), "5");
    EXPECT_EQ(numberOf(list, 2), "1");
    EXPECT_EQ(numberOf(list, 3), "4");

    // An edit goes to the record the row shows and does not re-sort.
    typeIn(list, 1, 0, "1000");
    EXPECT_EQ(word(0x9000 + 4 + 2), 1000);
    EXPECT_EQ(numberOf(list, 1), "2");
    EXPECT_EQ(cellOf(list, 1, 0), "1000");

    // Delete in row mode empties the shown record, not the record of that number.
    list->setFocus();
    list->setCurrentCell(2, 0);
    press(Qt::Key_Down, Qt::ShiftModifier);
    press(Qt::Key_Up, Qt::ShiftModifier);
    ASSERT_TRUE(list->rowMode());
    press(Qt::Key_Delete);
    EXPECT_EQ(word(0x9000 + 2), 0xFFFF);
    EXPECT_EQ(word(0x9000 + 4 + 2), 1000);

    clickCorner(list);
    EXPECT_EQ(numberOf(list, 0), "1");
    EXPECT_EQ(cellOf(list, 1, 0), "1000");
}

TEST_F(UserViewTest, TheChoiceWritesTheNumberOfTheRecordItsRowShows)
{
    CGridView* individual = view->listGrid(1);
    typeIn(individual, 0, 0, "30");
    typeIn(individual, 1, 0, "20");
    clickHeader(individual, 0);

    tabs->setCurrentIndex(1);
    CGridView* group = view->listGrid(2);
    typeIn(group, 0, 0, "50");
    typeIn(group, 1, 0, "10");
    clickHeader(group, 0);
    ASSERT_EQ(numberOf(group, 0), "2");
    chooseIn(group, 0, 1, host.texts.text(856).c_str());
    EXPECT_EQ(host.image.main()[0x8004], 0x00);
    chooseIn(group, 0, 1, host.texts.text(855).c_str());
    EXPECT_EQ(host.image.main()[0x8004], 0x02);
    EXPECT_EQ(host.image.main()[0x8005] & 0x8F, 0x00);
    EXPECT_EQ(host.image.main()[0x8000], 0x01);
}

TEST_F(UserViewTest, ASortedListIsAConsistentItemModel)
{
    CGridView* list = view->listGrid(1);
    QAbstractItemModelTester tester(list->model(), QAbstractItemModelTester::FailureReportingMode::Fatal);
    typeIn(list, 10, 0, "7");
    typeIn(list, 20, 0, "3");
    clickHeader(list, 0);
    // Backspace empties the ID of the record the first sorted row shows.
    list->setFocus();
    list->setCurrentCell(0, 0);
    press(Qt::Key_Backspace);
    press(Qt::Key_Return);
    clickCorner(list);
    EXPECT_EQ(cellOf(list, 20, 0), "");
    EXPECT_EQ(cellOf(list, 10, 0), "7");
}

} // namespace
