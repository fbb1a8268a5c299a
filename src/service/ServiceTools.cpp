#include "service/ServiceTools.h"

#include "link/LinkTexts.h"
#include "link/TransferSteps.h"
#include "model/ModelBlock.h"
#include "model/ModelTable.h"

#include <cstdio>

namespace rps {

using namespace transfer;

namespace {

constexpr uint8_t kTxRxUnit = 0x05;
constexpr uint8_t kFinalUnit = 0x06;
constexpr uint8_t kControlUnit = 0x07;
constexpr std::size_t kSerialOffset = 16;
constexpr std::size_t kSerialLength = 12;

// Port, programming mode and identification; the repeater must be a model of the table.
int connect(TransferContext& context, ModelRecord& record)
{
    RadioLink& link = context.link;
    link.pumpMessages();
    if (!reopenPort(context))
        return kLinkFailed;
    link.delay(50);
    if (link.enterProgramMode() != kLinkOk || link.identify(record) != kLinkOk)
        return failLeaveClose(context, texts::kNoAnswer);
    if (findModelRow(ModelBlock(record)) < 0) {
        leaveAndClose(context);
        showError(context, texts::kUnsupportedModel);
        return kLinkFailed;
    }
    return kLinkOk;
}

// One command of the retry wrapper: on failure the message, then leave and close.
template <typename F> bool step(TransferContext& context, F&& command)
{
    context.link.pumpMessages();
    if (command() == kLinkOk)
        return true;
    failLeaveClose(context, texts::kNoAnswer);
    return false;
}

int finish(TransferContext& context)
{
    context.link.leaveMode();
    context.link.close();
    return kLinkOk;
}

std::string printable(std::span<const uint8_t> bytes)
{
    std::string text;
    for (uint8_t b : bytes)
        text += b >= 0x20 && b < 0x7F ? static_cast<char>(b) : ' ';
    while (!text.empty() && text.back() == ' ')
        text.pop_back();
    return text;
}

std::string hexText(std::span<const uint8_t> bytes)
{
    std::string text;
    char digits[3];
    for (uint8_t b : bytes) {
        std::snprintf(digits, sizeof digits, "%02X", b);
        text += digits;
    }
    return text;
}

} // namespace

int readHardwareVersions(TransferContext& context, HardwareVersions& versions)
{
    LinkSession session(context.link);
    if (!session)
        return kLinkFailed;
    ModelRecord record{};
    if (connect(context, record) != kLinkOk)
        return kLinkFailed;
    std::string* lines[] = {&versions.txRxUnit, &versions.finalUnit, &versions.controlUnit};
    const uint8_t units[] = {kTxRxUnit, kFinalUnit, kControlUnit};
    for (std::size_t i = 0; i < 3; ++i) {
        std::array<uint8_t, 2> reply{};
        if (!step(context, [&] { return context.link.readUnitVersion(units[i], reply); }))
            return kLinkFailed;
        *lines[i] = versionText(reply);
    }
    return finish(context);
}

int readRadioInformation(TransferContext& context, RadioInformation& information)
{
    LinkSession session(context.link);
    if (!session)
        return kLinkFailed;
    RadioLink& link = context.link;
    if (connect(context, information.record) != kLinkOk)
        return kLinkFailed;
    if (!step(context, [&] { return link.readInformation("URK", information.unit); }) ||
        !step(context, [&] { return link.readFirmwareChecksum(information.checksum); }) ||
        !step(context, [&] { return link.readProductInfo(information.product); }) ||
        !step(context, [&] { return link.readInformation("URS", information.status); }))
        return kLinkFailed;
    return finish(context);
}

std::string checksumText(std::span<const uint8_t, 2> checksum)
{
    return hexText(checksum);
}

std::string serialNumberText(std::span<const uint8_t, 32> unit)
{
    std::string text;
    for (uint8_t b : unit.subspan(kSerialOffset, kSerialLength))
        text += b == 0xFF ? ' ' : static_cast<char>(b);
    return text;
}

std::string versionText(std::span<const uint8_t, 2> reply)
{
    return {static_cast<char>(reply[0]), static_cast<char>(reply[1])};
}

RadioInformationLines radioInformationLines(const RadioInformation& information)
{
    RadioInformationLines lines;
    const ModelBlock block(information.record);
    const int row = findModelRow(block);
    lines.model = row >= 0 ? displayName(row) : printable(std::span(information.record).first(8));
    const int band = findBandRow(block.modelCode());
    lines.frequency = band >= 0 ? std::string(kBandRows[static_cast<std::size_t>(band)].label) : "";
    if (!lines.frequency.empty() && lines.frequency.front() == '*')
        lines.frequency.erase(0, 2);
    lines.serialNumber = serialNumberText(information.unit);
    lines.esn = hexText(std::span(information.status).first(4));
    lines.firmware = printable(information.product);
    lines.checksum = checksumText(information.checksum);
    lines.options = hexText(std::span(information.unit).first(16));
    return lines;
}

} // namespace rps
