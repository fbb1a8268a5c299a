// Tuning block transfers: the link steps of a read, then seven memory windows.
#include "link/TuningTransfer.h"

#include "link/LinkTexts.h"
#include "link/TransferSteps.h"
#include "model/ModelBlock.h"
#include "model/ModelTable.h"
#include "texts/TextArguments.h"

#include <cstdio>

namespace rps {

using namespace transfer;

namespace {

constexpr int kOtherUnit = 801;
constexpr int kBlockUnit = 763;
constexpr int kRadioUnit = 764;
constexpr int kOtherUnitNote = 825;
constexpr int kOtherUnitQuestion = 829;

// An unprogrammed unit keeps its alignment too; any other must be a model this program reads.
bool acceptedForTuning(const ModelRecord& record)
{
    if (isUnprogrammedUnit(record))
        return true;
    const ModelBlock block(record);
    return isModelBlockValid(block) && isModelCodeAccepted(block.modelCode());
}

// Port, mode entry, identification, 'P' and "URK": what read and write share.
int linkSteps(TransferContext& context, UnitRecord& unit)
{
    RadioLink& link = context.link;
    progress(context, 0, kTuningSteps);
    if (enterProgramSession(context) != kLinkOk)
        return kLinkFailed;
    ModelRecord record{};
    if (link.identify(record) != kLinkOk)
        return failLeaveClose(context, texts::kNoAnswer);
    if (!acceptedForTuning(record))
        return failLeaveClose(context, texts::kUnsupportedModel);
    std::array<uint8_t, 12> product{};
    if (link.readProductInfo(product) != kLinkOk || link.readInformation("URK", unit) != kLinkOk)
        return failLeaveClose(context, texts::kNoAnswer);
    if (interrupted(context))
        return leaveAndClose(context);
    return kLinkOk;
}

int finish(TransferContext& context)
{
    progress(context, kTuningSteps, kTuningSteps);
    const bool left = context.link.leaveMode() == kLinkOk;
    const bool closed = context.link.close();
    return left && closed ? kLinkOk : kTransferCloseFailed;
}

bool agreeToOtherUnit(TransferContext& context, const UnitRecord& ours, const UnitRecord& radio)
{
    const LanguageTable& t = context.texts;
    MessageRequest request;
    request.text =
        fillTextArguments("%s\n\n    %s: %s \n    %s: %s \n\n%s \n\n%s \n\n",
                          {t.text(kOtherUnit), t.text(kBlockUnit), unitRecordText(ours), t.text(kRadioUnit),
                           unitRecordText(radio), t.text(kOtherUnitNote), t.text(kOtherUnitQuestion)});
    request.caption = t.text(texts::kQuestionCaption);
    request.buttons = MessageButtons::OkCancel;
    request.icon = MessageIcon::Warning;
    request.kind = QuestionKind::OtherUnit;
    return context.dialogs.showMessage(request) == MessageAnswer::Ok;
}

} // namespace

TuningWindow tuningWindow(int step)
{
    if (step == 0)
        return {kTuningBlockAddress, 0, 8};
    const auto i = static_cast<std::size_t>(step);
    return {static_cast<uint16_t>(0xF880 + 128 * i), 128 * i - 120, 128};
}

int runTuningRead(TransferContext& context, TuningBlockBytes& staged, UnitRecord& unit)
{
    LinkSession session(context.link);
    if (!session)
        return kLinkFailed;
    staged.fill(0);
    if (linkSteps(context, unit) != kLinkOk)
        return kLinkFailed;
    for (int step = 0; step < kTuningSteps; ++step) {
        progress(context, step + 1, kTuningSteps);
        if (interrupted(context))
            return leaveAndClose(context);
        const TuningWindow w = tuningWindow(step);
        if (context.link.readMemory(std::span<uint8_t>(staged).subspan(w.offset, w.length), w.address) !=
            kLinkOk)
            return failLeaveClose(context, texts::kNoAnswer);
        context.link.pumpMessages();
    }
    return finish(context);
}

int runTuningWrite(TransferContext& context, const TuningBlockBytes& block, const UnitRecord& unit)
{
    LinkSession session(context.link);
    if (!session)
        return kLinkFailed;
    UnitRecord radio{};
    if (linkSteps(context, radio) != kLinkOk)
        return kLinkFailed;
    if (radio != unit && !agreeToOtherUnit(context, unit, radio))
        return leaveAndClose(context);
    for (int step = 0; step < kTuningSteps; ++step) {
        progress(context, step + 1, kTuningSteps);
        if (interrupted(context))
            return leaveAndClose(context);
        const TuningWindow w = tuningWindow(step);
        if (context.link.writeMemory(std::span<const uint8_t>(block).subspan(w.offset, w.length),
                                     w.address) != kLinkOk)
            return failLeaveClose(context, texts::kNoAnswer);
        context.link.pumpMessages();
    }
    return finish(context);
}

std::string unitRecordText(const UnitRecord& unit)
{
    std::string text;
    for (std::size_t i = 16; i < 28; ++i) {
        const uint8_t b = unit[i];
        text.push_back(b >= 0x20 && b < 0x7F ? static_cast<char>(b) : ' ');
    }
    while (!text.empty() && text.back() == ' ')
        text.pop_back();
    text += text.empty() ? "(" : " (";
    char hex[3];
    for (std::size_t i = 0; i < 16; ++i) {
        std::snprintf(hex, sizeof hex, "%02X", unit[i]);
        text += hex;
    }
    return text + ")";
}

} // namespace rps
