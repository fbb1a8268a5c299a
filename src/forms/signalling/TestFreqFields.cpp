#include "forms/signalling/TestFreqFields.h"

#include "forms/channel/ChannelFields.h"
#include "forms/fields/FieldRecords.h"
#include "model/ByteOrder.h"
#include "model/FrequencyText.h"
#include "model/ImageMap.h"
#include "model/records/ChannelStore.h"

namespace rps::signalling {

using namespace fields;
using namespace testfreq;

namespace {

constexpr std::size_t kRx = 0;
constexpr std::size_t kTx = 4;
constexpr int kWarningRxOutOfBand = 786;
constexpr int kWarningTxOutOfBand = 787;
constexpr Input kFrequencyInput{CharFilterKind::Decimal, 10};

constexpr GridHead kColumns[] = {{847, 100, CellAlign::Right}, {848, 100, CellAlign::Right}};
constexpr GridShape kShape{kColumns, {}, 60, 0, {0, kTestFreqCount, true}, kRecordNumberText};
constexpr FieldRow kGrid = grid(kItemGrid, 0, kShape);

std::size_t recordOffset(int record)
{
    return kTestFrequencyOffset + static_cast<std::size_t>(kTestFreqRecordSize * record);
}

} // namespace

const std::array<FieldRow, 3> kTestFreqFields{{
    kGrid,
    edit(kItemRx, "rx", 847, u32(kRx), kFrequencyInput)
        .coded(channelcodecs::kFrequency)
        .warnOutside(kWarningRxOutOfBand)
        .inColumn(kGrid, 0),
    edit(kItemTx, "tx", 848, u32(kTx), kFrequencyInput)
        .coded(channelcodecs::kFrequency)
        .warnOutside(kWarningTxOutOfBand)
        .inColumn(kGrid, 1),
}};

const GridShape& testFreqGridShape()
{
    return kShape;
}

bool TestFreqRules::enabled(const FieldRow& row, int record) const
{
    return row.item != kItemTx || getU32(main_, recordOffset(record) + kRx) != kNoFrequency;
}

StoreStep TestFreqRules::beforeStore(FieldEdit& edit, EditResult& result)
{
    if (edit.raw != kNoFrequency)
        return StoreStep::Store;
    // An emptied frequency, whichever column, leaves the record unused.
    const std::size_t at = recordOffset(edit.record);
    result.changed = getU32(main_, at + kRx) != kNoFrequency || getU32(main_, at + kTx) != kNoFrequency;
    setU32(main_, at + kRx, kNoFrequency);
    setU32(main_, at + kTx, kNoFrequency);
    if (result.changed)
        result.touched |= kTouchesMain;
    return StoreStep::Done;
}

void TestFreqRules::afterStore(const FieldEdit& edit, EditResult& result)
{
    const std::size_t at = recordOffset(edit.record);
    if (edit.row.item == kItemRx && getU32(main_, at + kTx) == kNoFrequency) {
        setU32(main_, at + kTx, edit.raw);
        result.touched |= kTouchesMain;
    }
}

bool anyTestFreqChannel(ConfigImage& image)
{
    const ChannelStore store(image);
    for (int channel = 0; channel < kTestFreqCount; ++channel) {
        if (store.isProgrammed(channel))
            return true;
    }
    return false;
}

bool pasteChannelFrequencies(ConfigImage& image)
{
    const ChannelStore store(image);
    std::span<uint8_t> main = image.main();
    bool changed = false;
    for (int n = 0; n < kTestFreqCount; ++n) {
        uint32_t rx = kNoFrequency;
        uint32_t tx = kNoFrequency;
        if (store.isProgrammed(n)) {
            const std::span<const uint8_t> channel = store.record(n);
            rx = getU32(channel, ChannelField::kRxFrequency);
            tx = getU32(channel, ChannelField::kTxFrequency);
            if (tx == kNoFrequency)
                tx = rx;
        }
        const std::size_t at = recordOffset(n);
        changed |= getU32(main, at + kRx) != rx || getU32(main, at + kTx) != tx;
        setU32(main, at + kRx, rx);
        setU32(main, at + kTx, tx);
    }
    return changed;
}

namespace {

class TestFreqSession : public FieldFormSession {
public:
    TestFreqSession(ConfigImage& image, const FieldEnv& env)
        : records_(image.main(), kTestFrequencyOffset, kTestFreqRecordSize, kTestFreqRecordSize,
                   kTestFreqCount),
          rules_(image.main()),
          engine_(kTestFreqFields, records_, {image.main(), image.aux(), image.local()}, env, &rules_)
    {
    }
    FieldEngine& engine() override { return engine_; }

private:
    StrideRecords records_;
    TestFreqRules rules_;
    FieldEngine engine_;
};

} // namespace

std::unique_ptr<FieldFormSession> openTestFreqForm(ConfigImage& image, const FieldEnv& env)
{
    return std::make_unique<TestFreqSession>(image, env);
}

} // namespace rps::signalling
