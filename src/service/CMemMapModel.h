#pragma once
// The memory map grid: sixteen hex columns per line and, when shown, a gap column and
// sixteen character columns of the same bytes.
#include "service/MemMapView.h"

#include <QAbstractTableModel>

namespace rps {

class CMemMapModel : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int kHexColumns = 16;
    static constexpr int kGapColumn = 16;
    static constexpr int kFirstCharColumn = 17;

    CMemMapModel(MemMapSource source, std::span<uint8_t> mainArea, QObject* parent = nullptr);

    void setCharactersShown(bool shown);
    bool charactersShown() const { return charsShown_; }
    std::optional<MemMapWindow> window() const { return source_(); }
    std::size_t length() const;
    std::size_t baseAddress() const;
    // Byte offset of a cell, or nothing for the gap and cells past the end.
    std::optional<std::size_t> offsetOf(const QModelIndex& index) const;
    QModelIndex hexIndex(std::size_t offset) const;
    QModelIndex charIndex(std::size_t offset) const;
    bool isCharColumn(int column) const { return charsShown_ && column >= kFirstCharColumn; }
    bool changed() const { return changed_; }
    // Stores a byte typed into a character cell.
    bool writeCharacter(const QModelIndex& index, char character);
    void reload();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

signals:
    // An edit was refused; the language text says why.
    void writeRefused(int textNumber);

private:
    bool write(std::size_t offset, uint8_t value);

    MemMapSource source_;
    std::span<uint8_t> mainArea_;
    bool charsShown_ = false;
    bool changed_ = false;
    int lines_ = 0;
};

} // namespace rps
