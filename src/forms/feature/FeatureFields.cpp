#include "forms/feature/FeatureFields.h"

#include "forms/feature/FeatureEdits.h"
#include "forms/feature/FunctionAvailability.h"
#include "forms/feature/FunctionFields.h"
#include "forms/feature/FunctionTable.h"
#include "model/ByteOrder.h"
#include "model/FeatureMap.h"
#include "model/ModelBlock.h"
#include "model/records/FunctionCodePlaces.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace rps::feature {

using namespace fields;

namespace {

constexpr int kOff = kFeatureOffText;
constexpr OnOff kZeroIsOn{.on = 0x00, .off = 0xFF};
constexpr OnOff kClearBitIsOn{.on = 0, .off = 1};
constexpr Input kSignedDigits{CharFilterKind::SignedDigits, 4};
constexpr Input kDecimal{CharFilterKind::Decimal, 5};
constexpr Input kPassword{CharFilterKind::Alphanumeric, static_cast<int>(kDataPasswordLength)};

constexpr Choice kExternalMonitorChoices[] = {{0xFF, 1043}, {0x00, 1044}};
constexpr Choice kFanChoices[] = {{0xFF, 1045}, {0x00, 1046}};
constexpr Choice kPttSources[] = {{0, 1049}, {2, 1050}, {3, 1051}};
constexpr Choice kLockoutAnalog[] = {{0xFF, 856}, {0, 1034}, {1, 1037}};
constexpr Choice kLockoutDigital[] = {{0xFF, 856}, {0, 1034}, {1, 1035}, {2, 1036}};
constexpr Choice kPilotFrequencies[] = {{6480, 1054}, {8565, 1055}, {9984, 1056}};

// Seconds with 0 = off: a typed 0 (or less than the first step) is off.
constexpr Range offSeconds(double max)
{
    return Range{1, max, 1}.offBelowMin(0, kOff).blankWhenOutside();
}

constexpr FieldRow page(FieldRow row, int pageIndex, int column, int groupItem)
{
    return row.at(Place{pageIndex, column, groupItem});
}
constexpr FieldRow decimal(FieldRow row)
{
    return row.filter(kDecimal);
}

std::string functionName(uint32_t raw, const FieldEnv& env)
{
    if (raw == kNoFunction)
        return {};
    const FunctionEntry* entry = findFunction(static_cast<uint16_t>(raw));
    return entry ? env.text(entry->nameText) : std::string();
}

CodecParse noParse(std::string_view, const FieldEnv&)
{
    return {kNoFunction, false};
}

constexpr int kStartUpGroup = kStartUpGridItem;
constexpr int kTxRxGroup = kTxRxGridItem;
constexpr int kTimerGroup = kTimerGridItem;
constexpr int kConnectionGroup = kConnectionGridItem;

// Captions of the event tables.
constexpr int kTimerGroupText = 1107;
constexpr int kTxRxRowText = 1103;
constexpr int kTimerRowText = 1108;
constexpr int kConnectionRowText = 1113;

// The event tables are grids: a row per event, a column per function slot.
constexpr int kFunctionWidth = 185;
constexpr int kFunctionSlotTexts[] = {999, 1000, 1001};
constexpr GridHead kOneFunction[] = {{kTextFunction, kFunctionWidth}};
constexpr GridHead kTwoFunctions[] = {{kFunctionSlotTexts[0], kFunctionWidth},
                                      {kFunctionSlotTexts[1], kFunctionWidth}};
constexpr GridHead kTimerColumns[] = {{kTimerGroupText, 70, CellAlign::Right},
                                      {kFunctionSlotTexts[0], kFunctionWidth},
                                      {kFunctionSlotTexts[1], kFunctionWidth}};
constexpr int kTxRxRowLabels[] = {kTxRxRowText, kTxRxRowText + 1, kTxRxRowText + 2, kTxRxRowText + 3};
constexpr int kTimerRowLabels[] = {kTimerRowText, kTimerRowText + 1, kTimerRowText + 2};
constexpr int kConnectionRowLabels[] = {kConnectionRowText, kConnectionRowText + 1, kConnectionRowText + 2,
                                        kConnectionRowText + 3, kConnectionRowText + 4};
constexpr GridShape kStartUpShape{kOneFunction, kFunctionSlotTexts, 100, kTextNotOffered};
constexpr GridShape kTxRxShape{kTwoFunctions, kTxRxRowLabels, 100, kTextNotOffered};
constexpr GridShape kTimerShape{kTimerColumns, kTimerRowLabels, 100, kTextNotOffered};
constexpr GridShape kConnectionShape{kTwoFunctions, kConnectionRowLabels, 100, kTextNotOffered};

constexpr FieldRow kStartUpGrid = page(grid(kStartUpGroup, 1100, kStartUpShape), 2, 0, -1);
constexpr FieldRow kTxRxGrid = page(grid(kTxRxGroup, 1102, kTxRxShape), 3, 0, -1);
constexpr FieldRow kTimerGrid = page(grid(kTimerGroup, kTimerGroupText, kTimerShape), 3, 0, -1);
constexpr FieldRow kConnectionGrid = page(grid(kConnectionGroup, 1112, kConnectionShape), 3, 0, -1);

// A function code in a cell of an event grid.
constexpr FieldRow function(int item, std::string_view key, int text, std::size_t offset,
                            const FieldRow& grid, int row, int column)
{
    return list(item, key, text, u16(offset)).coded(kEventFunctionCodec).inCell(grid, row, column);
}

} // namespace

