#include "forms/common/CGridView.h"

#include <QAbstractItemModelTester>
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>
#include <gtest/gtest.h>

using namespace rps;

namespace {

// Five rows of seven columns: column 0 takes 7-segment text, column 1 a drop-down, column 2
// is disabled on every row, column 6 an editable drop-down of two digits or its longer "off"
// entry, the rest take digits.
class TestGridModel : public CGridModel {
public:
    TestGridModel()
    {
        for (int row = 0; row < 5; ++row)
            for (int column = 0; column < 7; ++column)
                cells[row][column] = QStringLiteral("%1%2").arg(row).arg(column);
    }
    int gridRows() const override { return 5; }
    int gridColumns() const override { return 7; }
    QString fixedHeaderText() const override { return "No."; }
    QString headerText(int column) const override { return QStringLiteral("H%1").arg(column); }
    QString cellText(int row, int column) const override { return cells[row][column]; }
    bool cellEnabled(int, int column) const override { return column != 2; }
    CellEditor cellEditor(int, int column) const override
    {
        if (column == 0)
            return {CellEditorKind::Text, {CharFilterKind::SevenSegment, 2, '.', {}}, {}};
        if (column == 1)
            return {CellEditorKind::DropDown, {}, {"Alpha", "Beta"}};
        if (column == 6)
            return {CellEditorKind::EditableDropDown,
                    {CharFilterKind::Digits, 2, '.', {}},
                    {"Switched off", "10"}};
        return {CellEditorKind::Text, {CharFilterKind::Digits, 4, '.', {}}, {}};
    }
    void commitCell(int row, int column, const QString& text) override
    {
        cells[row][column] = text;
        ++commits;
    }
    bool hasRowCommands() const override { return true; }
    void rowCommand(GridRowCommand command, int first, int last) override
    {
        lastCommand = {static_cast<int>(command), first, last};
    }

    QString cells[5][7];
    int commits = 0;
    std::tuple<int, int, int> lastCommand{-1, -1, -1};
};

class GridViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        grid.setGridModel(&model);
        grid.resize(700, 300);
        grid.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&grid));
        grid.setFocus();
        QApplication::processEvents();
    }
    void press(int key, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &grid,
                        static_cast<Qt::Key>(key), mods);
        QApplication::processEvents();
    }
    QPoint cell() const { return {grid.currentIndex().row(), grid.currentIndex().column()}; }

    TestGridModel model;
    CGridView grid;
};

} // namespace

TEST(GridModel, PassesTheItemModelTester)
{
    TestGridModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    model.setData(model.index(1, 3), "12", Qt::EditRole);
    EXPECT_EQ(model.cells[1][3], "12");
    EXPECT_FALSE(model.flags(model.index(0, 2)) & Qt::ItemIsEditable);
    EXPECT_TRUE(model.data(model.index(0, 2), Qt::BackgroundRole).isValid());
}

TEST_F(GridViewTest, ArrowsWrapAtTheRowEnds)
{
    grid.setCurrentCell(2, 6);
    press(Qt::Key_Right);
    EXPECT_EQ(cell(), QPoint(3, 0));
    press(Qt::Key_Left);
    EXPECT_EQ(cell(), QPoint(2, 6));
    grid.setCurrentCell(4, 6);
    press(Qt::Key_Right);
    EXPECT_EQ(cell(), QPoint(4, 6)); // the last cell stays
    grid.setCurrentCell(0, 0);
    press(Qt::Key_Left);
    EXPECT_EQ(cell(), QPoint(0, 0));
}

