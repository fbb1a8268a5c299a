// The encode/decode table form with real widgets: codes typed into the cells, rows copied,
// pasted and deleted by the shortcut menu and by keys, the transpond fields typed and spun.
#include "forms/FormTestHost.h"
#include "forms/GridDriver.h"
#include "forms/common/CSpinEdit.h"
#include "forms/signalling/CDtmfEncDecView.h"
#include "forms/signalling/EncDecFields.h"
#include "model/ByteOrder.h"
#include "model/DefaultBuilder.h"

#include <QAbstractItemModelTester>
#include <QAction>
#include <QMenu>
#include <QTabWidget>
#include <gtest/gtest.h>

using namespace rps;
using namespace rps::signalling;
using rps::test::cellOf;
using rps::test::FormTestHost;
using rps::test::press;
using rps::test::typeIn;

namespace {

class EncDecViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        InstallationId none{};
        none.fill(0xFF);
        newImage(host.image, none);
        host.openForm(kEncodeDecodeCommand);
        view = static_cast<CDtmfEncDecView*>(host.form(kEncodeDecodeCommand));
        ASSERT_NE(view, nullptr);
        ASSERT_TRUE(QTest::qWaitForWindowActive(view));
    }
    uint8_t at(std::size_t offset) const { return host.image.main()[offset]; }
    // Runs the entry with this text of the grid's shortcut menu.
    void fromMenu(CGridView* grid, int text)
    {
        QMenu* menu = grid->buildShortcutMenu();
        const QString wanted = QString::fromStdString(host.texts.text(text));
        for (QAction* action : menu->actions()) {
            if (action->text() == wanted)
                action->trigger();
        }
        delete menu;
        QApplication::processEvents();
    }

    FormTestHost host;
    CDtmfEncDecView* view = nullptr;
};

TEST_F(EncDecViewTest, TypedCodesAreStoredAsDigitsAndShownInCapitals)
{
    CGridView* encode = view->encodeGrid();
    ASSERT_NE(encode, nullptr);
    EXPECT_EQ(encode->model()->rowCount(), 32);
    EXPECT_EQ(view->decodeGrid()->model()->rowCount(), 40);
    EXPECT_EQ(cellOf(encode, 0, 0), "159D");
    typeIn(encode, 1, 0, "12ab*#x");
    const uint8_t expected[] = {0x01, 0x02, 0x0A, 0x0B, 0x0E, 0x0F, 0xFF};
    for (std::size_t i = 0; i < sizeof expected; ++i)
        EXPECT_EQ(at(kEncodeTable + kCodeRecordSize + i), expected[i]) << i;
    EXPECT_EQ(at(kEncodeTable + 2 * kCodeRecordSize - 1), 0xFF);
    EXPECT_EQ(cellOf(encode, 1, 0), "12AB*#");
}

TEST_F(EncDecViewTest, BackspaceInACellEmptiesTheCodeAndItsReferences)
{
    host.image.main()[0x0690] = 0x00; // PF key 1 on decode code 1
    auto* tabs = view->findChild<QTabWidget*>();
    tabs->setCurrentIndex(1);
    CGridView* decode = view->decodeGrid();
    decode->setFocus();
    decode->setCurrentCell(0, 0);
    press(Qt::Key_Backspace);
    press(Qt::Key_Return);
    EXPECT_EQ(at(kDecodeTable), 0xFF);
    EXPECT_EQ(at(0x0690), 0xFF);
    EXPECT_EQ(cellOf(decode, 0, 0), "");
    EXPECT_GE(host.refreshes, 1);
}

TEST_F(EncDecViewTest, RowsAreCopiedPastedAndDeletedByMenuAndKeys)
{
    CGridView* encode = view->encodeGrid();
    typeIn(encode, 1, 0, "2");
    // Rows 1 and 2 selected with Shift+Down, copied with Ctrl+C, pasted at row 31 with Ctrl+V.
    encode->setFocus();
    encode->setCurrentCell(0, 0);
    press(Qt::Key_Down, Qt::ShiftModifier);
    ASSERT_TRUE(encode->rowMode());
    press(Qt::Key_C, Qt::ControlModifier);
    encode->setCurrentCell(31, 0);
    press(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(cellOf(encode, 31, 0), "159D");
    EXPECT_EQ(cellOf(view->decodeGrid(), 0, 0), "159D");

    // By the shortcut menu: copy row 2, paste it at row 5.
    encode->setCurrentCell(1, 0);
    fromMenu(encode, kTextGridCopy);
    encode->setCurrentCell(4, 0);
    fromMenu(encode, kTextGridPaste);
    EXPECT_EQ(cellOf(encode, 4, 0), "2");

    // Delete with rows selected empties them; the menu's Delete the current row.
    encode->setCurrentCell(3, 0);
    press(Qt::Key_Down, Qt::ShiftModifier);
    press(Qt::Key_Delete);
    EXPECT_EQ(cellOf(encode, 4, 0), "");
    EXPECT_EQ(at(kEncodeTable + 4 * kCodeRecordSize), 0xFF);
    encode->setRowMode(false);
    encode->setCurrentCell(0, 0);
    fromMenu(encode, kTextGridDelete);
    EXPECT_EQ(cellOf(encode, 0, 0), "");
    EXPECT_EQ(cellOf(view->decodeGrid(), 0, 0), "159D");
}

TEST_F(EncDecViewTest, TranspondFieldsTypedAndSpun)
{
    auto* frequency = static_cast<CSpinEdit*>(view->control(kItemActivationFrequency));
    QLineEdit* line = CFieldForm::lineOf(frequency);
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->text(), "800");
    line->setFocus();
    line->selectAll();
    QTest::keyClicks(line, "1234");
    press(Qt::Key_Tab);
    EXPECT_EQ(getU16(host.image.main(), kActivationTone), 0x1230);
    EXPECT_EQ(line->text(), "1230");
    line->setFocus();
    line->selectAll();
    QTest::keyClicks(line, "3000");
    press(Qt::Key_Tab);
    line->setFocus();
    press(Qt::Key_Up);
    EXPECT_EQ(getU16(host.image.main(), kActivationTone), 0x0100);
}

TEST_F(EncDecViewTest, TheRecordGridModelPassesTheItemModelTester)
{
    QAbstractItemModelTester tester(view->decodeGrid()->model(),
                                    QAbstractItemModelTester::FailureReportingMode::Fatal);
    typeIn(view->decodeGrid(), 39, 0, "9");
    view->refreshFromImage();
    EXPECT_EQ(cellOf(view->decodeGrid(), 39, 0), "9");
}

} // namespace