const FieldCodec kEventFunctionCodec{functionName, noParse, nullptr};

namespace {

// clang-format off
const std::array kFeatureFields{
    // Page 1: repeater / external PTT time-out timer, timers and tones, levels, options.
    page(group(0, 975), 0, 0, -1),
    page(decimal(spin(kItemTot, "tot", 976, u8(kRepeaterTot).times(2),
                      Range{0.5, 30.0, 0.5}.offBelowMin(0, kOff).emptyStoresMin().blankWhenOutside())), 0, 0, 0),
    page(spin(2, "tot-pre-alert", 977, u8(kTotPreAlert), offSeconds(10)), 0, 0, 0),
    page(spin(3, "tot-rekey-time", 978, u8(kTotRekey), offSeconds(60)), 0, 0, 0),
    page(spin(4, "tot-reset-time", 979, u8(kTotReset), offSeconds(15)), 0, 0, 0),
    page(decimal(spin(kItemRepeatHoldTimer, "repeat-hold-timer", 980, u8(kRepeatHoldTimer).times(10),
                      Range{0.1, 10.0, 0.1}.offBelowMin(0, kOff).blankWhenOutside())), 0, 0, -1),
    page(spin(6, "dqt-turn-off-time", 982, u8(kDqtTurnOffTime), Range{140, 200, 1}.blankWhenOutside()), 0, 0, -1),
    page(spin(7, "qt-decode-delay", 983, u8(kQtDecodeDelay), offSeconds(250)), 0, 0, -1),
    page(spin(kItemTestTone, "test-tone", 984, bcd(kTestTone), Range{300, 3000, 1}.blankWhenOutside()), 0, 0, -1),
    page(spin(kItemSquelch, "squelch-level", 985, u8(kSquelchLevel), Range{0, 15, 1}.blankWhenOutside()), 0, 0, -1),
    page(spin(10, "qt-reverse-burst-time", 981, u8(kQtReverseBurstTime), Range{140, 200, 1}.blankWhenOutside()),
         0, 0, -1),
    page(spin(11, "signal-reset-timer", 1041, u16(kSignalResetTimer), offSeconds(300)), 0, 0, -1),
    page(group(12, 986), 0, 1, -1),
    page(spin(kItemRxSignalDetect, "rx-signal-detect", 988, u16(kRxSignalDetect).times(-10),
              Range{-120, -95, 1}.emptyStoresMin().blankWhenOutside()).filter(kSignedDigits), 0, 1, 12),
    page(list(14, "external-monitor", 990, u8(kExternalMonitor), kExternalMonitorChoices), 0, 1, 12),
    page(list(15, "fan-action", 991, u8(kFanAction), kFanChoices), 0, 1, 12),
    page(check(16, "off-hook-decode", 993, u8(kOffHookDecode), kZeroIsOn), 0, 1, -1),
    page(check(17, "tx-standby", 995, u8(kTxStandby), kZeroIsOn), 0, 1, -1),
    page(check(18, "scrambler-backup", 994, u8(kScramblerBackup), kZeroIsOn), 0, 1, -1),
    page(check(19, "external-reference", 1042, u8(kExternalReference),
               OnOff{.on = 0x30, .off = 0xFF, .anyOtherIsOn = true}), 0, 1, -1),
    page(group(20, 998), 0, 1, -1),
    page(order(kItemPttPriority, "ptt-priority", 998, permutation(kPttPriority, kPttPriorityCount), kPttSources),
         0, 1, 20),
    page(group(25, 997), 0, 1, -1),
    page(check(26, "firmware-programming", 996, u8(kFirmwareProgramming), kZeroIsOn), 0, 1, 25),
    page(button(kItemDataPassword, 45), 0, 1, -1),

    // Page 2: local microphone time-out timer, busy channel lockout, tones, voting pilot tone.
    page(group(kPage2, 1003), 1, 0, -1),
    page(spin(kItemLocalMicTot, "local-mic-tot", 1004, u16(kLocalMicTot),
              Range{15, 255, 1}.offBelowMin(0, kOff).emptyStoresMin().blankWhenOutside()), 1, 0, kPage2),
    page(spin(kPage2 + 2, "local-mic-tot-pre-alert", 977, u8(kLocalMicTotPreAlert), offSeconds(10)), 1, 0, kPage2),
    page(spin(kPage2 + 3, "local-mic-tot-rekey", 978, u8(kLocalMicTotRekey), offSeconds(60)), 1, 0, kPage2),
    page(spin(kPage2 + 4, "local-mic-tot-reset", 979, u8(kLocalMicTotReset), offSeconds(15)), 1, 0, kPage2),
    page(list(kPage2 + 5, "busy-lockout-analog", 1027, u8(kBusyLockoutAnalog), kLockoutAnalog), 1, 0, -1),
    page(list(kPage2 + 6, "busy-lockout-digital", 1028, u8(kBusyLockoutDigital), kLockoutDigital), 1, 0, -1),
    page(group(kPage2 + 7, 1005), 1, 0, -1),
    page(spin(kPage2 + 8, "tone-volume", 1006, u8(kToneVolume), Range{0, 31, 1}.blankWhenOutside()), 1, 0,
         kPage2 + 7),
    page(check(kPage2 + 9, "power-on-tone", 1007, bits8(kToneOptions, kPowerOnToneBit), kClearBitIsOn), 1, 0,
         kPage2 + 7),
    page(check(kPage2 + 10, "warning-alert-tone", 1012, bits8(kToneOptions, kWarningToneBit), kClearBitIsOn),
         1, 0, kPage2 + 7),
    page(check(kPage2 + 11, "control-tone", 1023, bits8(kToneOptions, kControlToneBit), kClearBitIsOn), 1, 0,
         kPage2 + 7),
    page(group(kPage2 + 12, 1015), 1, 1, -1),
    page(check(kItemCourtesyTone, "courtesy-tone", 1015, u16(kCourtesyTonePeriod),
               OnOff{.on = kCourtesyTonePeriodOn, .off = 0, .anyOtherIsOn = true}), 1, 1, kPage2 + 12),
    page(spin(kPage2 + 14, "courtesy-tone-frequency", 1147, bcd(kCourtesyToneFrequency),
              Range{300, 3000, 10}.blankWhenOutside()), 1, 1, kPage2 + 12),
    page(spin(kPage2 + 15, "courtesy-tone-period", 1148, u16(kCourtesyTonePeriod).times(0.1),
              Range{100, 1000, 10}.offAt(0, kOff, false).emptyStoresMin().blankWhenOutside()), 1, 1, kPage2 + 12),
    page(decimal(spin(kPage2 + 16, "encode-pause-time", 1137, u16(kEncodePauseTime).times(10),
                      Range{0.0, 10.0, 0.1}.blankWhenOutside())), 1, 1, kPage2 + 12),
    page(check(kPage2 + 17, "send-to-ra", 1021, bits8(kSendToRaByte, kSendToRaBit), OnOff{.on = 1, .off = 0}), 1, 1,
         kPage2 + 12),
    page(group(kPage2 + 18, 1038), 1, 1, -1),
    page(check(kItemVotingPilotTone, "voting-pilot-tone", 1038, u8(kVotingPilotTone), kZeroIsOn), 1, 1,
         kPage2 + 18),
    page(list(kPage2 + 20, "voting-pilot-frequency", 1147, u16(kVotingPilotFrequency), kPilotFrequencies), 1, 1,
         kPage2 + 18),

    // Start-up page: three actions run when the repeater starts.
    kStartUpGrid,
    function(kStartUpGroup + 1, "start-up.1", kTextFunction, kStartUpFunctions, kStartUpGrid, 0, 0),
    function(kStartUpGroup + 2, "start-up.2", kTextFunction, kStartUpFunctions + 2, kStartUpGrid, 1, 0),
    function(kStartUpGroup + 3, "start-up.3", kTextFunction, kStartUpFunctions + 4, kStartUpGrid, 2, 0),

    // TX/RX, timer and connection page.
    kTxRxGrid,
    function(kTxRxGroup + 1, "tx-rx.1.1", kTxRxRowText, kTxRxRows[0], kTxRxGrid, 0, 0),
    function(kTxRxGroup + 2, "tx-rx.1.2", kTextFunction, kTxRxRows[0] + 2, kTxRxGrid, 0, 1),
    function(kTxRxGroup + 3, "tx-rx.2.1", kTxRxRowText + 1, kTxRxRows[1], kTxRxGrid, 1, 0),
    function(kTxRxGroup + 4, "tx-rx.2.2", kTextFunction, kTxRxRows[1] + 2, kTxRxGrid, 1, 1),
    function(kTxRxGroup + 5, "tx-rx.3.1", kTxRxRowText + 2, kTxRxRows[2], kTxRxGrid, 2, 0),
    function(kTxRxGroup + 6, "tx-rx.3.2", kTextFunction, kTxRxRows[2] + 2, kTxRxGrid, 2, 1),
    function(kTxRxGroup + 7, "tx-rx.4.1", kTxRxRowText + 3, kTxRxRows[3], kTxRxGrid, 3, 0),
    function(kTxRxGroup + 8, "tx-rx.4.2", kTextFunction, kTxRxRows[3] + 2, kTxRxGrid, 3, 1),
    kTimerGrid,
    decimal(spin(kTimerGroup + 1, "timer.1.value", kTimerRowText, u8(kTimerValues).times(10),
                 Range{0.1, 25.5, 0.1}.offBelowMin(0, kOff))).inCell(kTimerGrid, 0, 0),
    function(kTimerGroup + 2, "timer.1.1", kTextFunction, kTimerFunctions, kTimerGrid, 0, 1),
    function(kTimerGroup + 3, "timer.1.2", kTextFunction, kTimerFunctions + 2, kTimerGrid, 0, 2),
    spin(kTimerGroup + 4, "timer.2.value", kTimerRowText + 1, u8(kTimerValues + 1), offSeconds(255))
        .inCell(kTimerGrid, 1, 0),
    function(kTimerGroup + 5, "timer.2.1", kTextFunction, kTimerFunctions + kGroupStride, kTimerGrid, 1, 1),
    function(kTimerGroup + 6, "timer.2.2", kTextFunction, kTimerFunctions + kGroupStride + 2, kTimerGrid, 1, 2),
    spin(kTimerGroup + 7, "timer.3.value", kTimerRowText + 2, u8(kTimerValues + 2), offSeconds(255))
        .inCell(kTimerGrid, 2, 0),
    function(kTimerGroup + 8, "timer.3.1", kTextFunction, kTimerFunctions + 2 * kGroupStride, kTimerGrid, 2, 1),
    function(kTimerGroup + 9, "timer.3.2", kTextFunction, kTimerFunctions + 2 * kGroupStride + 2, kTimerGrid, 2,
             2),
    kConnectionGrid,
    function(kConnectionGroup + 1, "connection.1.1", kConnectionRowText, kConnectionFunctions, kConnectionGrid, 0, 0),
    function(kConnectionGroup + 2, "connection.1.2", kTextFunction, kConnectionFunctions + 2, kConnectionGrid, 0, 1),
    function(kConnectionGroup + 3, "connection.2.1", kConnectionRowText + 1, kConnectionFunctions + kGroupStride,
             kConnectionGrid, 1, 0),
    function(kConnectionGroup + 4, "connection.2.2", kTextFunction, kConnectionFunctions + kGroupStride + 2,
             kConnectionGrid, 1, 1),
    function(kConnectionGroup + 5, "connection.3.1", kConnectionRowText + 2,
             kConnectionFunctions + 2 * kGroupStride, kConnectionGrid, 2, 0),
    function(kConnectionGroup + 6, "connection.3.2", kTextFunction, kConnectionFunctions + 2 * kGroupStride + 2,
             kConnectionGrid, 2, 1),
    function(kConnectionGroup + 7, "connection.4.1", kConnectionRowText + 3,
             kConnectionFunctions + 3 * kGroupStride, kConnectionGrid, 3, 0),
    function(kConnectionGroup + 8, "connection.4.2", kTextFunction, kConnectionFunctions + 3 * kGroupStride + 2,
             kConnectionGrid, 3, 1),
    function(kConnectionGroup + 9, "connection.5.1", kConnectionRowText + 4,
             kConnectionFunctions + 4 * kGroupStride, kConnectionGrid, 4, 0),
    function(kConnectionGroup + 10, "connection.5.2", kTextFunction, kConnectionFunctions + 4 * kGroupStride + 2,
             kConnectionGrid, 4, 1),

    // The data passwords, edited in the data password dialog.
    field(kItemReadPassword, "read-password", 1025, Control::None, text(kReadPassword, kDataPasswordLength))
        .filter(kPassword),
    field(kItemOverwritePassword, "overwrite-password", 1026, Control::None,
          text(kOverwritePassword, kDataPasswordLength)).filter(kPassword),
};
// clang-format on

struct FunctionCell {
    const FunctionPlace* place = nullptr;
    int slot = 0;
};

// The function-code group a cell belongs to, and its slot.
FunctionCell functionCell(const FieldRow& row)
{
    if (row.codec != &kEventFunctionCodec)
        return {};
    for (const FunctionPlace& place : functionPlaces()) {
        const std::size_t offset = row.storage.offset;
        if (offset >= place.offset && offset < place.offset + kSlotsPerGroup * kSlotStride)
            return {&place, static_cast<int>((offset - place.offset) / kSlotStride)};
    }
    return {};
}

bool isAt(const FieldRow& row, std::size_t offset)
{
    return row.storage.area == Area::Record && row.storage.offset == offset && row.storage.hasBytes();
}

// The timer 1..3 whose value this row holds, 0 for none.
int timerOf(const FieldRow& row)
{
    for (int timer = 1; timer <= kTimerCount; ++timer) {
        if (isAt(row, kTimerValues + static_cast<std::size_t>(timer - 1)) && row.storage.width == Width::U8)
            return timer;
    }
    return 0;
}

bool isPassword(const FieldRow& row)
{
    return row.item == kItemReadPassword || row.item == kItemOverwritePassword;
}

} // namespace

