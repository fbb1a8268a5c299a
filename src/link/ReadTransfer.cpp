// Read transfer: the repeater's whole configuration into the snapshot copy.
#include "link/LinkTexts.h"
#include "link/ReadSteps.h"
#include "link/TransferSteps.h"
#include "model/ModelBlock.h"
#include "model/ModelTable.h"

#include <algorithm>

namespace rps {

using namespace transfer;

namespace {

constexpr int kProtectedBlock = 2;
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
    if (readAuxWindows(context, staged.aux, 5, static_cast<int>(kMainBlocks), kReadSteps) != kLinkOk)
        return kLinkFailed;
    RadioLink& link = context.link;
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

int readSteps(TransferContext& context, ConfigImage& image, UnitRecord& unit)
{
    RadioLink& link = context.link;
    link.setBlockSize(static_cast<int>(kBlockSize));
    progress(context, 0, kReadSteps);
    if (enterProgramSession(context) != kLinkOk)
        return kLinkFailed;
    if (interrupted(context))
        return leaveAndClose(context);

    ModelRecord record{};
    if (identifyForRead(context, record) != kLinkOk)
        return kLinkFailed;
    std::array<uint8_t, 12> product{};
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
    if (readMainBlocks(context, main, 0, kReadSteps) != kLinkOk)
        return kLinkFailed;
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

int runReadTransfer(TransferContext& context, ConfigImage& image, UnitRecord* unit)
{
    LinkSession session(context.link);
    if (!session)
        return kLinkFailed;
    UnitRecord record{};
    const int result = readSteps(context, image, record);
    if (unit != nullptr && result == kLinkOk)
        *unit = record;
    return result;
}

} // namespace rps
