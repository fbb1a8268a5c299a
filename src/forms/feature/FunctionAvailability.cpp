#include "forms/feature/FunctionAvailability.h"

#include "forms/feature/FunctionTable.h"
#include "forms/feature/PortModes.h"
#include "model/ByteOrder.h"
#include "model/FeatureMap.h"
#include "model/records/ChannelIndex.h"

#include <algorithm>
#include <array>
#include <initializer_list>

namespace rps::feature {

namespace {

// Conditions on the image; a cell of the table joins the ones it names (all must hold). The
// numbered conditions take their number from the code itself.
enum Condition : uint16_t {
    kCh = 1u << 0,        // channel n (high byte) has a receive frequency
    kP = 1u << 1,         // no port is in mode 2
    kX = 1u << 2,         // the input level is not 0
    kLevelZero = 1u << 3, // the input level is 0
    kTot = 1u << 4,       // the repeater or the local-mic time-out timer is on
    kRh = 1u << 5,        // the repeat hold timer is on
    kVp = 1u << 6,        // the voting pilot tone is on
    kTb = 1u << 7,        // fixed output k+1 is driven by keys
    kPt = 1u << 8,        // port j+1 is an output driven by keys
    kRec = 1u << 9,       // message record n is in use
    kConn = 1u << 10,     // connection row n has a function
    kTimer = 1u << 11,    // timer n is on
    kNever = 1u << 15,
};
constexpr uint16_t Y = 0;
constexpr uint16_t N = kNever;

// Columns in this order of contexts.
constexpr std::array<FunctionContext, 9> kColumns = {
    FunctionContext::kPort,  FunctionContext::kStartUp,    FunctionContext::kTxRx1,
    FunctionContext::kTxRx2, FunctionContext::kTxRx3,      FunctionContext::kTxRx4,
    FunctionContext::kTimer, FunctionContext::kConnection, FunctionContext::kKeys,
};
using Cells = std::array<uint16_t, kColumns.size()>;

constexpr std::size_t kMaxCodesPerRow = 30;
struct Codes {
    std::array<uint16_t, kMaxCodesPerRow> list{};
    std::size_t count = 0;
};

constexpr Codes codes(std::initializer_list<uint16_t> list)
{
    Codes c;
    for (uint16_t code : list)
        c.list[c.count++] = code;
    return c;
}

// Codes with one low byte whose high byte runs from first to last.
constexpr Codes range(uint8_t low, uint8_t first, uint8_t last, Codes c = {})
{
    for (int high = first; high <= last; ++high)
        c.list[c.count++] = static_cast<uint16_t>(low | (high << 8));
    return c;
}

struct Row {
    Codes codes;
    Cells cells; // port, start-up, TX/RX 1..4, timer, connection, keys
};

// clang-format off
constexpr Row kRows[] = {
    {codes({0x2020, 0x3131}),
        {Y, Y, Y, Y, Y, Y, Y, Y, Y}},
    {range(kChannelSelectLow, 1, kChannelSelectLast),
        {kCh | kP, kCh | kP, N, N, N, N, kCh | kP, kCh | kP, kCh}},
    {codes({0x3022, 0x3122}),
        {kP, kP, N, N, N, N, kP, kP, Y}},
    {codes({0x3025, 0x3125}),
        {Y, Y, N, N, N, N, Y, Y, N}},
    {codes({0x3026, 0x3126, 0x3027, 0x3127, 0x302B, 0x312B, 0x3039, 0x3139, 0x3037, 0x3137, 0x303D, 0x313D}),
        {Y, Y, Y, N, Y, Y, Y, Y, N}},
    {codes({0x302C, 0x312C, 0x302E, 0x312E, 0x302F, 0x312F}),
        {Y, Y, Y, Y, N, N, Y, Y, N}},
    {codes({0x302D, 0x312D}),
        {Y, Y, Y, Y, Y, Y, Y, Y, N}},
    {codes({0x3029, 0x3129}),
        {kVp, kVp, kVp, kVp, kVp, kVp, kVp, kVp, N}},
    {codes({0x3034, 0x3134}),
        {kTot, kTot, kTot, N, kTot, kTot, kTot, kTot, N}},
    {codes({0x3035, 0x3135}),
        {kRh, kRh, N, N, N, N, kRh, kRh, N}},
    {range(0x23, 0x41, 0x45, range(0x23, 0x31, 0x35)),
        {kTb, kTb, kTb, kTb, kTb, kTb, kTb, kTb, N}},
    {range(0x23, 0x47, 0x4C, range(0x23, 0x37, 0x3C)),
        {kPt, kPt, kPt, kPt, kPt, kPt, kPt, kPt, N}},
    {range(0x23, 0x51, 0x55),
        {kX | kTb, N, kTb, kTb, kTb, kTb, kTb, kTb, kTb}},
    {range(0x23, 0x57, 0x5C),
        {kX | kPt, N, kPt, kPt, kPt, kPt, kPt, kPt, kPt}},
    {range(0x32, 0x31, 0x38),
        {kRec, kRec, kRec, kRec, kRec, kRec, kRec, kRec, kRec}},
    {range(0x33, 0x31, 0x35),
        {kConn, kConn, kConn, kConn, kConn, kConn, kConn, N, kConn}},
    {codes({0x3136, 0x4136, 0x3236, 0x4236, 0x3336, 0x4336}),
        {kTimer, kTimer, kTimer, kTimer, kTimer, kTimer, kTimer, kTimer, N}},
    {codes({0x5136, 0x5236, 0x5336}),
        {kX | kTimer, N, kTimer, kTimer, kTimer, kTimer, kTimer, kTimer, kTimer}},
    {codes({0x313E}),
        {kLevelZero, N, N, N, N, N, N, N, N}},
    {codes({0x323E}),
        {kX, N, N, N, N, N, N, N, N}},
    {codes({0x3150}),
        {Y, N, N, N, N, N, N, N, Y}},
    {codes({0x322A}),
        {N, N, N, N, N, N, N, N, Y}},
    {codes({0x3225}),
        {kX, N, Y, N, N, N, Y, Y, Y}},
    {codes({0x3226, 0x3227, 0x322B, 0x3239, 0x3237, 0x323D}),
        {kX, N, Y, N, Y, Y, Y, Y, Y}},
    {codes({0x322C, 0x322E, 0x322F}),
        {kX, N, Y, Y, N, N, Y, Y, Y}},
    {codes({0x322D}),
        {kX, N, Y, Y, Y, Y, Y, Y, Y}},
    {codes({0x3229}),
        {kX | kVp, N, kVp, kVp, kVp, kVp, kVp, kVp, kVp}},
    {codes({0x3234}),
        {kX | kTot, N, kTot, N, kTot, kTot, kTot, kTot, kTot}},
    {codes({0x3235}),
        {kX | kRh, N, N, N, N, N, kRh, kRh, kRh}},
    {codes({0x332E, 0x332F}),
        {N, N, Y, N, N, N, N, N, Y}},
};
// clang-format on

uint8_t highByte(uint16_t code)
{
    return static_cast<uint8_t>(code >> 8);
}

bool channelHasReceiveFrequency(std::span<const uint8_t> main, uint16_t code)
{
    const int channel = highByte(code);
    if (channel < 1 || channel > kChannelSelectLast)
        return false;
    const auto record = trustedChannelRecords(main)[static_cast<std::size_t>(channel - 1)];
    return record && getU32(main, *record + ChannelField::kRxFrequency) != 0xFFFFFFFF;
}

bool noPortInMode2(std::span<const uint8_t> main)
{
    for (std::size_t offset = kPortModes; offset <= kPortModeScanLast; ++offset) {
        if (main[offset] == kPortRun)
            return false;
    }
    return true;
}

// k = 0..4 from 0x31..0x35, 0x41..0x45 and 0x51..0x55.
bool fixedOutputDrivenByKey(std::span<const uint8_t> main, uint16_t code)
{
    const int k = (highByte(code) & 0x0F) - 1;
    if (k < 0 || k >= kFixedOutputCount)
        return false;
    return main[kFixedOutputs + kGroupStride * static_cast<std::size_t>(k)] == kOutputDrivenByKey;
}

// j = 0..5 from 0x37..0x3C, 0x47..0x4C and 0x57..0x5C.
bool portOutputDrivenByKey(std::span<const uint8_t> main, uint16_t code)
{
    const int j = (highByte(code) & 0x0F) - 7;
    if (j < 0 || j >= kPortCount)
        return false;
    const auto port = static_cast<std::size_t>(j);
    return main[kPortModes + port] == kPortOutput &&
           main[kPortOutputs + kGroupStride * port] == kOutputDrivenByKey;
}

// n = 1..8 from the high byte 0x31..0x38.
bool messageRecordInUse(std::span<const uint8_t> main, uint16_t code)
{
    const int n = highByte(code) - 0x30;
    if (n < 1 || n > kMessageRecordCount)
        return false;
    return main[kMessageRecords + kMessageRecordSize * static_cast<std::size_t>(n - 1)] != 0xFF;
}

// n = 1..5 from the high byte 0x31..0x35.
bool connectionRowUsed(std::span<const uint8_t> main, uint16_t code)
{
    const int n = highByte(code) - 0x30;
    if (n < 1 || n > kConnectionRowCount)
        return false;
    return getU16(main, kConnectionFunctions + kGroupStride * static_cast<std::size_t>(n - 1)) != kNoFunction;
}

// n = 1..3 from 0x31..0x33, 0x41..0x43 and 0x51..0x53.
bool timerOn(std::span<const uint8_t> main, uint16_t code)
{
    const int n = highByte(code) & 0x0F;
    if (n < 1 || n > kTimerCount)
        return false;
    return main[kTimerValues + static_cast<std::size_t>(n - 1)] != 0;
}

bool holds(Condition condition, std::span<const uint8_t> main, uint16_t code)
{
    switch (condition) {
    case kCh:
        return channelHasReceiveFrequency(main, code);
    case kP:
        return noPortInMode2(main);
    case kX:
        return main[kInputLevel] != 0;
    case kLevelZero:
        return main[kInputLevel] == 0;
    case kTot:
        return main[kRepeaterTot] != 0 || getU16(main, kLocalMicTot) != 0;
    case kRh:
        return main[kRepeatHoldTimer] != 0;
    case kVp:
        return main[kVotingPilotTone] != 0xFF;
    case kTb:
        return fixedOutputDrivenByKey(main, code);
    case kPt:
        return portOutputDrivenByKey(main, code);
    case kRec:
        return messageRecordInUse(main, code);
    case kConn:
        return connectionRowUsed(main, code);
    case kTimer:
        return timerOn(main, code);
    case kNever:
        return false;
    }
    return false;
}

bool cellHolds(uint16_t cell, std::span<const uint8_t> main, uint16_t code)
{
    for (unsigned bit = 0; bit < 16; ++bit) {
        const auto condition = static_cast<uint16_t>(1u << bit);
        if ((cell & condition) && !holds(static_cast<Condition>(condition), main, code))
            return false;
    }
    return true;
}

const Row* findRowOf(uint16_t code)
{
    for (const Row& row : kRows) {
        const auto end = row.codes.list.begin() + static_cast<std::ptrdiff_t>(row.codes.count);
        if (std::find(row.codes.list.begin(), end, code) != end)
            return &row;
    }
    return nullptr;
}

// The matrix row of a function of the table, none for a code that is not in the table.
const Row* rowOf(uint16_t code)
{
    static const auto rows = [] {
        std::array<const Row*, kFunctionCount> found{};
        for (std::size_t i = 0; i < found.size(); ++i)
            found[i] = findRowOf(functionTable()[i].code);
        return found;
    }();
    const auto index = functionIndex(code);
    return index ? rows[*index] : nullptr;
}

std::optional<std::size_t> columnOf(FunctionContext context)
{
    const auto it = std::find(kColumns.begin(), kColumns.end(), context);
    if (it == kColumns.end())
        return std::nullopt;
    return static_cast<std::size_t>(it - kColumns.begin());
}

} // namespace

bool isFunctionOffered(FunctionContext context, uint16_t code, std::span<const uint8_t> mainArea)
{
    const auto column = columnOf(context);
    const Row* row = rowOf(code);
    if (!column || !row)
        return false;
    return cellHolds(row->cells[*column], mainArea, code);
}

std::vector<uint16_t> offeredFunctions(FunctionContext context, std::span<const uint8_t> mainArea)
{
    std::vector<uint16_t> offered;
    for (const FunctionEntry& entry : functionTable()) {
        if (isFunctionOffered(context, entry.code, mainArea))
            offered.push_back(entry.code);
    }
    return offered;
}

} // namespace rps::feature