FieldTable featureFields()
{
    return kFeatureFields;
}

const FieldRow& featureField(int item)
{
    return *findRow(kFeatureFields, item);
}

bool FeatureRules::enabled(const FieldRow& row, int) const
{
    switch (row.item) {
    case 2:
    case 3:
    case 4:
        return main_[kRepeaterTot] != 0;
    case kPage2 + 2:
    case kPage2 + 3:
    case kPage2 + 4:
        return getU16(main_, kLocalMicTot) != 0;
    case kPage2 + 14:
    case kPage2 + 15:
    case kPage2 + 16:
    case kPage2 + 17:
        return getU16(main_, kCourtesyTonePeriod) != 0;
    case kPage2 + 20:
        return main_[kVotingPilotTone] != 0xFF;
    default:
        break;
    }
    const FunctionCell cell = functionCell(row);
    if (!cell.place)
        return true;
    // A timer's functions act only while the timer runs; a later slot only after an earlier one.
    if (cell.place->context == FunctionContext::kTimer) {
        const auto timer = (cell.place->offset - kTimerFunctions) / kGroupStride;
        if (main_[kTimerValues + timer] == 0)
            return false;
    }
    return cell.slot == 0 ||
           getU16(main_, cell.place->offset + kSlotStride * static_cast<std::size_t>(cell.slot - 1)) !=
               kNoFunction;
}

