#pragma once
// "Multi Table": fifteen tables, each with up to fifteen analog entries (a QT/DQT decode with
// its encode) and fifteen NXDN entries (a RAN decode with its encode). The table number picks
// the group of records both grids show; each group starts with the blank grid row. Keys:
// multi-table.3.analog.2.decode, multi-table.3.nxdn.1.encode.
#include "forms/fields/DeclaredForm.h"
#include "model/records/ChannelLayout.h"

#include <array>
#include <memory>

namespace rps::signalling {

inline constexpr int kMultiTitleText = 837;

namespace multi {
inline constexpr int kItemTable = 0;
inline constexpr int kItemAnalogGrid = 1;
inline constexpr int kItemNxdnGrid = 2;
inline constexpr int kItemAnalogDecode = 3;
inline constexpr int kItemAnalogEncode = 4;
inline constexpr int kItemNxdnDecode = 5;
inline constexpr int kItemNxdnEncode = 6;

inline constexpr int kEntries = 15;
inline constexpr int kGroupRows = kEntries + 1;      // the blank row, then the entries
inline constexpr int kTableRecords = 2 * kGroupRows; // analog group, then NXDN group
inline constexpr uint16_t kNoEntry = 0xFFFF;

enum class Kind { Analog, Nxdn };

// The record of entry `entry` (1..15) of a table (1..15).
constexpr int recordOf(int table, Kind kind, int entry)
{
    return (table - 1) * kTableRecords + (kind == Kind::Nxdn ? kGroupRows : 0) + entry;
}
} // namespace multi

extern const std::array<fields::FieldRow, 7> kMultiFields;

// The records of every table: an entry's decode is its first u16, its encode the u16 32 bytes on.
class MultiRecords : public fields::RecordSet {
public:
    explicit MultiRecords(std::span<uint8_t> mainArea) : main_(mainArea) {}
    int count() const override { return kMultiTableCount * multi::kTableRecords; }
    std::span<uint8_t> record(int index) const override;
    std::string recordKey(int index) const override;
    std::vector<uint8_t> recordBytes(int index) const override;
    void writeRecordBytes(int index, std::span<const uint8_t> bytes) override;
    void fillRecord(int index, uint8_t byte) override;

private:
    std::span<uint8_t> main_;
};

// Stored entry counts follow the decodes after every change of a table, and a channel whose
// table stops having entries of its kind loses its multi table.
class MultiRules : public fields::FieldRules {
public:
    MultiRules(std::span<uint8_t> mainArea, std::span<uint8_t> auxArea) : main_(mainArea), aux_(auxArea) {}
    bool hasField(const fields::FieldRow& row, int record) const override;
    bool enabled(const fields::FieldRow& row, int record) const override;
    fields::StoreStep beforeStore(fields::FieldEdit& edit, fields::EditResult& result) override;
    void afterStore(const fields::FieldEdit& edit, fields::EditResult& result) override;
    void afterRecords(int first, int last, fields::EditResult& result) override;

private:
    void settle(int table, fields::EditResult& result);
    uint16_t entry(int table, multi::Kind kind, int entry, bool encode) const;
    void setEntry(int table, multi::Kind kind, int entry, bool encode, uint16_t value);

    std::span<uint8_t> main_;
    std::span<uint8_t> aux_;
};

// Entries set in a table (decodes not empty), as the counts store them.
int multiEntryCount(std::span<const uint8_t> mainArea, int table, multi::Kind kind);

std::unique_ptr<FieldFormSession> openMultiForm(ConfigImage& image, const fields::FieldEnv& env);

} // namespace rps::signalling
