#include "model/RemoteControlRules.h"

#include "model/ByteOrder.h"
#include "model/FeatureMap.h"
#include "model/SignallingMap.h"
#include "model/records/FunctionCodePlaces.h"

#include <algorithm>
#include <initializer_list>

namespace rps::remote {

using namespace feature;
using namespace signalling;

namespace {

constexpr uint8_t kNoOutputFunction = 0x20;
constexpr std::size_t kFunctionStride = 8;

// Functions a key or input cannot be commanded for.
constexpr uint16_t kExcluded[] = {0x3133, 0x3136, 0x3233, 0x3236, 0x3333, 0x3336, 0x3433,
                                  0x3533, 0x4136, 0x4236, 0x4336, 0x5136, 0x5236, 0x5336};
// One-shot functions: no deactivation, and only types 0 and 1.
constexpr uint16_t kOneShot[] = {0x3131, 0x3132, 0x313F, 0x3140, 0x3150, 0x3232,
                                 0x3332, 0x3432, 0x3532, 0x3632, 0x3732, 0x3832};
// Functions without deactivation while the input level byte is 0xFF.
constexpr uint16_t kNoDeactivationAtLevelFF[] = {
    0x3025, 0x3026, 0x3027, 0x3029, 0x302B, 0x302C, 0x302D, 0x302E, 0x302F, 0x3034, 0x3035, 0x3037, 0x3039,
    0x303D, 0x3123, 0x3125, 0x3126, 0x3127, 0x3129, 0x312B, 0x312C, 0x312D, 0x312E, 0x312F, 0x3134, 0x3135,
    0x3137, 0x3139, 0x313D, 0x3223, 0x3323, 0x3423, 0x3523, 0x3723, 0x3823, 0x3923, 0x3A23, 0x3B23, 0x3C23,
    0x4123, 0x4223, 0x4323, 0x4423, 0x4523, 0x4723, 0x4823, 0x4923, 0x4A23, 0x4B23, 0x4C23};

template <std::size_t N> bool among(const uint16_t (&codes)[N], uint16_t code)
{
    return std::find(std::begin(codes), std::end(codes), code) != std::end(codes);
}

bool levelIsFF(std::span<const uint8_t> main)
{
    return main[kInputLevel] == 0xFF;
}

bool isInput(RowKind kind)
{
    return kind == RowKind::FixedInput || kind == RowKind::PortInput;
}

std::size_t entryOf(std::size_t start, int number)
{
    return start + kRemoteEntrySize * static_cast<std::size_t>(number - 1);
}

void addRows(std::vector<RemoteRow>& rows, RowKind kind, std::size_t start, int count,
             std::span<const uint8_t> main, int portMode)
{
    for (int n = 1; n <= count; ++n) {
        if (portMode >= 0 && !main.empty() && main[kPortModes + static_cast<std::size_t>(n - 1)] != portMode)
            continue;
        rows.push_back({kind, n, entryOf(start, n)});
    }
}

std::vector<RemoteRow> rowsOf(std::span<const uint8_t> main)
{
    std::vector<RemoteRow> rows;
    addRows(rows, RowKind::Key, kRemoteKeys, kKeyCount, main, -1);
    addRows(rows, RowKind::FixedInput, kRemoteFixedInputs, kFixedInputCount, main, -1);
    addRows(rows, RowKind::PortInput, kRemotePortInputs, kPortCount, main, 0);
    addRows(rows, RowKind::FixedOutput, kRemoteFixedOutputs, kFixedOutputCount, main, -1);
    addRows(rows, RowKind::PortOutput, kRemotePortOutputs, kPortCount, main, 1);
    return rows;
}

void resetEntry(std::span<uint8_t> main, std::size_t entry, bool& changed)
{
    const uint8_t reset[] = {kNoCode, kNoCode, 0};
    if (!std::equal(std::begin(reset), std::end(reset), main.begin() + static_cast<std::ptrdiff_t>(entry))) {
        std::copy(std::begin(reset), std::end(reset), main.begin() + static_cast<std::ptrdiff_t>(entry));
        changed = true;
    }
}

} // namespace

CodeKind codeKind(uint8_t code)
{
    if (code < kDecodeCount)
        return CodeKind::Decode;
    if (code >= kEncodeCodeBase && code < kEncodeCodeBase + kEncodeCount)
        return CodeKind::Encode;
    return CodeKind::None;
}

uint8_t validType(uint8_t type)
{
    return type <= 3 ? type : 0;
}

std::vector<RemoteRow> remoteRows(std::span<const uint8_t> main)
{
    return rowsOf(main);
}

std::vector<RemoteRow> allRemoteRows()
{
    std::vector<RemoteRow> rows;
    addRows(rows, RowKind::Key, kRemoteKeys, kKeyCount, {}, -1);
    addRows(rows, RowKind::FixedInput, kRemoteFixedInputs, kFixedInputCount, {}, -1);
    addRows(rows, RowKind::PortInput, kRemotePortInputs, kPortCount, {}, -1);
    addRows(rows, RowKind::FixedOutput, kRemoteFixedOutputs, kFixedOutputCount, {}, -1);
    addRows(rows, RowKind::PortOutput, kRemotePortOutputs, kPortCount, {}, -1);
    return rows;
}

bool isOutput(RowKind kind)
{
    return kind == RowKind::FixedOutput || kind == RowKind::PortOutput;
}

uint16_t rowFunction(std::span<const uint8_t> main, const RemoteRow& row)
{
    const auto index = static_cast<std::size_t>(row.number - 1);
    switch (row.kind) {
    case RowKind::Key:
        return getU16(main, kKeyFunctions + kFunctionStride * index);
    case RowKind::FixedInput:
        return getU16(main, kFixedInputFunctions + kFunctionStride * index);
    case RowKind::PortInput:
        return getU16(main, kPortInputFunctions + kFunctionStride * index);
    case RowKind::FixedOutput:
        return main[kFixedOutputs + kFunctionStride * index];
    case RowKind::PortOutput:
        return main[kPortOutputs + kFunctionStride * index];
    }
    return kNoFunction;
}

std::optional<std::size_t> outputLevelOffset(const RemoteRow& row)
{
    const auto index = static_cast<std::size_t>(row.number - 1);
    if (row.kind == RowKind::FixedOutput)
        return kFixedOutputs + kFunctionStride * index + 1;
    if (row.kind == RowKind::PortOutput)
        return kPortOutputs + kFunctionStride * index + 1;
    return std::nullopt;
}

bool rowEnabled(std::span<const uint8_t> main, const RemoteRow& row)
{
    const uint16_t function = rowFunction(main, row);
    if (row.kind == RowKind::Key)
        return function != kNoFunction && !among(kExcluded, function);
    if (isInput(row.kind))
        return !among(kExcluded, function);
    return function != 0x33 && function != 0x37;
}

bool typeEnabled(std::span<const uint8_t> main, const RemoteRow& row)
{
    if (!rowEnabled(main, row))
        return false;
    if (isInput(row.kind))
        return rowFunction(main, row) != kNoFunction;
    if (isOutput(row.kind))
        return rowFunction(main, row) != kNoOutputFunction;
    return true;
}

bool outputLevelEnabled(std::span<const uint8_t> main, const RemoteRow& row)
{
    return isOutput(row.kind) && typeEnabled(main, row);
}

bool deactivationAllowed(std::span<const uint8_t> main, const RemoteRow& row)
{
    if (isOutput(row.kind))
        return true;
    const uint16_t f = rowFunction(main, row);
    const int high = f >> 8;
    if ((f & 0xFF) == 0x21 && high >= 1 && high <= 32)
        return false;
    if (f == 0x3022 || f == 0x3122 || among(kOneShot, f))
        return false;
    return !(levelIsFF(main) && among(kNoDeactivationAtLevelFF, f));
}

CodeKind rowCodeKind(std::span<const uint8_t> main, const RemoteRow& row)
{
    if (row.kind == RowKind::Key)
        return CodeKind::Decode;
    const uint16_t f = rowFunction(main, row);
    if (isInput(row.kind))
        return f == kNoFunction ? CodeKind::Encode : CodeKind::Decode;
    return f == kNoOutputFunction ? CodeKind::Decode : CodeKind::Encode;
}

std::vector<uint8_t> typeChoices(std::span<const uint8_t> main, const RemoteRow& row)
{
    if (isOutput(row.kind))
        return {0, 1, 2, 3};
    const uint16_t f = rowFunction(main, row);
    if (among(kOneShot, f))
        return {0, 1};
    if (isInput(row.kind) && levelIsFF(main)) {
        if (f == 0x3026)
            return {0, 2};
        if (f == 0x3126)
            return {0, 1};
    }
    return {0, 1, 2, 3};
}

bool repairRemoteControl(std::span<uint8_t> main)
{
    bool changed = false;
    for (const RemoteRow& row : rowsOf(main)) {
        const CodeKind wanted = rowCodeKind(main, row);
        const CodeKind activation = codeKind(main[row.entry]);
        const CodeKind deactivation = codeKind(main[row.entry + 1]);
        const bool wrongKind =
            row.kind != RowKind::Key && ((activation != CodeKind::None && activation != wanted) ||
                                         (deactivation != CodeKind::None && deactivation != wanted));
        if (!rowEnabled(main, row) || wrongKind) {
            resetEntry(main, row.entry, changed);
            continue;
        }
        if (isInput(row.kind) && rowFunction(main, row) != kNoFunction && !deactivationAllowed(main, row) &&
            main[row.entry + 1] != kNoCode) {
            main[row.entry + 1] = kNoCode;
            changed = true;
        }
    }
    return changed;
}

} // namespace rps::remote
