#include "model/DefaultBuilder.h"

#include "model/ByteOrder.h"
#include "model/FrequencyText.h"
#include "model/ImageChecks.h"
#include "model/ModelBlock.h"
#include "model/ModelTable.h"
#include "model/SignallingMap.h"

#include <array>

namespace rps {

namespace {

constexpr std::size_t kTestFrequencyBytes = 128;
constexpr std::size_t kTuningFrequencyBytes = 40;

struct FrequencyPair {
    const char* receive;
    const char* transmit; // nullptr: same as receive
};

// Columns: VHF, UHF 450-520, UHF 400-470.
constexpr std::array<std::array<FrequencyPair, 6>, 3> kDefaultTestPairs{{
    {{{"155.050000", "155.100000"},
      {"136.050000", "136.100000"},
      {"173.950000", "173.900000"},
      {"155.000000", "155.000000"},
      {"155.200000", "155.200000"},
      {"155.400000", "155.400000"}}},
    {{{"485.050000", "485.100000"},
      {"450.050000", "450.100000"},
      {"519.950000", "519.900000"},
      {"485.000000", "485.000000"},
      {"485.200000", "485.200000"},
      {"485.400000", "485.400000"}}},
    {{{"435.050000", "435.100000"},
      {"400.050000", "400.100000"},
      {"469.950000", "469.900000"},
      {"435.000000", "435.000000"},
      {"435.200000", "435.200000"},
      {"435.400000", "435.400000"}}},
}};

constexpr std::array<std::array<FrequencyPair, 5>, 3> kDefaultTuningPairs{{
    {{{"136.05000", "136.10000"},
      {"145.55000", "145.60000"},
      {"155.05000", "155.10000"},
      {"164.55000", "164.60000"},
      {"173.95000", "173.90000"}}},
    {{{"450.05000", "450.10000"},
      {"467.55000", "467.60000"},
      {"485.05000", "485.10000"},
      {"502.55000", "502.60000"},
      {"519.95000", "519.90000"}}},
    {{{"400.05000", "400.10000"},
      {"417.55000", "417.60000"},
      {"435.05000", "435.10000"},
      {"452.55000", "452.60000"},
      {"469.95000", "469.90000"}}},
}};

std::size_t frequencyColumn(uint16_t modelCode)
{
    switch (modelCode) {
    case 0x0700:
    case 0x0702:
    case 0x0703:
        return 2;
    default:
        return isUhfBand(findBandRow(modelCode)) ? 1 : 0;
    }
}

template <std::size_t N>
void storePairs(std::span<uint8_t> main, std::size_t offset, const std::array<FrequencyPair, N>& pairs,
                const FrequencyLimits& limits)
{
    for (std::size_t i = 0; i < N; ++i) {
        const uint32_t rx = parseFrequency(pairs[i].receive, limits).hz;
        const uint32_t tx = pairs[i].transmit ? parseFrequency(pairs[i].transmit, limits).hz : rx;
        setU32(main, offset + 8 * i, rx);
        setU32(main, offset + 8 * i + 4, tx);
    }
}

void setSpaces(std::span<uint8_t> main, std::initializer_list<std::size_t> offsets)
{
    for (std::size_t offset : offsets)
        fillBytes(main, offset, 6, ' ');
}

void setBytes(std::span<uint8_t> main, std::initializer_list<std::pair<std::size_t, uint8_t>> values)
{
    for (const auto& [offset, value] : values)
        main[offset] = value;
}

void clearBits(std::span<uint8_t> main, std::size_t offset, uint8_t bits)
{
    main[offset] = static_cast<uint8_t>(main[offset] & ~bits);
}

// An encode/decode slot that no function uses: no code, no code, not in use.
void releaseSlots(std::span<uint8_t> main, std::size_t dtmfOffset, std::size_t count)
{
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t slot = kDtmfAreaOffset + dtmfOffset + 3 * i;
        main[slot] = 0xFF;
        main[slot + 1] = 0xFF;
        main[slot + 2] = 0x00;
    }
}

void buildFeatureDefaults(std::span<uint8_t> main)
{
    using namespace feature;
    setU32(main, 0x0258, 0);
    setU32(main, kChannelAreaEndWord, kChannelAreaStart - 1);

    setBytes(main, {{kRepeaterTot, 0x0A},
                    {kRepeatHoldTimer, 0x00},
                    {kOffHookDecode, 0x00},
                    {kQtDecodeDelay, 0x50},
                    {0x0261, 0xFF},
                    {kExternalMonitor, 0xFF},
                    {kFanAction, 0xFF},
                    {kScramblerBackup, 0xFF},
                    {kFirmwareProgramming, 0xFF},
                    {kDqtTurnOffTime, 0xAA},
                    {kQtReverseBurstTime, 0xA0},
                    {kTxStandbyOffset, 0xFF},
                    {kPttPriority, 0x00},
                    {kPttPriority + 1, 0x02},
                    {kPttPriority + 2, 0x03},
                    {kTotPreAlert, 0x00},
                    {kTotReset, 0x00},
                    {kTotRekey, 0x00},
                    {kSquelchLevel, 0x01},
                    {kQtReverseBurstPhase, 0xFF}});
    setU16(main, kTestTone, 0x1000);
    setU16(main, kRepeatHangTimeOffset, 100);
}

void buildRepeaterControlDefaults(std::span<uint8_t> main)
{
    using namespace feature;
    setU16(main, kLocalMicTot, 60);
    setBytes(main, {{kLocalMicTotPreAlert, 0x00},
                    {kLocalMicTotRekey, 0x00},
                    {kLocalMicTotReset, 0x00},
                    {kBusyLockoutDigital, 0xFF},
                    {kBusyLockoutAnalog, 0xFF},
                    {kToneVolume, 0x03},
                    {kVotingPilotTone, 0xFF}});
    clearBits(main, kToneOptions, kPowerOnToneBit | kControlToneBit | kWarningToneBit);
    setU16(main, kCourtesyTonePeriod, 0x0000);
    setU16(main, kCourtesyToneFrequency, 0x0800);
    setU16(main, kEncodePauseTime, 20);
    clearBits(main, kSendToRaByte, kSendToRaBit);
    setU16(main, kVotingPilotFrequency, 0x2175);
    setU16(main, kSignalResetTimer, 10);

    fillBytes(main, signalling::kNxdnUnitName, signalling::kNxdnUnitNameSize, 0x00);
}

void buildTextFieldDefaults(std::span<uint8_t> main)
{
    using namespace feature;
    // Every event table empty: the TX/RX rows, the start-up actions and the group after them.
    setSpaces(main, {kTxRxRows[2], kTxRxRows[3], kTxRxRows[0], kTxRxRows[1], kStartUpFunctions, 0x0368});
    setBytes(main, {{kTimerValues, 25}, {kTimerValues + 1, 25}, {kTimerValues + 2, 1}});
    setSpaces(main,
              {kTimerFunctions, kTimerFunctions + kGroupStride, kTimerFunctions + 2 * kGroupStride, 0x0398});
    setBytes(main, {{kQtReverseBurstTime, 0xA0}, {kDqtTurnOffTime, 0xAA}});
    setSpaces(main, {kConnectionFunctions, kConnectionFunctions + kGroupStride,
                     kConnectionFunctions + 2 * kGroupStride, kConnectionFunctions + 3 * kGroupStride,
                     kConnectionFunctions + 4 * kGroupStride});
    setU16(main, kRxSignalDetect, 1180);
    main[signalling::kNxdnAudioFilter] = 0x30;

    // Ports 1..5 inputs, port 6 an output; no input runs a function, no output drives a signal.
    main[kInputLevel] = 0x00;
    fillBytes(main, kPortModes, kPortCount - 1, 0x00);
    main[kPortModes + static_cast<std::size_t>(kPortCount) - 1] = 0x01;
    for (int group = 0; group < kFixedInputCount + kPortCount + 1; ++group)
        setSpaces(main, {kFixedInputFunctions + static_cast<std::size_t>(group) * kGroupStride});
    for (int entry = 0; entry < kFixedOutputCount; ++entry)
        main[kFixedOutputs + static_cast<std::size_t>(entry) * kGroupStride] = 0x20;
    for (int entry = 0; entry < kPortCount; ++entry)
        main[kPortOutputs + static_cast<std::size_t>(entry) * kGroupStride] = 0x20;

    // Scan: off, look back 0.5 s and 2.0 s, revert to the home channel, 3.0 s, 3.0 s, no
    // priority channel, off-hook scan on.
    constexpr std::array<uint8_t, 8> kScanDefaults{0xFF, 0x05, 0x14, 0x30, 0x1E, 0x1E, 0xFF, 0x00};
    for (std::size_t i = 0; i < kScanDefaults.size(); ++i)
        main[kScanPriority + i] = kScanDefaults[i];

    constexpr std::array<uint16_t, kKeyCount> kKeyDefaults{0x322F, 0x322A, 0x3225, 0x2020, 0x3022, 0x3122};
    for (std::size_t key = 0; key < kKeyDefaults.size(); ++key)
        setU16(main, kKeyFunctions + key * kGroupStride, kKeyDefaults[key]);
}

void buildMultiTableDefaults(std::span<uint8_t> main)
{
    // Bytes 30, 31, 62 and 63 of each block are not part of the two halves and stay as they are.
    for (std::size_t block = 0x5400; block < 0x5800; block += 64) {
        fillBytes(main, block, 30, 0xFF);
        fillBytes(main, block + 32, 30, 0xFF);
    }
}

void buildCwAndDtmfDefaults(std::span<uint8_t> main)
{
    using namespace signalling;
    setBytes(main, {{kCwSpeed, 20},
                    {kCwModulationDelay, 60},
                    {kCwAudioFrequency, 80},
                    {kCwSendToRa, 0},
                    {kCwEncodeWithQt, 0}});

    // DTMF encoder: 6 digits/s, no first digit time, 200 ms first digit delay, no "*"/"#" time,
    // remote commands accepted without QT/DQT.
    fillBytes(main, kActivationTone, kDtmfAreaEnd - kActivationTone, 0xFF);
    fillBytes(main, kFirstDigitTime, kRemoteAssignments + 1 - kFirstDigitTime, 0xFF);
    setU16(main, kFirstDigitTime, 0);
    setU16(main, kFirstDigitDelay, 200);
    main[kDtmfSpeed] = 6;
    setU16(main, kStarHashDigitTime, 0);
    main[kRemoteWithoutQt] = 0xFF;
    // Transpond tones 800 Hz / 1000 ms and 600 Hz / 2000 ms, side tone on.
    setU16(main, kActivationTone, 0x0800);
    main[kActivationPeriod] = 20;
    setU16(main, kDeactivationTone, 0x0600);
    main[kDeactivationPeriod] = 40;
    clearBits(main, kDtmfFlags, kSideToneOffBit);
    // The first code of both tables is 159D.
    for (std::size_t table : {kEncodeTable, kDecodeTable}) {
        fillBytes(main, table, kCodeDigits, 0xFF);
        setU32(main, table, 0x0D090501);
    }

    releaseSlots(main, 16, 6);
    releaseSlots(main, 57, 6);
    releaseSlots(main, 98, 6);
    releaseSlots(main, 80, 5);
    releaseSlots(main, 48, 3);
    setBytes(main, {{0x06A2, 0xFF},
                    {0x06A3, 0xFF},
                    {0x06A4, 0xFF},
                    {0x06F4, 0xFF},
                    {0x06F5, 0xFF},
                    {0x06F6, 0xFF},
                    {0x06F9, 0xFF}});
}

void buildMessageAndUserDefaults(std::span<uint8_t> main, std::span<uint8_t> aux)
{
    fillBytes(main, kEmbeddedMessageOffset, 64, 0x00);
    fillBytes(aux, 0x0400, 0x40, 0x00);
    setU32(aux, 0x0440, 0);
    setU16(aux, 0x0444, 0);

    for (std::size_t table : {std::size_t{0x8000}, std::size_t{0x9000}}) {
        for (std::size_t record = 0; record < 1000; ++record) {
            const std::size_t offset = table + 4 * record;
            main[offset] = 0x00;
            clearBits(main, offset + 1, 0x0F);
        }
    }
}

} // namespace

