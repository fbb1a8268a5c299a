// Read transfer: the repeater's whole configuration into the snapshot copy.
#include "link/LinkTexts.h"
#include "link/TransferSteps.h"
#include "model/ModelBlock.h"
#include "model/ModelTable.h"

#include <algorithm>

namespace rps {

using namespace transfer;

namespace {

constexpr int kProtectedBlock = 2;
constexpr uint16_t kProtectedMessageAddress = 0xFD00;
constexpr uint16_t kTraceAddress = 0xF800;
constexpr std::size_t kTraceWindow = 96;

// The identification record must name a model this application reads; 0 or the text to show.
int readAcceptanceText(const ModelRecord& record)
{
    if (isUnprogrammedUnit(record))
        return texts::kUnprogrammedUnit;
    const ModelBlock block(record);
    if (!isModelBlockValid(block) || !isModelCodeAccepted(block.modelCode()))
        return texts::kUnsupportedModel;
    if (!block.reservedBytesEmpty())
        return texts::kIdentificationRefused;
    return 0;
}

int identifyForRead(TransferContext& context, ModelRecord& record)
{
    if (context.link.identify(record) != kLinkOk)
        return failLeaveClose(context, texts::kNoAnswer);
    const int refusal = readAcceptanceText(record);
    if (refusal == texts::kUnsupportedModel) {
        leaveAndClose(context);
        showError(context, refusal);
        return kLinkFailed;
    }
    if (refusal != 0)
        return failLeaveClose(context, refusal);
    return kLinkOk;
}

int readAuxiliaryAndLocal(TransferContext& context, ImageAreas& staged)
{
    RadioLink& link = context.link;
    for (int window = 0; window < 5; ++window) {
        link.pumpMessages();
        progress(context, kMainBlocks + 1 + window, kReadSteps);
        if (interrupted(context))
            return leaveAndClose(context);
        const auto offset = static_cast<std::size_t>(window) * kBlockSize;
        const uint16_t address = window < 4 ? static_cast<uint16_t>(offset) : kProtectedMessageAddress;
        if (link.readMemory(std::span<uint8_t>(staged.aux).subspan(offset, kBlockSize), address) != kLinkOk) {
            showError(context, texts::kNoAnswer);
            repaint(context);
            return leaveAndClose(context);
        }
    }
    for (int window = 0; window < 2; ++window) {
        link.pumpMessages();
        progress(context, kMainBlocks + 6 + window, kReadSteps);
        if (interrupted(context))
            return leaveAndClose(context);
        const std::size_t offset = static_cast<std::size_t>(window) * kTraceWindow;
        if (link.readMemory(std::span<uint8_t>(staged.local).subspan(offset, kTraceWindow),
                            static_cast<uint16_t>(kTraceAddress + offset)) != kLinkOk) {
            showError(context, texts::kNoAnswer);
            repaint(context);
            return leaveAndClose(context);
        }
    }
    return kLinkOk;
}

int readSteps(TransferContext& context, ConfigImage& image)
{
    RadioLink& link = context.link;
    link.setBlockSize(static_cast<int>(kBlockSize));
    progress(context, 0, kReadSteps);
    link.pumpMessages();
    if (!reopenPort(context))
        return kLinkFailed;
    link.delay(50);
    if (link.enterProgramMode() != kLinkOk)
        return failLeaveClose(context, texts::kNoAnswer);
    if (interrupted(context))
        return leaveAndClose(context);

    ModelRecord record{};
    if (identifyForRead(context, record) != kLinkOk)
        return kLinkFailed;
    std::array<uint8_t, 12> product{};
    std::array<uint8_t, 32> unit{};
    if (link.readProductInfo(product) != kLinkOk || link.readInformation("URK", unit) != kLinkOk)
        return failLeaveClose(context, texts::kNoAnswer);
    if (interrupted(context))
        return leaveAndClose(context);

    // The read starts from a copy of the working image: trace bytes 192..255 keep it.
    image.takeSnapshot();
    ImageAreas& staged = image.snapshot();
    const std::span<uint8_t> main(staged.main);
    if ((ModelBlock(record).optionFlags() & kOptionReadPasswordEmpty) == 0 &&
        link.readBlock(main.subspan(kProtectedBlock * kBlockSize, kBlockSize), kProtectedBlock) != kLinkOk)
        return failLeaveClose(context, texts::kNoAnswer);

    progress(context, 0, kReadSteps);
    for (std::size_t block = 0; block < kMainBlocks; ++block) {
        progress(context, static_cast<int>(block) + 1, kReadSteps);
        if (interrupted(context))
            return leaveAndClose(context);
        if (link.readBlock(main.subspan(block * kBlockSize, kBlockSize), static_cast<uint16_t>(block)) !=
            kLinkOk)
            return failLeaveClose(context, texts::kNoAnswer);
        link.pumpMessages();
    }
    if (readAuxiliaryAndLocal(context, staged) != kLinkOk)
        return kLinkFailed;

    progress(context, kReadSteps, kReadSteps);
    link.leaveMode();
    if (!link.close())
        return kTransferCloseFailed;
    // The model block is the one the repeater identified itself with, whatever block 4 held.
    std::copy(record.begin(), record.end(), main.begin() + kModelBlockOffset);
    return kLinkOk;
}

} // namespace

int runReadTransfer(TransferContext& context, ConfigImage& image)
{
    LinkSession session(context.link);
    if (!session)
        return kLinkFailed;
    return readSteps(context, image);
}

} // namespace rps
