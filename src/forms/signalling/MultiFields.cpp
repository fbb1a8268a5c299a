#include "forms/signalling/MultiFields.h"

#include "forms/channel/ChannelFields.h"
#include "model/ByteOrder.h"
#include "model/records/ChannelStore.h"

namespace rps::signalling {

using namespace fields;
using namespace multi;

namespace {

constexpr std::size_t kAnalogEntries = 0x5000;
constexpr std::size_t kNxdnEntries = 0x5400;
constexpr std::size_t kTableSize = 64;
constexpr std::size_t kEncodeOffset = 0x20;
constexpr std::size_t kRecordSize = kEncodeOffset + 2;

constexpr GridHead kAnalogColumns[] = {{1163, 100}, {1164, 100}};
constexpr GridHead kNxdnColumns[] = {{1165, 100}, {1166, 100}};
constexpr RecordRows groupRows(Kind kind)
{
    return {.first = kind == Kind::Nxdn ? kGroupRows : 0,
            .count = kGroupRows,
            .rowCommands = true,
            .emptyByte = 0xFF,
            .groupStride = kTableRecords,
            .blankFirstRow = true};
}
constexpr GridShape kAnalogShape{kAnalogColumns, {}, 60, 0, groupRows(Kind::Analog), kRecordNumberText};
constexpr GridShape kNxdnShape{kNxdnColumns, {}, 60, 0, groupRows(Kind::Nxdn), kRecordNumberText};

constexpr FieldRow kAnalogGrid = grid(kItemAnalogGrid, 922, kAnalogShape).at({0, 0, -1});
constexpr FieldRow kNxdnGrid = grid(kItemNxdnGrid, 923, kNxdnShape).at({0, 1, -1});

constexpr std::size_t entryOffset(int table, Kind kind, int entry)
{
    return (kind == Kind::Nxdn ? kNxdnEntries : kAnalogEntries) +
           kTableSize * static_cast<std::size_t>(table - 1) + 2 * static_cast<std::size_t>(entry - 1);
}

struct Place {
    int table;
    Kind kind;
    int entry; // 0 = the blank row
};

constexpr Place placeOf(int record)
{
    const int inTable = record % kTableRecords;
    return {record / kTableRecords + 1, inTable >= kGroupRows ? Kind::Nxdn : Kind::Analog,
            inTable % kGroupRows};
}

bool isAnalogRow(const FieldRow& row)
{
    return row.item == kItemAnalogDecode || row.item == kItemAnalogEncode;
}

bool isNxdnRow(const FieldRow& row)
{
    return row.item == kItemNxdnDecode || row.item == kItemNxdnEncode;
}

bool isDecode(const FieldRow& row)
{
    return row.item == kItemAnalogDecode || row.item == kItemNxdnDecode;
}

std::size_t countOffset(int table, Kind kind)
{
    return (kind == Kind::Nxdn ? kMultiNxdnCountOffset : kMultiAnalogCountOffset) +
           static_cast<std::size_t>(table - 1);
}

// How many entries of a table a channel of this type may use; an unknown type uses none.
int usableEntries(std::span<const uint8_t> main, int table, uint8_t type)
{
    switch (type) {
    case kTypeAnalog:
        return multiEntryCount(main, table, Kind::Analog);
    case kTypeNxdn:
        return multiEntryCount(main, table, Kind::Nxdn);
    case kTypeMixed:
        return multiEntryCount(main, table, Kind::Analog) + multiEntryCount(main, table, Kind::Nxdn);
    default:
        return 0;
    }
}

class MultiSession : public FieldFormSession {
public:
    MultiSession(ConfigImage& image, const FieldEnv& env)
        : records_(image.main()), rules_(image.main(), image.aux()),
          engine_(kMultiFields, records_, {image.main(), image.aux(), image.local()}, env, &rules_)
    {
    }
    FieldEngine& engine() override { return engine_; }

private:
    MultiRecords records_;
    MultiRules rules_;
    FieldEngine engine_;
};

} // namespace

const std::array<FieldRow, 7> kMultiFields{{
    // The table number picks the records both grids show; typed numbers are clamped to 1..15.
    spin(kItemTable, {}, kMultiTitleText, none(), Range{1, kMultiTableCount, 1})
        .filter({CharFilterKind::Digits, 2})
        .at({0, 0, -1}),
    kAnalogGrid,
    kNxdnGrid,
    combo(kItemAnalogDecode, "decode", 1163, u16(0), channelcodecs::kQtDqt, {CharFilterKind::Any, 6})
        .inColumn(kAnalogGrid, 0),
    combo(kItemAnalogEncode, "encode", 1164, u16(kEncodeOffset), channelcodecs::kQtDqt,
          {CharFilterKind::Any, 6})
        .inColumn(kAnalogGrid, 1),
    combo(kItemNxdnDecode, "decode", 1165, u16(0), channelcodecs::kRan, {CharFilterKind::Digits, 2})
        .inColumn(kNxdnGrid, 0),
    combo(kItemNxdnEncode, "encode", 1166, u16(kEncodeOffset), channelcodecs::kRan,
          {CharFilterKind::Digits, 2})
        .inColumn(kNxdnGrid, 1),
}};

int multiEntryCount(std::span<const uint8_t> mainArea, int table, Kind kind)
{
    int count = 0;
    for (int entry = 1; entry <= kEntries; ++entry) {
        if (getU16(mainArea, entryOffset(table, kind, entry)) != kNoEntry)
            ++count;
    }
    return count;
}

std::span<uint8_t> MultiRecords::record(int index) const
{
    if (index < 0 || index >= count())
        return {};
    const Place place = placeOf(index);
    if (place.entry == 0)
        return {};
    return main_.subspan(entryOffset(place.table, place.kind, place.entry), kRecordSize);
}

std::string MultiRecords::recordKey(int index) const
{
    const Place place = placeOf(index);
    return std::to_string(place.table) + (place.kind == Kind::Nxdn ? ".nxdn." : ".analog.") +
           std::to_string(place.entry);
}

// Copy, paste and delete see the decode and the encode, not the entries between them.
std::vector<uint8_t> MultiRecords::recordBytes(int index) const
{
    const std::span<uint8_t> bytes = record(index);
    if (bytes.empty())
        return {};
    return {bytes[0], bytes[1], bytes[kEncodeOffset], bytes[kEncodeOffset + 1]};
}

void MultiRecords::writeRecordBytes(int index, std::span<const uint8_t> bytes)
{
    const std::span<uint8_t> target = record(index);
    if (target.empty() || bytes.size() < 4)
        return;
    target[0] = bytes[0];
    target[1] = bytes[1];
    target[kEncodeOffset] = bytes[2];
    target[kEncodeOffset + 1] = bytes[3];
}

void MultiRecords::fillRecord(int index, uint8_t byte)
{
    const std::vector<uint8_t> filled(4, byte);
    writeRecordBytes(index, filled);
}

bool MultiRules::hasField(const FieldRow& row, int record) const
{
    const Place place = placeOf(record);
    if (isAnalogRow(row))
        return place.entry > 0 && place.kind == Kind::Analog;
    if (isNxdnRow(row))
        return place.entry > 0 && place.kind == Kind::Nxdn;
    return true;
}

bool MultiRules::enabled(const FieldRow& row, int record) const
{
    return hasField(row, record);
}

uint16_t MultiRules::entry(int table, Kind kind, int entry, bool encode) const
{
    return getU16(main_, entryOffset(table, kind, entry) + (encode ? kEncodeOffset : 0));
}

void MultiRules::setEntry(int table, Kind kind, int entry, bool encode, uint16_t value)
{
    setU16(main_, entryOffset(table, kind, entry) + (encode ? kEncodeOffset : 0), value);
}

StoreStep MultiRules::beforeStore(FieldEdit& edit, EditResult& result)
{
    const Place place = placeOf(edit.record);
    // An encode needs its decode.
    if (!isDecode(edit.row) && entry(place.table, place.kind, place.entry, false) == kNoEntry) {
        result.refused = true;
        return StoreStep::Done;
    }
    return StoreStep::Store;
}

void MultiRules::afterStore(const FieldEdit& edit, EditResult& result)
{
    const Place place = placeOf(edit.record);
    if (isDecode(edit.row)) {
        const uint16_t decode = entry(place.table, place.kind, place.entry, false);
        const uint16_t encode = entry(place.table, place.kind, place.entry, true);
        // No encode without a decode; a typed decode fills an empty encode.
        if (decode == kNoEntry)
            setEntry(place.table, place.kind, place.entry, true, kNoEntry);
        else if (encode == kNoEntry && edit.origin == EditOrigin::Typed)
            setEntry(place.table, place.kind, place.entry, true, decode);
    }
    settle(place.table, result);
}

void MultiRules::afterRecords(int first, int /*last*/, EditResult& result)
{
    // A pasted or deleted entry may leave an encode without its decode.
    const Place place = placeOf(first);
    for (int e = 1; e <= kEntries; ++e) {
        if (entry(place.table, place.kind, e, false) == kNoEntry)
            setEntry(place.table, place.kind, e, true, kNoEntry);
    }
    settle(place.table, result);
}

void MultiRules::settle(int table, EditResult& result)
{
    for (Kind kind : {Kind::Analog, Kind::Nxdn}) {
        const int count = multiEntryCount(main_, table, kind);
        main_[countOffset(table, kind)] = count == 0 ? 0xFF : static_cast<uint8_t>(count);
    }
    ChannelStore store(main_, aux_);
    for (int channel = 0; channel < kChannelCount; ++channel) {
        const std::span<uint8_t> record = store.record(channel);
        if (record.empty() || record[ChannelField::kMultiTable] != table ||
            usableEntries(main_, table, record[ChannelField::kChannelType]) > 0)
            continue;
        record[ChannelField::kMultiTable] = 0;
        result.changed = true;
        result.touched |= kTouchesChannels;
    }
    result.touched |= kTouchesMain;
}

std::unique_ptr<FieldFormSession> openMultiForm(ConfigImage& image, const FieldEnv& env)
{
    return std::make_unique<MultiSession>(image, env);
}

} // namespace rps::signalling
