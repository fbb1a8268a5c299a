#include "service/CMemMapModel.h"

#include <QFont>

namespace rps {

CMemMapModel::CMemMapModel(MemMapSource source, std::span<uint8_t> mainArea, QObject* parent)
    : QAbstractTableModel(parent), source_(std::move(source)), mainArea_(mainArea)
{
    lines_ = static_cast<int>((length() + kMemMapBytesPerLine - 1) / kMemMapBytesPerLine);
}

std::size_t CMemMapModel::length() const
{
    const auto w = source_();
    return w ? w->bytes.size() : 0;
}

std::size_t CMemMapModel::baseAddress() const
{
    const auto w = source_();
    return w ? w->baseAddress : 0;
}

void CMemMapModel::setCharactersShown(bool shown)
{
    if (shown == charsShown_)
        return;
    beginResetModel();
    charsShown_ = shown;
    endResetModel();
}

void CMemMapModel::reload()
{
    beginResetModel();
    lines_ = static_cast<int>((length() + kMemMapBytesPerLine - 1) / kMemMapBytesPerLine);
    endResetModel();
}

std::optional<std::size_t> CMemMapModel::offsetOf(const QModelIndex& index) const
{
    if (!index.isValid() || (index.column() == kGapColumn && charsShown_))
        return std::nullopt;
    const int column = isCharColumn(index.column()) ? index.column() - kFirstCharColumn : index.column();
    if (column < 0 || column >= kHexColumns)
        return std::nullopt;
    const std::size_t offset =
        static_cast<std::size_t>(index.row()) * kMemMapBytesPerLine + static_cast<std::size_t>(column);
    if (offset >= length())
        return std::nullopt;
    return offset;
}

QModelIndex CMemMapModel::hexIndex(std::size_t offset) const
{
    return index(static_cast<int>(offset / kMemMapBytesPerLine),
                 static_cast<int>(offset % kMemMapBytesPerLine));
}

QModelIndex CMemMapModel::charIndex(std::size_t offset) const
{
    if (!charsShown_)
        return hexIndex(offset);
    return index(static_cast<int>(offset / kMemMapBytesPerLine),
                 kFirstCharColumn + static_cast<int>(offset % kMemMapBytesPerLine));
}

int CMemMapModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : lines_;
}

int CMemMapModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : (charsShown_ ? kFirstCharColumn + kHexColumns : kHexColumns);
}

QVariant CMemMapModel::data(const QModelIndex& index, int role) const
{
    const auto offset = offsetOf(index);
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
    if (!offset || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    const auto w = source_();
    if (!w)
        return {};
    const uint8_t byte = w->bytes[*offset];
    if (isCharColumn(index.column()))
        return QString::fromStdString(memMapCharCell(byte));
    return QString::fromStdString(memMapHexCell(byte));
}

QVariant CMemMapModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return QString::fromStdString(
            memMapLineHeader(baseAddress() + static_cast<std::size_t>(section) * kMemMapBytesPerLine));
    if (charsShown_ && section == kGapColumn)
        return QString();
    return QString::fromStdString(
        memMapColumnHeader(isCharColumn(section) ? section - kFirstCharColumn : section));
}

Qt::ItemFlags CMemMapModel::flags(const QModelIndex& index) const
{
    if (!offsetOf(index))
        return Qt::NoItemFlags;
    Qt::ItemFlags result = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (!isCharColumn(index.column()))
        result |= Qt::ItemIsEditable;
    return result;
}

bool CMemMapModel::write(std::size_t offset, uint8_t value)
{
    const auto w = source_();
    if (!w)
        return false;
    const MemMapWriteResult result = writeMemMapByte(*w, mainArea_, offset, value);
    if (!result.written) {
        if (result.refusedText)
            emit writeRefused(result.refusedText);
        return false;
    }
    changed_ = true;
    const QModelIndex hex = hexIndex(offset);
    emit dataChanged(hex, hex);
    if (charsShown_) {
        const QModelIndex character = charIndex(offset);
        emit dataChanged(character, character);
    }
    return true;
}

bool CMemMapModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    const auto offset = offsetOf(index);
    if (!offset || role != Qt::EditRole || isCharColumn(index.column()))
        return false;
    const auto byte = parseMemMapHexEntry(value.toString().trimmed().toStdString());
    return byte && write(*offset, *byte);
}

bool CMemMapModel::writeCharacter(const QModelIndex& index, char character)
{
    const auto offset = offsetOf(index);
    return offset && write(*offset, static_cast<uint8_t>(character));
}

} // namespace rps
