#include "link/ReadSteps.h"

#include "link/LinkTexts.h"
#include "link/TransferSteps.h"

namespace rps::transfer {

namespace {
constexpr uint16_t kProtectedMessageAddress = 0xFD00;
constexpr int kDirectWindows = 4;
} // namespace

int readMainBlocks(TransferContext& context, std::span<uint8_t> main, int firstStep, int total)
{
    RadioLink& link = context.link;
    for (std::size_t block = 0; block < kMainBlocks; ++block) {
        progress(context, firstStep + static_cast<int>(block) + 1, total);
        if (interrupted(context))
            return leaveAndClose(context);
        if (link.readBlock(main.subspan(block * kBlockSize, kBlockSize), static_cast<uint16_t>(block)) !=
            kLinkOk)
            return failLeaveClose(context, texts::kNoAnswer);
        link.pumpMessages();
    }
    return kLinkOk;
}

int readAuxWindows(TransferContext& context, std::span<uint8_t> aux, int windows, int firstStep, int total)
{
    RadioLink& link = context.link;
    for (int window = 0; window < windows; ++window) {
        link.pumpMessages();
        progress(context, firstStep + 1 + window, total);
        if (interrupted(context))
            return leaveAndClose(context);
        const auto offset = static_cast<std::size_t>(window) * kBlockSize;
        const uint16_t address =
            window < kDirectWindows ? static_cast<uint16_t>(offset) : kProtectedMessageAddress;
        if (link.readMemory(aux.subspan(offset, kBlockSize), address) != kLinkOk) {
            showError(context, texts::kNoAnswer);
            repaint(context);
            return leaveAndClose(context);
        }
    }
    return kLinkOk;
}

} // namespace rps::transfer