TEST_F(GridViewTest, ShiftDownSelectsRowsAndDeleteRunsTheRowCommand)
{
    grid.setCurrentCell(1, 4);
    press(Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_TRUE(grid.rowMode());
    EXPECT_EQ(cell(), QPoint(2, 0));
    EXPECT_EQ(grid.selectedRowRange(), std::make_pair(1, 2));
    press(Qt::Key_Delete);
    EXPECT_EQ(model.lastCommand, std::make_tuple(static_cast<int>(GridRowCommand::Delete), 1, 2));
    EXPECT_EQ(model.commits, 0);
    press(Qt::Key_Right); // a plain arrow returns to cell mode
    EXPECT_FALSE(grid.rowMode());
    press(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(model.lastCommand, std::make_tuple(static_cast<int>(GridRowCommand::Copy), 2, 2));
}

TEST_F(GridViewTest, TypingOpensTheEditorWithTheFilteredCharacterAndEnterCommits)
{
    grid.setCurrentCell(1, 0);
    press(Qt::Key_X); // refused by the 7-segment filter: no editor
    EXPECT_FALSE(grid.isEditing());
    QTest::keyClicks(&grid, "B");
    QApplication::processEvents();
    ASSERT_TRUE(grid.isEditing());
    auto* edit = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->text(), "b");
    QTest::keyClicks(edit, "e");
    EXPECT_EQ(edit->text(), "bE");
    press(Qt::Key_Return);
    EXPECT_FALSE(grid.isEditing());
    EXPECT_EQ(model.cells[1][0], "bE");
    EXPECT_EQ(cell(), QPoint(1, 1));
}

TEST_F(GridViewTest, CommitMovesPastDisabledCells)
{
    grid.setCurrentCell(0, 1);
    press(Qt::Key_Return); // opens the drop-down
    ASSERT_TRUE(grid.isEditing());
    auto* combo = qobject_cast<QComboBox*>(QApplication::focusWidget());
    ASSERT_NE(combo, nullptr);
    combo->setCurrentIndex(1);
    press(Qt::Key_Return);
    EXPECT_EQ(model.cells[0][1], "Beta");
    EXPECT_EQ(cell(), QPoint(0, 3)); // column 2 is disabled
}

TEST_F(GridViewTest, EscapeRestoresAndBackspaceStartsEmpty)
{
    grid.setCurrentCell(3, 4);
    QTest::keyClicks(&grid, "7");
    QApplication::processEvents();
    ASSERT_TRUE(grid.isEditing());
    press(Qt::Key_Escape);
    EXPECT_FALSE(grid.isEditing());
    EXPECT_EQ(model.cells[3][4], "34");
    EXPECT_EQ(model.commits, 0);

    press(Qt::Key_Backspace);
    ASSERT_TRUE(grid.isEditing());
    press(Qt::Key_Return);
    EXPECT_EQ(model.cells[3][4], "");
}

TEST_F(GridViewTest, EnterOnACellWithoutEditorMovesRight)
{
    grid.setCurrentCell(0, 2);
    press(Qt::Key_Return);
    EXPECT_FALSE(grid.isEditing());
    EXPECT_EQ(cell(), QPoint(0, 3));
}

TEST_F(GridViewTest, F2OpensTheEditorWithTheCellsTextAsEnterDoes)
{
    grid.setCurrentCell(1, 3);
    press(Qt::Key_F2);
    ASSERT_TRUE(grid.isEditing());
    auto* line = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->text(), "13");
    press(Qt::Key_End);
    press(Qt::Key_Backspace);
    press(Qt::Key_7);
    press(Qt::Key_Return);
    EXPECT_EQ(model.cells[1][3], "17");

    grid.setCurrentCell(2, 1);
    press(Qt::Key_F2);
    EXPECT_NE(qobject_cast<QComboBox*>(QApplication::focusWidget()), nullptr);
    press(Qt::Key_Escape);

    // A cell without an editor neither opens nor moves: F2 only edits.
    grid.setCurrentCell(0, 2);
    press(Qt::Key_F2);
    EXPECT_FALSE(grid.isEditing());
    EXPECT_EQ(cell(), QPoint(0, 2));
}