std::optional<std::vector<Choice>> FeatureRules::choices(const FieldRow& row, int) const
{
    const FunctionCell cell = functionCell(row);
    if (!cell.place)
        return std::nullopt;
    std::vector<Choice> list{{kNoFunction, 0}};
    for (uint16_t code : offeredFunctions(cell.place->context, main_)) {
        if (code != kNoFunction)
            list.push_back({code, 0});
    }
    return list;
}

StoreStep FeatureRules::beforeStore(FieldEdit& edit, EditResult& result)
{
    const FieldRow& row = edit.row;
    if (row.item == kItemPttPriority) {
        // Entries move one place at a time by swapping two bytes.
        const int from = static_cast<int>(edit.raw >> 8);
        const int to = static_cast<int>(edit.raw & 0xFF);
        const auto moved = std::abs(to - from) == 1 ? movePttPriority(main_, from, to - from) : std::nullopt;
        result.refused = !moved;
        result.changed = moved.has_value();
        result.touched |= moved ? kTouchesMain : 0u;
        return StoreStep::Done;
    }
    if (isPassword(row)) {
        const bool lettersAndDigits = std::all_of(edit.text.begin(), edit.text.end(), [](char c) {
            return std::isalnum(static_cast<unsigned char>(c)) != 0;
        });
        if (!lettersAndDigits || edit.text.size() > kDataPasswordLength) {
            result.refused = true;
            result.message = kPasswordCharactersText;
            return StoreStep::Done;
        }
        return StoreStep::Store;
    }
    const FunctionCell cell = functionCell(row);
    if (cell.place) {
        // Emptying a slot empties the slots after it.
        result.changed =
            setFunctionSlot(main_, cell.place->offset, cell.slot, static_cast<uint16_t>(edit.raw));
        result.touched |= result.changed ? kTouchesMain : 0u;
        return StoreStep::Done;
    }
    return StoreStep::Store;
}

void FeatureRules::afterStore(const FieldEdit& edit, EditResult& result)
{
    const FieldRow& row = edit.row;
    if (row.item == kItemRepeatHoldTimer)
        applyRepeatHoldTimer(main_);
    else if (row.item == kItemVotingPilotTone)
        applyVotingPilotTone(main_);
    else if (const int timer = timerOf(row))
        applyTimerValue(main_, timer);
    else if (isPassword(row)) {
        // A set option bit says the password is empty; a write asks for exactly those that exist.
        ModelBlock block = readModelBlock(main_);
        const bool empty = edit.text.empty();
        if (row.item == kItemReadPassword)
            block.setReadPasswordEmpty(empty);
        else
            block.setWritePasswordEmpty(empty);
        writeModelBlock(main_, block);
    }
    result.touched |= kTouchesMain;
}

int dataPasswordProblem(std::string_view overwrite, std::string_view confirmation)
{
    return overwrite == confirmation ? 0 : kPasswordMismatchText;
}

} // namespace rps::feature
