// Write transfer: the working image, stamped with version and checksum, to the repeater.
#include "link/LinkTexts.h"
#include "link/ReadSteps.h"
#include "link/TransferSteps.h"
#include "model/ImageChecks.h"
#include "model/ModelBlock.h"
#include "model/ModelTable.h"

#include <algorithm>
#include <cstdio>
#include <memory>

namespace rps {

using namespace transfer;

namespace {

constexpr int kPasswordAttempts = 3;
constexpr int kAuxWindowsWritten = 4;

std::string quoted(const std::string& text)
{
    return "\"" + text + "\"";
}

// Warns what the repeater will ask for after the write; true = go on.
bool confirmWrite(TransferContext& context, const ModelBlock& data)
{
    const LanguageTable& t = context.texts;
    std::string text = t.text(texts::kWriteWarning);
    const bool readProtected = (data.optionFlags() & kOptionReadPasswordEmpty) == 0;
    const bool writeProtected = (data.optionFlags() & kOptionWritePasswordEmpty) == 0;
    if (readProtected) {
        text += '\n';
        text += quoted(t.text(texts::kReadPassword));
    }
    if (writeProtected) {
        text += '\n';
        text += quoted(t.text(texts::kWritePassword));
        text += "\n\n";
        text += t.text(texts::kWriteWarningPasswordNote);
    }
    if (!readProtected && !writeProtected)
        return true;
    text += "\n\n";
    text += t.text(texts::kWriteWarningQuestion);
    MessageRequest request{text, t.text(texts::kQuestionCaption), MessageButtons::OkCancel,
                           MessageIcon::Warning};
    return context.dialogs.showMessage(request) == MessageAnswer::Ok;
}

bool differsBesideReservedBytes(const ModelRecord& record, const ModelBlock& data)
{
    for (std::size_t i = 0; i < record.size(); ++i)
        if (i != 12 && i != 13 && record[i] != data.bytes()[i])
            return true;
    return false;
}

// Identifier, destination variant and band type: another model, not just other option flags.
bool differsInModel(const ModelRecord& record, const ModelBlock& data)
{
    constexpr std::size_t kModelBytes = 12;
    return !std::equal(record.begin(), record.begin() + kModelBytes, data.bytes().begin());
}

std::string passwordSetting(bool empty)
{
    return empty ? "none" : "set";
}

// What differs between a repeater and data of one model: their option flags, said as the
// password settings they are.
std::string optionFlagsDifference(const LanguageTable& t, const ModelBlock& repeater, const ModelBlock& data)
{
    std::string text = "The repeater is of the data's model; its option flags differ from the data's:";
    const auto line = [&](int caption, bool onRepeater, bool inData) {
        text += "\n  " + t.text(caption) + " (repeater: " + passwordSetting(onRepeater) +
                ", data: " + passwordSetting(inData) + ")";
    };
    if (repeater.readPasswordEmpty() != data.readPasswordEmpty())
        line(texts::kReadPassword, repeater.readPasswordEmpty(), data.readPasswordEmpty());
    if (repeater.writePasswordEmpty() != data.writePasswordEmpty())
        line(texts::kWritePassword, repeater.writePasswordEmpty(), data.writePasswordEmpty());
    if (repeater.readPasswordEmpty() == data.readPasswordEmpty() &&
        repeater.writePasswordEmpty() == data.writePasswordEmpty()) {
        char flags[80];
        std::snprintf(flags, sizeof flags, "\n  (repeater: 0x%04X, data: 0x%04X)", repeater.optionFlags(),
                      data.optionFlags());
        text += flags;
    }
    return text;
}

int identifyForWrite(TransferContext& context, const ModelBlock& data, ModelRecord& record)
{
    if (context.link.identify(record) != kLinkOk)
        return failLeaveClose(context, texts::kNoAnswer);
    if (isUnprogrammedUnit(record))
        return kLinkOk;
    if (findModelRow(ModelBlock(record)) < 0) {
        leaveAndClose(context);
        showError(context, texts::kUnsupportedModel);
        return kLinkFailed;
    }
    if (differsBesideReservedBytes(record, data)) {
        const LanguageTable& t = context.texts;
        MessageRequest request{t.text(texts::kModelDiffers), t.text(texts::kQuestionCaption),
                               MessageButtons::OkCancel, MessageIcon::Warning};
        if (differsInModel(record, data))
            request.kind = QuestionKind::ModelChange;
        else if (record[14] != data.bytes()[14] || record[15] != data.bytes()[15]) {
            request.kind = QuestionKind::OptionFlags;
            request.detail = optionFlagsDifference(t, ModelBlock(record), data);
        }
        if (context.dialogs.showMessage(request) != MessageAnswer::Ok)
            return leaveAndClose(context);
    }
    return kLinkOk;
}

int sendWritePassword(TransferContext& context)
{
    const LanguageTable& t = context.texts;
    for (int refusals = 0;;) {
        const std::optional<std::string> typed =
            context.dialogs.askPassword(t.text(texts::kPasswordCaption), t.text(texts::kWritePassword), 6);
        if (!typed)
            return leaveAndClose(context);
        const int result = context.link.checkWritePassword(passwordBytes(*typed));
        if (result == kLinkOk)
            return kLinkOk;
        if (result != kLinkRefused)
            return failLeaveClose(context, texts::kNoAnswer);
        showError(context, texts::kPasswordRefused);
        if (++refusals == kPasswordAttempts)
            return leaveAndClose(context);
    }
}

int sendImage(TransferContext& context, ConfigImage& image)
{
    RadioLink& link = context.link;
    const std::span<uint8_t> main = image.main();
    for (std::size_t block = 0; block < kMainBlocks; ++block) {
        progress(context, static_cast<int>(block) + 1, kWriteSteps);
        if (interrupted(context))
            return abandonAndClose(context);
        if (link.writeBlock(main.subspan(block * kBlockSize, kBlockSize), static_cast<uint16_t>(block)) !=
            kLinkOk)
            return failAbandonClose(context, texts::kNoAnswer);
        link.pumpMessages();
    }
    // The protected message window (offsets 1024..1279) has its own form; it is only counted.
    for (int window = 0; window <= kAuxWindowsWritten; ++window) {
        link.pumpMessages();
        progress(context, static_cast<int>(kMainBlocks) + 1 + window, kWriteSteps);
        if (window == kAuxWindowsWritten)
            break;
        if (interrupted(context))
            return abandonAndClose(context);
        const auto offset = static_cast<std::size_t>(window) * kBlockSize;
        if (link.writeMemory(image.aux().subspan(offset, kBlockSize), static_cast<uint16_t>(offset)) !=
            kLinkOk) {
            showError(context, texts::kNoAnswer);
            repaint(context);
            link.abandonWrite();
            link.close();
            return kLinkFailed;
        }
    }
    return kLinkOk;
}

// The written blocks and windows read back with the read's own frames, in the same session;
// a difference is one error box and the write has failed.
int readBack(TransferContext& context, ConfigImage& image, const WriteOptions& options)
{
    constexpr int kWindows = kAuxWindowsWritten;
    auto back = std::make_unique<ImageAreas>();
    progress(context, 0, kReadBackSteps);
    if (readMainBlocks(context, back->main, 0, kReadBackSteps) != kLinkOk ||
        readAuxWindows(context, back->aux, kWindows, static_cast<int>(kMainBlocks), kReadBackSteps) !=
            kLinkOk)
        return kLinkFailed;
    const std::span<const uint8_t> sentAux = image.aux().first(kWindows * kBlockSize);
    const std::span<const uint8_t> readAux = std::span<const uint8_t>(back->aux).first(kWindows * kBlockSize);
    const std::vector<ReadBackBlock> blocks = readBackDifferences(image.main(), back->main, sentAux, readAux);
    if (blocks.empty())
        return kLinkOk;
    MessageRequest request;
    request.text = readBackReport(context.texts, texts::kReadBackDiffers, blocks, image.main(), back->main,
                                  sentAux, readAux, options.fieldName);
    request.caption = context.texts.text(texts::kErrorCaption);
    request.icon = MessageIcon::Error;
    leaveAndClose(context);
    context.dialogs.showMessage(request);
    return kLinkFailed;
}

int writeSteps(TransferContext& context, ConfigImage& image, const WriteOptions& options)
{
    RadioLink& link = context.link;
    const ModelBlock data = readModelBlock(image.main());
    if (!confirmWrite(context, data))
        return kLinkFailed;
    link.setBlockSize(static_cast<int>(kBlockSize));
    if (enterProgramSession(context) != kLinkOk)
        return kLinkFailed;
    if (interrupted(context))
        return leaveAndClose(context);
    ModelRecord record{};
    if (identifyForWrite(context, data, record) != kLinkOk)
        return kLinkFailed;
    std::array<uint8_t, 12> product{};
    if (link.readProductInfo(product) != kLinkOk)
        return failLeaveClose(context, texts::kNoAnswer);
    if ((ModelBlock(record).optionFlags() & kOptionWritePasswordEmpty) == 0 &&
        sendWritePassword(context) != kLinkOk)
        return kLinkFailed;
    // Nothing has been written yet: the mode is left as after a refused password.
    if (interrupted(context))
        return leaveAndClose(context);

    progress(context, 0, kWriteSteps);
    stampVersion(image.main(), context.installationId);
    computeChecksum(image.main());
    if (link.prepareWrite() != kLinkOk)
        return failAbandonClose(context, texts::kNoAnswer);
    if (sendImage(context, image) != kLinkOk)
        return kLinkFailed;
    if (options.verify && readBack(context, image, options) != kLinkOk)
        return kLinkFailed;
    if (options.setClock && link.setRadioClock() != kLinkOk)
        return failLeaveClose(context, texts::kNoAnswer);

    if (!options.verify)
        progress(context, kWriteSteps, kWriteSteps);
    const bool left = link.leaveMode() == kLinkOk;
    const bool closed = link.close();
    return left && closed ? kLinkOk : kTransferCloseFailed;
}

} // namespace

int runWriteTransfer(TransferContext& context, ConfigImage& image, const WriteOptions& options)
{
    LinkSession session(context.link);
    if (!session)
        return kLinkFailed;
    return writeSteps(context, image, options);
}

PasswordBytes passwordBytes(std::string_view typed)
{
    PasswordBytes bytes;
    bytes.fill(' ');
    std::size_t count = 0;
    for (char c : typed) {
        const bool letterOrDigit = (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
        if (letterOrDigit && count < bytes.size())
            bytes[count++] = static_cast<uint8_t>(c);
    }
    if (count == 0)
        bytes.fill(0xFF);
    return bytes;
}

} // namespace rps
