// Writes demo/demo.dat: a QLM-640 configuration with eight channels of mixed types and an
// embedded message, which scripts/run loads into the simulated repeater so that a first
// read shows a realistic repeater. Build and run: ninja -C build rps360t-make-demo &&
// build/demo/rps360t-make-demo demo/demo.dat
#include "forms/channel/ChannelEditor.h"
#include "forms/channel/ChannelItems.h"
#include "model/ByteOrder.h"
#include "model/ConfigImage.h"
#include "model/DataFile.h"
#include "model/DefaultBuilder.h"
#include "model/ModelBlock.h"
#include "model/SignallingMap.h"

#include <algorithm>
#include <cstdio>
#include <string>

using namespace rps;

namespace {


void fillChannels(ConfigImage& image)
{
    ChannelEditor editor(
        image, [](int) { return std::string(); }, FrequencyLimits::forModelCode(0x0400, false));
    struct Row {
        int channel;
        const char* rx;
        const char* tx;
        int type;
        const char* qt;
        const char* ran;
        const char* name;
    };
    const Row rows[] = {
        {0, "151.8200", "156.8200", kTypeAnalog, "88.5", "", ""},
        {1, "151.8800", "156.8800", kTypeAnalog, "D023N", "", "PD"},
        {2, "152.0150", "157.0150", kTypeNxdn, "", "12", "dt"},
        {3, "152.4500", "157.4500", kTypeMixed, "100.0", "5", "Hy"},
        {4, "153.1250", "153.1250", kTypeAnalog, "D754I", "", "SP"},
        {5, "154.5275", "159.5275", kTypeNxdn, "", "63", ""},
        {8, "155.3400", "", kTypeAnalog, "131.8", "", "rc"},
        {11, "158.7750", "163.7750", kTypeMixed, "D565N", "1", "FA"},
    };
    for (const Row& row : rows) {
        editor.setFrequency(row.channel, false, row.rx, false);
        if (*row.tx)
            editor.setFrequency(row.channel, true, row.tx, false);
        editor.setChoice(row.channel, kItemChannelType, row.type);
        if (*row.qt)
            editor.setQtDqt(row.channel, false, row.qt, true);
        if (*row.ran)
            editor.setRan(row.channel, false, row.ran, true);
        if (*row.name)
            editor.setName(row.channel, row.name);
    }
    editor.setFlag(3, kItemBeatShift, true);
    editor.setBeatShiftOption(3, 2, true);
    editor.setFlag(2, kItemScanAdd, true);
}

void writeMessage(ConfigImage& image)
{
    const std::string lines[2] = {"DEMO REPEATER - HILLTOP SITE 7", "RPS-360T SIMULATED QLM-640"};
    for (std::size_t i = 0; i < 2; ++i) {
        auto line = image.main().subspan(kEmbeddedMessageOffset + 32 * i, 32);
        std::fill(line.begin(), line.end(), 0x00);
        std::copy(lines[i].begin(), lines[i].end(), line.begin());
    }
}

// DTMF codes, one digit per byte: two encode codes, three decode codes, decode code 2 as PF
// key 1's activation code.
void writeCodes(ConfigImage& image)
{
    using namespace rps::signalling;
    const auto code = [&image](std::size_t table, int row, std::initializer_list<uint8_t> digits) {
        auto record =
            image.main().subspan(table + kCodeRecordSize * static_cast<std::size_t>(row), kCodeRecordSize);
        std::fill(record.begin(), record.end(), kNoCode);
        std::copy(digits.begin(), digits.end(), record.begin());
    };
    code(kEncodeTable, 1, {0x0E, 0x02, 0x01, 0x0F}); // *21#
    code(kDecodeTable, 1, {0x04, 0x07, 0x01, 0x01}); // 4711
    code(kDecodeTable, 2, {0x0A, 0x00, 0x0B});       // A0B
    image.main()[kRemoteAssignments] = 0x01;         // PF key 1 activation: decode code 2
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUT.dat\n", argv[0]);
        return 2;
    }
    ConfigImage image;
    writeModelBlock(image.main(), ModelBlock::fromModelCode(0x0400));
    const InstallationId noInstallation = [] {
        InstallationId id{};
        id.fill(0xFF);
        return id;
    }();
    newImage(image, noInstallation);
    fillChannels(image);
    writeMessage(image);
    writeCodes(image);
    // The repeater's own NXDN unit ID: a write refuses NXDN channels without one.
    setU16(image.main(), kNxdnUnitIdOffset, 101);
    const SaveResult result = saveImage(argv[1], image, SaveOptions{false, std::nullopt, noInstallation});
    if (result.code != kSaveOk) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
