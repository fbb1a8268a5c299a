#include "forms/signalling/EncDecFields.h"

#include "model/RemoteControlRules.h"

namespace rps::signalling {

using namespace fields;

namespace {

constexpr int kTextCode = 1151;
constexpr int kTextFrequency = 1147;
constexpr int kTextPeriod = 1148;
constexpr int kTextActivation = 1149;
constexpr int kTextDeactivation = 1150;
constexpr int kTextSideTone = 1138;

constexpr GridHead kCodeColumn[] = {{kTextCode, 200}};
constexpr GridShape kEncodeShape{kCodeColumn, {}, 40, 0, {0, kEncodeCount, true}, kRecordNumberText};
constexpr GridShape kDecodeShape{kCodeColumn,      {}, 40, 0, {kFirstDecodeRecord, kDecodeCount, true},
                                 kRecordNumberText};

constexpr FieldRow kEncodeGrid = grid(kEncodeGridItem, 944, kEncodeShape).at({0, 0, -1});
constexpr FieldRow kDecodeGrid = grid(kDecodeGridItem, 945, kDecodeShape).at({1, 0, -1});

// A code: up to 16 DTMF digits in a 24-byte record.
constexpr FieldRow code(int item, const FieldRow& grid)
{
    return edit(item, "code", kTextCode,
                text(0, static_cast<int>(kCodeRecordSize)).padded(kNoCode).codec(TextCodec::DtmfDigits),
                {CharFilterKind::Dtmf, static_cast<int>(kDtmfMaxDigits)})
        .inColumn(grid, 0);
}

// Transpond values: typed numbers are clamped and rounded down, an empty field stores the
// minimum, a stored value outside the range shows empty.
constexpr Range kFrequencyRange = Range{100, 3000, 10}.emptyStoresMin().blankWhenOutside();
constexpr Range kPeriodRange = Range{100, 3000, 50}.emptyStoresMin().blankWhenOutside();

constexpr FieldRow inGroup(FieldRow row, int group)
{
    return row.at({0, 1, group});
}

const std::array<FieldRow, 11> kEncDecFields{{
    kEncodeGrid,
    kDecodeGrid,
    code(kItemEncodeCode, kEncodeGrid),
    code(kItemDecodeCode, kDecodeGrid),
    group(kItemActivationGroup, kTextActivation).at({0, 1, -1}),
    inGroup(spin(kItemActivationFrequency, "activation-tone", kTextFrequency, bcd(kActivationTone),
                 kFrequencyRange),
            kItemActivationGroup),
    inGroup(spin(kItemActivationPeriod, "activation-period", kTextPeriod,
                 u8(kActivationPeriod).times(1.0 / 50), kPeriodRange),
            kItemActivationGroup),
    group(kItemDeactivationGroup, kTextDeactivation).at({0, 1, -1}),
    inGroup(spin(kItemDeactivationFrequency, "deactivation-tone", kTextFrequency, bcd(kDeactivationTone),
                 kFrequencyRange),
            kItemDeactivationGroup),
    inGroup(spin(kItemDeactivationPeriod, "deactivation-period", kTextPeriod,
                 u8(kDeactivationPeriod).times(1.0 / 50), kPeriodRange),
            kItemDeactivationGroup),
    check(kItemSideTone, "side-tone", kTextSideTone, bits8(kDtmfFlags, kSideToneOffBit),
          OnOff{.on = 0, .off = 1})
        .at({0, 1, -1}),
}};

bool isCode(const FieldRow& row)
{
    return row.item == kItemEncodeCode || row.item == kItemDecodeCode;
}

class EncDecSession : public FieldFormSession {
public:
    EncDecSession(ConfigImage& image, const FieldEnv& env)
        : records_(image.main()), rules_(image.main(), records_),
          engine_(encDecFields(), records_, {image.main(), image.aux(), image.local()}, env, &rules_)
    {
    }
    FieldEngine& engine() override { return engine_; }

private:
    EncDecRecords records_;
    EncDecRules rules_;
    FieldEngine engine_;
};

} // namespace

FieldTable encDecFields()
{
    return kEncDecFields;
}

const GridShape& encodeGridShape()
{
    return kEncodeShape;
}

const GridShape& decodeGridShape()
{
    return kDecodeShape;
}

std::span<uint8_t> EncDecRecords::record(int index) const
{
    if (index < 0 || index > kEncDecWideRecord)
        return {};
    if (index == kEncDecWideRecord)
        return main_;
    const std::size_t offset =
        index < kFirstDecodeRecord
            ? kEncodeTable + kCodeRecordSize * static_cast<std::size_t>(index)
            : kDecodeTable + kCodeRecordSize * static_cast<std::size_t>(index - kFirstDecodeRecord);
    if (offset + kCodeRecordSize > main_.size())
        return {};
    return main_.subspan(offset, kCodeRecordSize);
}

std::string EncDecRecords::recordKey(int index) const
{
    if (index >= 0 && index < kFirstDecodeRecord)
        return "encode." + std::to_string(index + 1);
    if (index >= kFirstDecodeRecord && index < kEncDecWideRecord)
        return "decode." + std::to_string(index - kFirstDecodeRecord + 1);
    return {};
}

uint8_t codeNumberOfRecord(int record)
{
    if (record >= 0 && record < kFirstDecodeRecord)
        return encodeCodeNumber(record);
    if (record >= kFirstDecodeRecord && record < kEncDecWideRecord)
        return decodeCodeNumber(record - kFirstDecodeRecord);
    return kNoCode;
}

bool EncDecRules::hasField(const FieldRow& row, int record) const
{
    switch (row.item) {
    case kItemEncodeCode:
        return record >= 0 && record < kFirstDecodeRecord;
    case kItemDecodeCode:
        return record >= kFirstDecodeRecord && record < kEncDecWideRecord;
    default:
        return record == kEncDecWideRecord;
    }
}

void EncDecRules::removeIfEmpty(int record)
{
    const std::span<uint8_t> bytes = records_.record(record);
    if (!bytes.empty() && bytes[0] == kNoCode && removeCodeReferences(main_, codeNumberOfRecord(record)))
        remote::repairRemoteControl(main_);
}

void EncDecRules::afterStore(const FieldEdit& edit, EditResult&)
{
    if (isCode(edit.row))
        removeIfEmpty(edit.record);
}

void EncDecRules::afterRecords(int first, int /*last*/, EditResult&)
{
    // Every empty code of the table rewritten loses its references, not only those rewritten.
    const bool encode = first < kFirstDecodeRecord;
    const int from = encode ? 0 : kFirstDecodeRecord;
    const int to = encode ? kFirstDecodeRecord : kEncDecWideRecord;
    for (int record = from; record < to; ++record)
        removeIfEmpty(record);
}

std::unique_ptr<FieldFormSession> openEncDecFields(ConfigImage& image, const FieldEnv& env)
{
    return std::make_unique<EncDecSession>(image, env);
}

} // namespace rps::signalling
