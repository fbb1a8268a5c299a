#include "forms/common/CGridModel.h"

#include <QApplication>
#include <QPalette>

namespace rps {

Qt::Alignment CGridModel::toQtAlignment(CellAlign align)
{
    switch (align) {
    case CellAlign::Left:
        return Qt::AlignLeft | Qt::AlignVCenter;
    case CellAlign::Centre:
        return Qt::AlignCenter;
    case CellAlign::Right:
        return Qt::AlignRight | Qt::AlignVCenter;
    }
    return Qt::AlignLeft | Qt::AlignVCenter;
}

int CGridModel::editColumnFor(int row, int column) const
{
    return cellEditorKind(row, column) == CellEditorKind::None ? -1 : column;
}

QModelIndex CGridModel::cellAfterCommit(int row, int column) const
{
    const int last = gridColumns() - 1;
    int next = std::min(column + 1, last);
    while (next < last && !cellEnabled(row, next))
        ++next;
    return index(row, next);
}

void CGridModel::refreshAll()
{
    reloadCells();
    if (rowCount() > 0 && columnCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
    emit headerDataChanged(Qt::Vertical, 0, std::max(rowCount() - 1, 0));
}

int CGridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : gridRows();
}

int CGridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : gridColumns();
}

QVariant CGridModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= gridRows() || index.column() >= gridColumns())
        return {};
    const bool enabled = cellEnabled(index.row(), index.column());
    switch (role) {
    case Qt::DisplayRole:
        if (!enabled && !showTextWhenDisabled())
            return QString();
        return cellText(index.row(), index.column());
    case Qt::EditRole:
        return cellText(index.row(), index.column());
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(columnAlignment(index.column()));
    case Qt::BackgroundRole:
        // Cells that cannot be edited for this row sit on the inactive-border colour.
        if (!enabled)
            return QApplication::palette().color(QPalette::Inactive, QPalette::Button).darker(108);
        return {};
    case Qt::ForegroundRole:
        if (!enabled)
            return QApplication::palette().color(QPalette::Disabled, QPalette::Text);
        return {};
    default:
        return {};
    }
}

QVariant CGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role == Qt::DisplayRole) {
        if (orientation == Qt::Horizontal)
            return section >= 0 && section < gridColumns() ? headerText(section) : QVariant();
        return section >= 0 && section < gridRows() ? fixedText(section) : QVariant();
    }
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
    return {};
}

Qt::ItemFlags CGridModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags result = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (cellEnabled(index.row(), index.column()) &&
        cellEditorKind(index.row(), index.column()) != CellEditorKind::None)
        result |= Qt::ItemIsEditable;
    return result;
}

bool CGridModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || (role != Qt::EditRole && role != kChosenRole))
        return false;
    if (role == kChosenRole)
        chooseCell(index.row(), index.column(), value.toString());
    else
        commitCell(index.row(), index.column(), value.toString());
    refreshAll();
    return true;
}

} // namespace rps