TEST_F(GridViewTest, ClipTextJoinsCellsWithTabsAndRowsWithNewlines)
{
    grid.setCurrentCell(1, 0);
    press(Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(grid.clipText(false), "2\t10\t11\t12\t13\t14\t15\t16\n3\t20\t21\t22\t23\t24\t25\t26");
    EXPECT_TRUE(grid.clipText(true).startsWith("No.\tH0\tH1\tH2\tH3\tH4\tH5\tH6\n2\t10"));
}

TEST_F(GridViewTest, LeavingTheEditorCommitsOnlyAChangedText)
{
    QLineEdit outside(&grid); // another control of the same window
    outside.setGeometry(600, 250, 60, 20);
    outside.show();
    auto leaveGrid = [&outside] {
        outside.setFocus();
        QApplication::processEvents();
    };
    grid.setCurrentCell(2, 3);
    press(Qt::Key_Return); // opens with the cell's own text
    ASSERT_TRUE(grid.isEditing());
    leaveGrid();
    EXPECT_FALSE(grid.isEditing());
    EXPECT_EQ(model.commits, 0);

    grid.setFocus();
    grid.setCurrentCell(2, 3);
    press(Qt::Key_9);
    ASSERT_TRUE(grid.isEditing());
    leaveGrid();
    EXPECT_EQ(model.cells[2][3], "9");
    EXPECT_EQ(model.commits, 1);
}

TEST_F(GridViewTest, AnEditableListEntryLongerThanTheTypedLimitIsCommittedWhole)
{
    grid.setCurrentCell(1, 6);
    press(Qt::Key_Return);
    ASSERT_TRUE(grid.isEditing());
    auto* combo = qobject_cast<QComboBox*>(QApplication::focusWidget());
    ASSERT_NE(combo, nullptr);
    combo->setCurrentIndex(0);
    EXPECT_EQ(combo->currentText(), "Switched off");
    press(Qt::Key_Return);
    EXPECT_EQ(model.cells[1][6], "Switched off");

    // Typing is still held to the filter and its two characters.
    grid.setCurrentCell(2, 6);
    QTest::keyClicks(&grid, "4");
    QApplication::processEvents();
    ASSERT_TRUE(grid.isEditing());
    QTest::keyClicks(QApplication::focusWidget(), "x56");
    press(Qt::Key_Return);
    EXPECT_EQ(model.cells[2][6], "45");
}

TEST_F(GridViewTest, BrowsingAClosedListChangesOnlyTheEditor)
{
    grid.setCurrentCell(0, 1); // "01", none of the list's entries
    press(Qt::Key_Return);
    auto* combo = qobject_cast<QComboBox*>(QApplication::focusWidget());
    ASSERT_NE(combo, nullptr);
    EXPECT_FALSE(combo->view()->isVisible());
    press(Qt::Key_Down);
    press(Qt::Key_Down);
    EXPECT_EQ(combo->currentText(), "Beta");
    press(Qt::Key_A);
    EXPECT_EQ(combo->currentText(), "Alpha");
    QWheelEvent notch(QPointF(5, 5), combo->mapToGlobal(QPointF(5, 5)), {}, QPoint(0, -120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(combo, &notch);
    EXPECT_EQ(combo->currentText(), "Beta");
    EXPECT_EQ(model.commits, 0);
    press(Qt::Key_Escape);
    EXPECT_FALSE(grid.isEditing());
    EXPECT_EQ(model.cells[0][1], "01");
    EXPECT_EQ(model.commits, 0);

    // Enter stores the entry browsed to; Enter on an untouched list stores nothing.
    press(Qt::Key_Return);
    press(Qt::Key_Down);
    press(Qt::Key_Return);
    EXPECT_EQ(model.cells[0][1], "Alpha");
    EXPECT_EQ(model.commits, 1);
    grid.setCurrentCell(0, 1);
    press(Qt::Key_Return);
    press(Qt::Key_Return);
    EXPECT_EQ(model.commits, 1);

    // Leaving the cell stores the entry browsed to.
    QLineEdit outside(&grid);
    outside.setGeometry(600, 250, 60, 20);
    outside.show();
    grid.setCurrentCell(1, 1);
    press(Qt::Key_Return);
    press(Qt::Key_Down);
    outside.setFocus();
    QApplication::processEvents();
    EXPECT_FALSE(grid.isEditing());
    EXPECT_EQ(model.cells[1][1], "Alpha");
    EXPECT_EQ(model.commits, 2);
}

TEST_F(GridViewTest, ALetterOpensTheListAndAnEntryChosenInItIsStored)
{
    grid.setCurrentCell(3, 1);
    press(Qt::Key_B);
    auto* combo = qobject_cast<QComboBox*>(grid.indexWidget(grid.currentIndex()));
    ASSERT_NE(combo, nullptr);
    EXPECT_TRUE(combo->view()->isVisible());
    EXPECT_EQ(combo->currentText(), "Beta");
    press(Qt::Key_Return); // in the open list
    EXPECT_FALSE(grid.isEditing());
    EXPECT_EQ(model.cells[3][1], "Beta");
    EXPECT_EQ(model.commits, 1);
}

TEST_F(GridViewTest, AnEditorStartsWithTheCellsTextAndFiltersOnlyWhatIsTyped)
{
    QLineEdit outside(&grid);
    outside.setGeometry(600, 250, 60, 20);
    outside.show();
    // Texts the 7-segment filter would change ("D" to "d") or refuse ("K", "x").
    model.cells[0][0] = "PD";
    model.cells[1][0] = "Kx";
    for (int row : {0, 1}) {
        const QString stored = model.cells[row][0];
        grid.setFocus();
        grid.setCurrentCell(row, 0);
        press(Qt::Key_F2);
        auto* line = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        ASSERT_NE(line, nullptr);
        EXPECT_EQ(line->text(), stored);
        outside.setFocus(); // a click elsewhere
        QApplication::processEvents();
        EXPECT_FALSE(grid.isEditing());
        grid.setFocus();
        press(Qt::Key_F2);
        press(Qt::Key_Return);
        EXPECT_EQ(model.cells[row][0], stored);
    }
    EXPECT_EQ(model.commits, 0);

    // A typed character passes the filter; the one already there stays as it is.
    model.cells[2][0] = "D";
    grid.setFocus();
    grid.setCurrentCell(2, 0);
    press(Qt::Key_F2);
    press(Qt::Key_End);
    press(Qt::Key_B);
    press(Qt::Key_Return);
    EXPECT_EQ(model.cells[2][0], "Db");
}

TEST_F(GridViewTest, AClickInACellEndsRowMode)
{
    grid.setCurrentCell(1, 3);
    press(Qt::Key_Down, Qt::ShiftModifier);
    ASSERT_TRUE(grid.rowMode());
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, grid.visualRect(model.index(4, 3)).center());
    EXPECT_FALSE(grid.rowMode());
    EXPECT_EQ(cell(), QPoint(4, 3));
    EXPECT_EQ(grid.selectedRowRange(), std::make_pair(4, 4));
    press(Qt::Key_Delete); // clears the cell through its editor, deletes no rows
    EXPECT_EQ(std::get<0>(model.lastCommand), -1);
    EXPECT_TRUE(grid.isEditing());
}

namespace {

class TallGridModel : public CGridModel {
public:
    int gridRows() const override { return 40; }
    int gridColumns() const override { return 2; }
    QString headerText(int column) const override { return QString::number(column); }
    QString cellText(int row, int column) const override { return QString::number(row * 10 + column); }
    CellEditor cellEditor(int, int) const override { return {CellEditorKind::Text, {}, {}}; }
    void commitCell(int, int, const QString&) override {}
};

} // namespace

TEST(GridPaging, PageKeysScrollByTheVisibleRowsAndTakeTheCurrentRowAlong)
{
    TallGridModel model;
    CGridView grid;
    grid.setGridModel(&model);
    grid.fitRows(10);
    grid.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&grid));
    grid.setFocus();
    grid.setCurrentCell(2, 1);
    QScrollBar* bar = grid.verticalScrollBar();
    auto page = [&grid](Qt::Key key) {
        QTest::keyClick(&grid, key);
        QApplication::processEvents();
    };
    page(Qt::Key_PageDown);
    EXPECT_EQ(bar->value(), 10);
    EXPECT_EQ(grid.currentIndex().row(), 12);
    EXPECT_EQ(grid.currentIndex().column(), 1);
    page(Qt::Key_PageDown);
    page(Qt::Key_PageDown); // the last page: the rows stop at the end, the current row goes on
    EXPECT_EQ(bar->value(), 30);
    EXPECT_EQ(grid.currentIndex().row(), 32);
    page(Qt::Key_PageDown);
    EXPECT_EQ(grid.currentIndex().row(), 39);
    page(Qt::Key_PageUp);
    EXPECT_EQ(bar->value(), 20);
    EXPECT_EQ(grid.currentIndex().row(), 29);
}