void buildFrequencyTables(std::span<uint8_t> main, uint16_t modelCode, const FrequencyLimits& limits)
{
    const std::size_t column = frequencyColumn(modelCode);
    fillBytes(main, kTestFrequencyOffset, kTestFrequencyBytes, 0xFF);
    storePairs(main, kTestFrequencyOffset, kDefaultTestPairs[column], limits);
    fillBytes(main, kTuningFrequencyOffset, kTuningFrequencyBytes, 0xFF);
    storePairs(main, kTuningFrequencyOffset, kDefaultTuningPairs[column], limits);
}

void buildDefaults(ConfigImage& image, bool restoreDefaultModel, bool setOption3,
                   const InstallationId& installationId)
{
    std::span<uint8_t> main = image.main();
    if (restoreDefaultModel) {
        ModelBlock block;
        block.setIdentifier(kModelRows[0].identifier);
        block.setModelCode(kBandRows[0].modelCode);
        writeModelBlock(main, block);
    }
    if (setOption3) {
        ModelBlock block = readModelBlock(main);
        block.setOptionBits(kOptionBit3, true);
        writeModelBlock(main, block);
    }
    // Every default frequency lies on the coarse grid of its band, so the fine-step option
    // cannot change them.
    const uint16_t modelCode = readModelBlock(main).modelCode();
    const FrequencyLimits limits = FrequencyLimits::forModelCode(modelCode, false);
    stampVersion(main, installationId);
    buildFrequencyTables(main, modelCode, limits);
    buildFeatureDefaults(main);
    buildRepeaterControlDefaults(main);
    buildTextFieldDefaults(main);
    buildMultiTableDefaults(main);
    buildCwAndDtmfDefaults(main);
    buildMessageAndUserDefaults(main, image.aux());
}

void newImage(ConfigImage& image, const InstallationId& installationId)
{
    ModelBlock block = readModelBlock(image.main());
    image.clear();
    writeModelBlock(image.main(), block);
    buildDefaults(image, false, false, installationId);
    block = readModelBlock(image.main());
    block.setOptionBits(kOptionReadPasswordEmpty | kOptionWritePasswordEmpty | kOptionBit3, true);
    writeModelBlock(image.main(), block);
    image.markClean();
}

} // namespace rps
