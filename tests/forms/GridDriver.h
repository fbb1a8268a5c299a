#pragma once
// Drives a grid form as a user does: the current cell chosen, Enter pressed, an entry of the
// drop-down chosen or a text typed, Enter again.
#include "forms/common/CGridView.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

namespace rps::test {

inline void press(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier)
{
    QTest::keyClick(QApplication::focusWidget(), key, mods);
    QApplication::processEvents();
}

// The editor of a cell, opened with Enter.
inline QWidget* openCell(CGridView* grid, int row, int column)
{
    grid->setFocus();
    grid->setCurrentCell(row, column);
    press(Qt::Key_Return);
    EXPECT_TRUE(grid->isEditing()) << "row " << row << " column " << column;
    return grid->indexWidget(grid->currentIndex());
}

inline QComboBox* dropDown(CGridView* grid, int row, int column)
{
    return qobject_cast<QComboBox*>(openCell(grid, row, column));
}

// Chooses the entry with this label in a cell's drop-down.
inline void chooseIn(CGridView* grid, int row, int column, const QString& label)
{
    QComboBox* combo = dropDown(grid, row, column);
    ASSERT_NE(combo, nullptr);
    const int index = combo->findText(label);
    ASSERT_GE(index, 0) << label.toStdString();
    combo->setCurrentIndex(index);
    press(Qt::Key_Return);
}

// Types a text into a cell's text editor and commits it.
inline void typeIn(CGridView* grid, int row, int column, const QString& text)
{
    auto* line = qobject_cast<QLineEdit*>(openCell(grid, row, column));
    ASSERT_NE(line, nullptr);
    line->selectAll();
    QTest::keyClicks(line, text);
    press(Qt::Key_Return);
}

inline QString cellOf(CGridView* grid, int row, int column)
{
    return grid->model()->index(row, column).data().toString();
}

} // namespace rps::test
