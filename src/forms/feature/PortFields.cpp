#include "forms/feature/PortFields.h"

#include "forms/feature/FeatureEdits.h"
#include "forms/feature/FunctionFields.h"
#include "forms/feature/PortModes.h"
#include "model/ByteOrder.h"
#include "model/FeatureMap.h"
#include "model/RemoteControlRules.h"
#include "model/records/FunctionCodePlaces.h"

namespace rps::feature {

using namespace fields;

namespace {

constexpr Choice kModeChoices[] = {
    {kPortInput, 1066}, {kPortOutput, 1067}, {kPortRun, 1068}, {kPortGroup, 1069}};
constexpr uint8_t kNoOutput = 0x20;
constexpr Choice kOutputChoices[] = {{kNoOutput, 1298}, {0x30, 1330}, {0x3E, 1338},
                                     {0x3B, 1336},      {0x32, 1332}, {0x3C, 1335},
                                     {0x31, 1331},      {0x37, 1334}, {0x33, 1333}};

// A level byte: 0xFF and 0x00 are offered; any value but 0 reads as the first.
template <int HighText, int LowText> std::string levelName(uint32_t raw, const FieldEnv& env)
{
    return env.text(raw != 0 ? HighText : LowText);
}
template <int HighText, int LowText> CodecParse parseLevel(std::string_view text, const FieldEnv& env)
{
    return {text == env.text(LowText) ? 0x00u : 0xFFu, false};
}
std::vector<uint32_t> levelChoices(const FieldEnv&)
{
    return {0xFF, 0x00};
}
const FieldCodec kInputLevelCodec{levelName<1095, 1096>, parseLevel<1095, 1096>, levelChoices};
const FieldCodec kOutputLevelCodec{levelName<1093, 1094>, parseLevel<1093, 1094>, levelChoices};

constexpr int kTextInputLevel = 1002;
constexpr int kTextOutputLevel = 1002;

std::size_t group(std::size_t table, int number)
{
    return table + kGroupStride * static_cast<std::size_t>(number - 1);
}

bool isInputRow(PortRecordKind kind)
{
    return kind == PortRecordKind::FixedInput || kind == PortRecordKind::PortInput;
}
bool isOutputRow(PortRecordKind kind)
{
    return kind == PortRecordKind::FixedOutput || kind == PortRecordKind::PortOutput;
}

int slotOf(const FieldRow& row)
{
    return row.item - kPortItemInput1 + 1;
}

} // namespace

const std::array<FieldRow, 7> kPortFields{{
    list(kPortItemMode, "mode", kTextFunction, u8(0), kModeChoices),
    list(kPortItemInputLevel, "input-level", kTextInputLevel, u8(0)).coded(kInputLevelCodec),
    list(kPortItemInput1, "input.1", 999, u16(0)).coded(kFunctionNameCodec),
    list(kPortItemInput1 + 1, "input.2", 1000, u16(2)).coded(kFunctionNameCodec),
    list(kPortItemInput1 + 2, "input.3", 1001, u16(4)).coded(kFunctionNameCodec),
    list(kPortItemOutput, "output", kTextFunction, u8(0), kOutputChoices),
    list(kPortItemOutputLevel, "output-level", kTextOutputLevel, u8(1)).coded(kOutputLevelCodec),
}};

void PortRecords::reload()
{
    entries_.clear();
    const bool all = rows_ == PortRows::All;
    if (all || rows_ == PortRows::Modes) {
        for (int port = 1; port <= kPortCount; ++port)
            entries_.push_back(
                {PortRecordKind::Mode, port, kPortModes + static_cast<std::size_t>(port - 1), 1});
    }
    if (all || rows_ == PortRows::Inputs) {
        for (int input = 1; input <= kFixedInputCount; ++input)
            entries_.push_back({PortRecordKind::FixedInput, input, group(kFixedInputFunctions, input),
                                kSlotsPerGroup * kSlotStride});
        for (int port = 1; port <= kPortCount; ++port) {
            if (all || portMode(main_, port) == kPortInput)
                entries_.push_back({PortRecordKind::PortInput, port, group(kPortInputFunctions, port),
                                    kSlotsPerGroup * kSlotStride});
        }
    }
    if (all || rows_ == PortRows::Outputs) {
        for (int output = 1; output <= kFixedOutputCount; ++output)
            entries_.push_back({PortRecordKind::FixedOutput, output, group(kFixedOutputs, output), 2});
        for (int port = 1; port <= kPortCount; ++port) {
            if (all || portMode(main_, port) == kPortOutput)
                entries_.push_back({PortRecordKind::PortOutput, port, group(kPortOutputs, port), 2});
        }
    }
    if (all || rows_ == PortRows::Level)
        entries_.push_back({PortRecordKind::InputLevel, 0, kInputLevel, 1});
}

const PortRecords::Entry* PortRecords::entry(int index) const
{
    return index >= 0 && index < count() ? &entries_[static_cast<std::size_t>(index)] : nullptr;
}

std::span<uint8_t> PortRecords::record(int index) const
{
    const Entry* e = entry(index);
    if (!e || e->offset + e->size > main_.size())
        return {};
    return main_.subspan(e->offset, e->size);
}

std::string PortRecords::recordKey(int index) const
{
    const Entry* e = entry(index);
    if (!e)
        return {};
    switch (e->kind) {
    case PortRecordKind::FixedInput:
        return "fixed-input." + std::to_string(e->number);
    case PortRecordKind::FixedOutput:
        return "fixed-output." + std::to_string(e->number);
    case PortRecordKind::InputLevel:
        return {};
    default:
        return std::to_string(e->number);
    }
}

int outputFunctionText(uint8_t code)
{
    for (const Choice& choice : kOutputChoices) {
        if (choice.value == code)
            return choice.text;
    }
    return 0;
}

int portRowLabelText(const PortRecords::Entry& entry)
{
    switch (entry.kind) {
    case PortRecordKind::Mode:
        return 1057 + entry.number - 1;
    case PortRecordKind::FixedInput:
        return 1070 + entry.number - 1;
    case PortRecordKind::FixedOutput:
        return 1085 + entry.number - 1;
    case PortRecordKind::PortInput:
    case PortRecordKind::PortOutput:
        return 1077 + entry.number - 1;
    case PortRecordKind::InputLevel:
        return kTextInputLevel;
    }
    return 0;
}

bool PortFieldRules::hasField(const FieldRow& row, int record) const
{
    const PortRecords::Entry* e = records_.entry(record);
    if (!e)
        return false;
    switch (row.item) {
    case kPortItemMode:
        return e->kind == PortRecordKind::Mode;
    case kPortItemInputLevel:
        return e->kind == PortRecordKind::InputLevel;
    case kPortItemOutput:
    case kPortItemOutputLevel:
        return isOutputRow(e->kind);
    default:
        return isInputRow(e->kind) && slotOf(row) >= 1 && slotOf(row) <= static_cast<int>(kSlotsPerGroup);
    }
}

bool PortFieldRules::enabled(const FieldRow& row, int record) const
{
    const PortRecords::Entry* e = records_.entry(record);
    if (!e || !hasField(row, record))
        return false;
    // A port's input or output row acts only while the port is in that mode.
    if (e->kind == PortRecordKind::PortInput && portMode(main_, e->number) != kPortInput)
        return false;
    if (e->kind == PortRecordKind::PortOutput && portMode(main_, e->number) != kPortOutput)
        return false;
    const std::span<const uint8_t> bytes = records_.record(record);
    if (bytes.empty())
        return false;
    switch (row.item) {
    case kPortItemMode:
        return !portFollowsGroup(main_, e->number);
    case kPortItemOutputLevel:
        return bytes[0] != kNoOutput;
    case kPortItemInputLevel:
    case kPortItemOutput:
        return true;
    default: {
        // A slot takes a function only after the slot before it.
        const auto slot = static_cast<std::size_t>(slotOf(row));
        return slot == 1 || getU16(bytes, (slot - 2) * kSlotStride) != kNoFunction;
    }
    }
}

std::optional<std::vector<Choice>> PortFieldRules::choices(const FieldRow& row, int record) const
{
    const PortRecords::Entry* e = records_.entry(record);
    if (!e)
        return std::vector<Choice>{};
    if (row.item == kPortItemMode) {
        std::vector<Choice> offered;
        for (uint8_t mode : offeredPortModes(main_, e->number))
            offered.push_back(kModeChoices[mode]);
        return offered;
    }
    if (row.item >= kPortItemInput1 && row.item < kPortItemInput1 + static_cast<int>(kSlotsPerGroup))
        return functionChoices(FunctionContext::kPort, main_);
    return std::nullopt;
}

StoreStep PortFieldRules::beforeStore(FieldEdit& edit, EditResult& result)
{
    const PortRecords::Entry* e = records_.entry(edit.record);
    if (!e)
        return StoreStep::Done;
    bool changed = false;
    switch (edit.row.item) {
    case kPortItemMode:
        // The grids' rows follow the modes.
        changed = portMode(main_, e->number) != edit.raw &&
                  setPortMode(main_, e->number, static_cast<uint8_t>(edit.raw));
        result.structureChanged = changed;
        break;
    case kPortItemOutput:
        changed = e->kind == PortRecordKind::FixedOutput
                      ? setFixedOutputFunction(main_, e->number, static_cast<uint8_t>(edit.raw))
                      : setPortOutputFunction(main_, e->number, static_cast<uint8_t>(edit.raw));
        break;
    case kPortItemInputLevel:
    case kPortItemOutputLevel:
        return StoreStep::Store;
    default: {
        const auto code = static_cast<uint16_t>(edit.raw);
        changed = e->kind == PortRecordKind::FixedInput
                      ? setFixedInputFunction(main_, e->number, slotOf(edit.row), code)
                      : setPortInputFunction(main_, e->number, slotOf(edit.row), code);
        break;
    }
    }
    if (changed) {
        result.changed = true;
        result.touched |= kTouchesMain;
        remote::repairRemoteControl(main_);
    }
    return StoreStep::Done;
}

void PortFieldRules::afterStore(const FieldEdit& edit, EditResult&)
{
    // The input level decides which input functions keep a deactivation code.
    if (edit.row.item == kPortItemInputLevel)
        remote::repairRemoteControl(main_);
}

namespace {

class PortSession : public FieldFormSession {
public:
    PortSession(ConfigImage& image, const FieldEnv& env, PortRows rows)
        : records_(image.main(), rows), rules_(image.main(), records_),
          engine_(kPortFields, records_, {image.main(), image.aux(), image.local()}, env, &rules_)
    {
    }
    FieldEngine& engine() override { return engine_; }

private:
    PortRecords records_;
    PortFieldRules rules_;
    FieldEngine engine_;
};

} // namespace

std::unique_ptr<FieldFormSession> openPortFields(ConfigImage& image, const FieldEnv& env, PortRows rows)
{
    return std::make_unique<PortSession>(image, env, rows);
}

} // namespace rps::feature
