#include "forms/feature/SpecialFields.h"

#include "forms/channel/ChannelFields.h"
#include "model/ByteOrder.h"
#include "model/FeatureMap.h"
#include "model/FrequencyText.h"
#include "model/ModelBlock.h"

#include <cmath>

namespace rps {

using namespace fields;
using namespace special;
using feature::kTuningPointCount;
using feature::kTuningPoints;
using feature::kTuningPointSize;

namespace {

constexpr int kTextOffValue = 854;
constexpr Input kTuningInput{CharFilterKind::Decimal, 10};

// A tuning cell: a frequency as the channels show it. Empty, zero and unreadable text reads
// as 0, which the rules replace by the cell's default point.
const FieldCodec kTuningFrequency{
    [](uint32_t raw, const FieldEnv& env) { return channelcodecs::kFrequency.format(raw, env); },
    [](std::string_view text, const FieldEnv& env) {
        if (!(parseDecimal(text, env.decimalSeparator) > 0.0))
            return CodecParse{0, false};
        const FrequencyEntry entry = parseFrequency(text, env.limits, env.decimalSeparator);
        return CodecParse{entry.hz, entry.outsideBand};
    },
};

constexpr FieldRow tuningCell(int point, int column, std::string_view key)
{
    const std::size_t offset = kTuningPoints + kTuningPointSize * static_cast<std::size_t>(point) +
                               4 * static_cast<std::size_t>(column);
    return field(100 + 2 * point + column, key, column == 0 ? 847 : 848, Control::None,
                 u32(offset).in(Area::Main))
        .coded(kTuningFrequency)
        .filter(kTuningInput)
        .warnOutside(column == 0 ? kWarningRxOutOfBand : kWarningTxOutOfBand);
}

// Hz of the default points: first column, second column, per point.
constexpr uint32_t kVhfPoints[5][2] = {{136050000, 136100000},
                                       {145550000, 145600000},
                                       {155050000, 155100000},
                                       {164550000, 164600000},
                                       {173950000, 173900000}};
constexpr uint32_t kUhfHighPoints[5][2] = {{450050000, 450100000},
                                           {467550000, 467600000},
                                           {485050000, 485100000},
                                           {502550000, 502600000},
                                           {519950000, 519900000}};
constexpr uint32_t kUhfLowPoints[5][2] = {{400050000, 400100000},
                                          {417550000, 417600000},
                                          {435050000, 435100000},
                                          {452550000, 452600000},
                                          {469950000, 469900000}};

// Where a tuning cell's first byte is in the main area, whichever form shows it; nothing for
// the other fields.
std::optional<std::size_t> tuningOffset(const FieldRow& row, int record)
{
    if (row.storage.width != Width::U32)
        return std::nullopt;
    std::size_t offset = row.storage.offset;
    if (row.storage.area == Area::Record) {
        if (record < 0 || record >= kTuningPointCount)
            return std::nullopt;
        offset += kTuningPoints + kTuningPointSize * static_cast<std::size_t>(record);
    }
    if (offset < kTuningPoints || offset >= kTuningPoints + kTuningPointSize * kTuningPointCount)
        return std::nullopt;
    return offset;
}

} // namespace

const std::array<FieldRow, kPageOneRows + 10> kAdvancedFields{{
    spin(kItemPhase, "qt-reverse-burst-phase", 1359, u8(feature::kQtReverseBurstPhase).in(Area::Main),
         Range{0, 254, 1}.readsAs(0xFF, 180))
        .filter({CharFilterKind::Digits, 3}),
    spin(kItemHangTime, "repeat-hang-time", 1039, u16(feature::kRepeatHangTime).in(Area::Main).times(100),
         Range{1.0, 30.0, 0.1}.offAt(0, kTextOffValue).blankWhenOutside())
        .filter({CharFilterKind::Decimal, 4}),
    tuningCell(0, 0, "tuning.1.first"),
    tuningCell(0, 1, "tuning.1.second"),
    tuningCell(1, 0, "tuning.2.first"),
    tuningCell(1, 1, "tuning.2.second"),
    tuningCell(2, 0, "tuning.3.first"),
    tuningCell(2, 1, "tuning.3.second"),
    tuningCell(3, 0, "tuning.4.first"),
    tuningCell(3, 1, "tuning.4.second"),
    tuningCell(4, 0, "tuning.5.first"),
    tuningCell(4, 1, "tuning.5.second"),
}};

const std::array<FieldRow, 2> kTuningColumns{{
    edit(0, "first", 847, u32(0), kTuningInput).coded(kTuningFrequency).warnOutside(kWarningRxOutOfBand),
    edit(1, "second", 848, u32(4), kTuningInput).coded(kTuningFrequency).warnOutside(kWarningTxOutOfBand),
}};

uint32_t defaultTuningPoint(uint16_t modelCode, int point, int column)
{
    if (point < 0 || point >= kTuningPointCount || column < 0 || column > 1)
        return kNoFrequency;
    const auto p = static_cast<std::size_t>(point);
    const auto c = static_cast<std::size_t>(column);
    switch (modelCode) {
    case 0x0600:
        return kUhfHighPoints[p][c];
    case 0x0700:
    case 0x0702:
    case 0x0703:
        return kUhfLowPoints[p][c];
    default:
        return kVhfPoints[p][c];
    }
}

StoreStep SpecialRules::beforeStore(FieldEdit& edit, EditResult& result)
{
    if (edit.row.item == kItemHangTime && edit.origin == EditOrigin::Typed) {
        // Less than a whole second (0.5 as well as 0) switches the hang time off.
        const double typed = parseDecimal(edit.text, env_.decimalSeparator);
        if (std::trunc(typed) == 0.0)
            edit.raw = 0;
        return StoreStep::Store;
    }
    const auto offset = tuningOffset(edit.row, edit.record);
    if (!offset || edit.raw != 0)
        return StoreStep::Store;
    const auto cell = static_cast<int>((*offset - kTuningPoints) / 4);
    const uint32_t fallback = defaultTuningPoint(readModelBlock(main_).modelCode(), cell / 2, cell % 2);
    const FrequencyEntry entry = applyFrequencyRule(fallback / 1e6, env_.limits);
    edit.raw = entry.hz;
    if (entry.outsideBand)
        result.message = cell % 2 == 0 ? kWarningRxOutOfBand : kWarningTxOutOfBand;
    return StoreStep::Store;
}

void SpecialRules::afterStore(const FieldEdit& edit, EditResult&)
{
    const auto offset = tuningOffset(edit.row, edit.record);
    if (!offset || (*offset - kTuningPoints) % kTuningPointSize != 0)
        return;
    // A point with only its first frequency takes the same one as its second.
    if (getU32(main_, *offset + 4) == kNoFrequency)
        setU32(main_, *offset + 4, edit.raw);
}

namespace {

class AdvancedSession : public FieldFormSession {
public:
    AdvancedSession(ConfigImage& image, const FieldEnv& env, FieldTable table, bool tuningGrid)
        : env_(env), global_(image.main()),
          points_(image.main(), kTuningPoints, kTuningPointSize, kTuningPointSize, kTuningPointCount),
          rules_(image.main(), env_), engine_(table, tuningGrid ? static_cast<RecordSet&>(points_) : global_,
                                              {image.main(), image.aux(), image.local()}, env_, &rules_)
    {
    }
    FieldEngine& engine() override { return engine_; }

private:
    FieldEnv env_;
    GlobalRecords global_;
    StrideRecords points_;
    SpecialRules rules_;
    FieldEngine engine_;
};

} // namespace

std::unique_ptr<FieldFormSession> openAdvancedForm(ConfigImage& image, const FieldEnv& env)
{
    return std::make_unique<AdvancedSession>(image, env, kAdvancedFields, false);
}

std::unique_ptr<FieldFormSession> openTuningGrid(ConfigImage& image, const FieldEnv& env)
{
    return std::make_unique<AdvancedSession>(image, env, kTuningColumns, true);
}

} // namespace rps
