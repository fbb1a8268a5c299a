#include "forms/signalling/RemoteFields.h"

#include "forms/feature/FunctionFields.h"
#include "forms/feature/PortFields.h"
#include "model/FeatureMap.h"
#include "model/SignallingMap.h"

#include <algorithm>

namespace rps::signalling {

using namespace fields;
using namespace remotectl;
using remote::CodeKind;
using remote::RemoteRow;
using remote::RowKind;

namespace {

constexpr int kTextNone = 849;
constexpr int kTextEncode = 1133;
constexpr int kTextDecode = 1134;
constexpr int kTypeTexts[] = {kTextNone, 1135, 1136, 1132};
constexpr int kTextFunction = 1118;
constexpr int kTextActivation = 1149;
constexpr int kTextDeactivation = 1150;
constexpr int kTextType = 1156;
constexpr int kTextLevel = 1002;
constexpr int kTextSingleTone = 1155;
constexpr int kTextWithQt = 1160;
constexpr int kTextClearToTranspond = 1131;

constexpr std::size_t kKeyTransponder = 0x06A2; // activation, deactivation, single tone
constexpr std::size_t kAuxTransponder = 0x06F4;
constexpr uint8_t kClearToTranspondOffBit = 0x01;

// A code byte as the lists name it: "Decode 3", "Encode 1"; anything else is no code.
std::string codeName(uint32_t raw, const FieldEnv& env)
{
    const auto code = static_cast<uint8_t>(raw);
    switch (raw <= 0xFF ? remote::codeKind(code) : CodeKind::None) {
    case CodeKind::Decode:
        return env.text(kTextDecode) + " " + std::to_string(code + 1);
    case CodeKind::Encode:
        return env.text(kTextEncode) + " " + std::to_string(code - kEncodeCodeBase + 1);
    case CodeKind::None:
        break;
    }
    return env.text(kTextNone);
}
CodecParse parseCodeName(std::string_view text, const FieldEnv& env)
{
    for (uint32_t code = 0; code < 0x100; ++code) {
        if (remote::codeKind(static_cast<uint8_t>(code)) != CodeKind::None && codeName(code, env) == text)
            return {code, false};
    }
    return {kNoCode, false};
}
const FieldCodec kCodeCodec{codeName, parseCodeName};

// A type byte above 3 shows as type 0.
std::string typeName(uint32_t raw, const FieldEnv& env)
{
    return env.text(kTypeTexts[raw <= 3 ? raw : 0]);
}
CodecParse parseTypeName(std::string_view text, const FieldEnv& env)
{
    for (uint32_t type = 0; type < 4; ++type) {
        if (typeName(type, env) == text)
            return {type, false};
    }
    return {0, false};
}
const FieldCodec kTypeCodec{typeName, parseTypeName};

// The output level: 0x00 active low, any other value active high.
std::string levelName(uint32_t raw, const FieldEnv& env)
{
    return env.text(raw != 0 ? 1093 : 1094);
}
CodecParse parseLevelName(std::string_view text, const FieldEnv& env)
{
    return {text == env.text(1094) ? 0x00u : 0xFFu, false};
}
std::vector<uint32_t> levelChoices(const FieldEnv&)
{
    return {0x00, 0xFF};
}
const FieldCodec kLevelCodec{levelName, parseLevelName, levelChoices};

constexpr Place kWide{0, 0, -1};

FieldRow codeList(int item, std::string_view key, int text, std::size_t offset)
{
    return list(item, key, text, u8(offset).in(Area::Main)).coded(kCodeCodec).at(kWide);
}

bool isWideItem(int item)
{
    return item >= kItemKeyTransponderTone;
}

bool isCodeItem(int item)
{
    return item == kItemActivation || item == kItemDeactivation;
}

// The single-tone byte of the transponder a list belongs to.
std::size_t singleToneOf(int item)
{
    return item <= kItemKeyTransponderOff ? kKeyTransponder + 2 : kAuxTransponder + 2;
}

class RemoteSession : public FieldFormSession {
public:
    RemoteSession(ConfigImage& image, const FieldEnv& env, RemoteRows rows)
        : records_(image.main(), rows), rules_(image.main(), records_, env),
          engine_(kRemoteFields, records_, {image.main(), image.aux(), image.local()}, env, &rules_)
    {
    }
    FieldEngine& engine() override { return engine_; }

private:
    RemoteRecords records_;
    RemoteRules rules_;
    FieldEngine engine_;
};

} // namespace

const std::array<FieldRow, 13> kRemoteFields{{
    label(kItemFunction, kTextFunction),
    list(kItemActivation, "activation", kTextActivation, u8(0)).coded(kCodeCodec),
    list(kItemDeactivation, "deactivation", kTextDeactivation, u8(1)).coded(kCodeCodec),
    list(kItemType, "type", kTextType, u8(2)).coded(kTypeCodec),
    list(kItemOutputLevel, "output-level", kTextLevel, u8(0).ofPart(1)).coded(kLevelCodec),
    check(kItemKeyTransponderTone, "key-transponder-single-tone", kTextSingleTone,
          u8(kKeyTransponder + 2).in(Area::Main), OnOff{.on = 0x00, .off = 0xFF})
        .at(kWide),
    codeList(kItemKeyTransponderOn, "key-transponder-activation", kTextActivation, kKeyTransponder),
    codeList(kItemKeyTransponderOff, "key-transponder-deactivation", kTextDeactivation, kKeyTransponder + 1),
    check(kItemAuxTransponderTone, "aux-transponder-single-tone", kTextSingleTone,
          u8(kAuxTransponder + 2).in(Area::Main), OnOff{.on = 0x00, .off = 0xFF})
        .at(kWide),
    codeList(kItemAuxTransponderOn, "aux-transponder-activation", kTextActivation, kAuxTransponder),
    codeList(kItemAuxTransponderOff, "aux-transponder-deactivation", kTextDeactivation, kAuxTransponder + 1),
    // Checked whenever the byte is not 0xFF, so it always shows the opposite of the DTMF form's
    // "without QT/DQT".
    check(kItemWithQt, "remote-with-qt", kTextWithQt, u8(kRemoteWithoutQt).in(Area::Main),
          OnOff{.on = 0x00, .off = 0xFF, .anyOtherIsOn = true})
        .at(kWide),
    check(kItemClearToTranspond, "clear-to-transpond", kTextClearToTranspond,
          bits8(kDtmfFlags, kClearToTranspondOffBit).in(Area::Main), OnOff{.on = 0, .off = 1})
        .at(kWide),
}};

void RemoteRecords::reload()
{
    rows_.clear();
    for (const RemoteRow& row : remote::remoteRows(main_)) {
        const bool wanted = which_ == RemoteRows::All ||
                            (which_ == RemoteRows::Keys && row.kind == RowKind::Key) ||
                            (which_ == RemoteRows::Inputs &&
                             (row.kind == RowKind::FixedInput || row.kind == RowKind::PortInput)) ||
                            (which_ == RemoteRows::Outputs && remote::isOutput(row.kind));
        if (wanted)
            rows_.push_back(row);
    }
}

const RemoteRow* RemoteRecords::row(int index) const
{
    return index >= 0 && index < static_cast<int>(rows_.size()) ? &rows_[static_cast<std::size_t>(index)]
                                                                : nullptr;
}

std::span<uint8_t> RemoteRecords::record(int index) const
{
    if (const RemoteRow* r = row(index))
        return main_.subspan(r->entry, feature::kRemoteEntrySize);
    return hasWide() && index == static_cast<int>(rows_.size()) ? main_ : std::span<uint8_t>();
}

std::span<uint8_t> RemoteRecords::recordPart(int index, int part) const
{
    const RemoteRow* r = row(index);
    const auto level = r ? remote::outputLevelOffset(*r) : std::nullopt;
    return part == 1 && level ? main_.subspan(*level, 1) : std::span<uint8_t>();
}

std::string RemoteRecords::recordKey(int index) const
{
    const RemoteRow* r = row(index);
    if (!r)
        return {};
    static constexpr const char* kNames[] = {"key.", "fixed-input.", "port-input.", "fixed-output.",
                                             "port-output."};
    return kNames[static_cast<int>(r->kind)] + std::to_string(r->number);
}

int remoteRowText(const RemoteRow& row)
{
    switch (row.kind) {
    case RowKind::Key:
        return 1119 + row.number - 1;
    case RowKind::FixedInput:
        return 1070 + row.number - 1;
    case RowKind::FixedOutput:
        return 1085 + row.number - 1;
    case RowKind::PortInput:
    case RowKind::PortOutput:
        break;
    }
    return 1077 + row.number - 1;
}

bool RemoteRules::hasField(const FieldRow& row, int record) const
{
    const RemoteRow* r = records_.row(record);
    if (isWideItem(row.item))
        return !r && !records_.record(record).empty();
    if (row.item == kItemOutputLevel)
        return r && remote::isOutput(r->kind);
    return r != nullptr;
}

bool RemoteRules::enabled(const FieldRow& row, int record) const
{
    if (isWideItem(row.item)) {
        const bool list = row.item != kItemKeyTransponderTone && row.item != kItemAuxTransponderTone &&
                          row.item != kItemWithQt && row.item != kItemClearToTranspond;
        // With its single tone on, a transponder answers with the tone, not with a code.
        return !list || main_[singleToneOf(row.item)] == 0xFF;
    }
    const RemoteRow* r = records_.row(record);
    if (!r)
        return false;
    switch (row.item) {
    case kItemFunction:
        return true;
    case kItemActivation:
        return remote::rowEnabled(main_, *r);
    case kItemDeactivation:
        return remote::rowEnabled(main_, *r) && remote::deactivationAllowed(main_, *r);
    case kItemType:
        return remote::typeEnabled(main_, *r);
    case kItemOutputLevel:
        return remote::outputLevelEnabled(main_, *r);
    default:
        return false;
    }
}

std::string RemoteRules::computedText(const FieldRow& row, int record) const
{
    const RemoteRow* r = records_.row(record);
    if (row.item != kItemFunction || !r)
        return {};
    const uint16_t function = remote::rowFunction(main_, *r);
    if (remote::isOutput(r->kind))
        return env_.text(feature::outputFunctionText(static_cast<uint8_t>(function)));
    return feature::kFunctionNameCodec.format(function, env_);
}

std::vector<Choice> RemoteRules::codeList(CodeKind kind, std::size_t ownByte) const
{
    std::vector<Choice> list{{kNoCode, 0}};
    const bool encode = kind == CodeKind::Encode;
    const int count = encode ? kEncodeCount : kDecodeCount;
    const std::size_t table = encode ? kEncodeTable : kDecodeTable;
    // A decode code commands one function: one held by another row's code byte is not offered.
    std::vector<uint8_t> taken;
    if (!encode) {
        for (const RemoteRow& r : remote::remoteRows(main_)) {
            for (std::size_t byte : {r.entry, r.entry + 1}) {
                if (byte != ownByte)
                    taken.push_back(main_[byte]);
            }
        }
    }
    for (int n = 0; n < count; ++n) {
        const auto code = static_cast<uint8_t>(encode ? kEncodeCodeBase + n : n);
        const bool used = main_[table + kCodeRecordSize * static_cast<std::size_t>(n)] != kNoCode;
        const bool own = main_[ownByte] == code;
        if ((used || own) && std::find(taken.begin(), taken.end(), code) == taken.end())
            list.push_back({code, 0});
    }
    return list;
}

std::optional<std::vector<Choice>> RemoteRules::choices(const FieldRow& row, int record) const
{
    if (isWideItem(row.item)) {
        if (row.item == kItemKeyTransponderOn || row.item == kItemKeyTransponderOff ||
            row.item == kItemAuxTransponderOn || row.item == kItemAuxTransponderOff)
            return codeList(CodeKind::Encode, row.storage.offset);
        return std::nullopt;
    }
    const RemoteRow* r = records_.row(record);
    if (!r)
        return std::nullopt;
    if (isCodeItem(row.item))
        return codeList(remote::rowCodeKind(main_, *r), r->entry + row.storage.offset);
    if (row.item == kItemType) {
        std::vector<Choice> list;
        for (uint8_t type : remote::typeChoices(main_, *r))
            list.push_back({type, 0});
        return list;
    }
    return std::nullopt;
}

std::unique_ptr<FieldFormSession> openRemoteFields(ConfigImage& image, const FieldEnv& env, RemoteRows rows)
{
    return std::make_unique<RemoteSession>(image, env, rows);
}

} // namespace rps::signalling
