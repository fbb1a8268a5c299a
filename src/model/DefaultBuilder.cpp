#include "model/DefaultBuilder.h"

#include "model/ByteOrder.h"
#include "model/FrequencyText.h"
#include "model/ImageChecks.h"
#include "model/ModelBlock.h"
#include "model/ModelTable.h"

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
    setU32(main, 0x0258, 0);
    setU32(main, kChannelAreaEndWord, kChannelAreaStart - 1);

    setBytes(main,
             {{0x0290, 0x0A}, {0x0291, 0x00},           {0x0294, 0x00}, {0x0296, 0x50}, {0x0261, 0xFF},
              {0x0295, 0xFF}, {0x02A0, 0xFF},           {0x02A1, 0xFF}, {0x0260, 0xFF}, {0x026D, 0xAA},
              {0x026E, 0xA0}, {kTxStandbyOffset, 0xFF}, {0x0298, 0x00}, {0x0299, 0x02}, {0x029A, 0x03},
              {0x029C, 0x00}, {0x029E, 0x00},           {0x029D, 0x00}, {0x029F, 0x01}, {0x0283, 0xFF}});
    setU16(main, 0x0292, 0x1000);
    setU16(main, kRepeatHangTimeOffset, 100);
}

void buildRepeaterControlDefaults(std::span<uint8_t> main)
{
    setU16(main, 0x056C, 60);
    setBytes(main, {{0x0569, 0x00},
                    {0x056A, 0x00},
                    {0x056B, 0x00},
                    {0x0567, 0xFF},
                    {0x0568, 0xFF},
                    {0x02B9, 0x03},
                    {0x0277, 0xFF}});
    clearBits(main, 0x02B8, 0x07);
    setU16(main, 0x0426, 0x0000);
    setU16(main, 0x0428, 0x0800);
    setU16(main, 0x0424, 20);
    clearBits(main, 0x042B, 0x10);
    setU16(main, 0x0278, 0x2175);
    setU16(main, 0x042E, 10);

    fillBytes(main, 0x0410, 14, 0x00);
}

void buildTextFieldDefaults(std::span<uint8_t> main)
{
    setSpaces(main, {0x0340, 0x0348, 0x0350, 0x0358, 0x0360, 0x0368});
    setBytes(main, {{0x0378, 25}, {0x0379, 25}, {0x037A, 1}});
    setSpaces(main, {0x0380, 0x0388, 0x0390, 0x0398});
    setBytes(main, {{0x026E, 0xA0}, {0x026D, 0xAA}});
    setSpaces(main, {0x0450, 0x0458, 0x0460, 0x0468, 0x0470});
    setU16(main, 0x0448, 1180);
    main[0x042C] = 0x30;

    main[0x02AF] = 0x00;
    fillBytes(main, 0x02A8, 5, 0x00);
    main[0x02AD] = 0x01;
    setSpaces(main, {0x02F0, 0x02F8, 0x0300, 0x0308, 0x0310, 0x0318, 0x0320, 0x0328, 0x0330, 0x0338});
    for (std::size_t entry = 0x0500; entry <= 0x0520; entry += 8)
        main[entry] = 0x20;
    for (std::size_t entry = 0x0530; entry <= 0x0558; entry += 8)
        main[entry] = 0x20;

    constexpr std::array<uint8_t, 8> kScanDefaults{0xFF, 0x05, 0x14, 0x30, 0x1E, 0x1E, 0xFF, 0x00};
    for (std::size_t i = 0; i < kScanDefaults.size(); ++i)
        main[0x02B0 + i] = kScanDefaults[i];

    setU16(main, 0x02C0, 0x322F);
    setU16(main, 0x02C8, 0x322A);
    setU16(main, 0x02D0, 0x3225);
    setU16(main, 0x02D8, 0x2020);
    setU16(main, 0x02E0, 0x3022);
    setU16(main, 0x02E8, 0x3122);
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
    setBytes(main, {{0x0571, 20}, {0x0574, 60}, {0x0572, 80}, {0x0570, 0}, {0x0573, 0}});

    fillBytes(main, 0x06FA, 0x0DC0 - 0x06FA, 0xFF);
    fillBytes(main, 0x068A, 0x0691 - 0x068A, 0xFF);
    setU16(main, 0x068A, 0);
    setU16(main, 0x068C, 200);
    main[0x0689] = 6;
    setU16(main, 0x068E, 0);
    main[0x06F9] = 0xFF;
    setU16(main, 0x06FA, 0x0800);
    main[0x06FE] = 20;
    setU16(main, 0x06FC, 0x0600);
    main[0x06FF] = 40;
    clearBits(main, 0x06F8, 0x02);
    fillBytes(main, 0x5800, 16, 0xFF);
    setU32(main, 0x5800, 0x0D090501);
    fillBytes(main, 0x5B00, 16, 0xFF);
    setU32(main, 0x5B00, 0x0D090501);

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
