#include "service/TestModeSession.h"

#include "link/LinkTexts.h"
#include "link/ProtocolBytes.h"
#include "model/ImageMap.h"
#include "model/ModelBlock.h"
#include "model/ModelTable.h"
#include "service/ServiceTexts.h"
#include "service/TestModeChoices.h"

#include <algorithm>

namespace rps {

namespace {

constexpr int kEntryTimeoutMs = 1500;

uint32_t readBe32(std::span<const uint8_t> bytes, std::size_t at)
{
    return static_cast<uint32_t>(bytes[at]) << 24 | static_cast<uint32_t>(bytes[at + 1]) << 16 |
           static_cast<uint32_t>(bytes[at + 2]) << 8 | static_cast<uint32_t>(bytes[at + 3]);
}

uint32_t readLe32(std::span<const uint8_t> bytes, std::size_t at)
{
    return static_cast<uint32_t>(bytes[at]) | static_cast<uint32_t>(bytes[at + 1]) << 8 |
           static_cast<uint32_t>(bytes[at + 2]) << 16 | static_cast<uint32_t>(bytes[at + 3]) << 24;
}

// 0, or the text of the refusal: the record must name a model this program reads and equal the
// working model block in every byte but the option bytes 12..13.
int recordAcceptance(const ModelRecord& record, std::span<const uint8_t> mainArea)
{
    const ModelBlock block(record);
    if (!isModelBlockValid(block) || !isModelCodeAccepted(block.modelCode()))
        return texts::kUnsupportedModel;
    for (std::size_t i = 0; i < record.size(); ++i)
        if (i != 12 && i != 13 && record[i] != mainArea[kModelBlockOffset + i])
            return texts::kModelRecordDiffers;
    return 0;
}

} // namespace

TestModeSession::TestModeSession(RadioLink& link, DialogService& dialogs, const LanguageTable& texts,
                                 std::span<const uint8_t> mainArea)
    : link_(link), dialogs_(dialogs), texts_(texts), main_(mainArea)
{
}

TestModeSession::~TestModeSession()
{
    finish();
}

bool TestModeSession::firstGroup() const
{
    const uint16_t code =
        static_cast<uint16_t>(main_[kModelBlockOffset + 10] | main_[kModelBlockOffset + 11] << 8);
    return code == 0x0402 || code == 0x0702;
}

void TestModeSession::showError(int text)
{
    MessageRequest request;
    request.text = texts_.text(text);
    request.caption = texts_.text(texts::kErrorCaption);
    request.icon = MessageIcon::Error;
    dialogs_.showMessage(request);
}

bool TestModeSession::start()
{
    session_ = new LinkSession(link_);
    if (!*session_) {
        delete session_;
        session_ = nullptr;
        return false;
    }
    link_.close();
    if (!link_.open()) {
        showError(texts::kPortCannotOpen);
        delete session_;
        session_ = nullptr;
        return false;
    }
    link_.setReadTimeout(kEntryTimeoutMs);
    link_.delay(50);
    active_ = true;
    if (entrySequence())
        return true;
    if (modeEntered_)
        link_.leaveModeOnce();
    modeEntered_ = false;
    finish();
    return false;
}

bool TestModeSession::startupCommand(const std::function<int()>& command)
{
    if (command() == kLinkOk)
        return true;
    showError(texts::kNoAnswer);
    return false;
}

void TestModeSession::refuse(int text)
{
    link_.leaveModeOnce();
    modeEntered_ = false;
    showError(text);
}

bool TestModeSession::entrySequence()
{
    if (!startupCommand([&] { return link_.enterTuningMode(); }))
        return false;
    modeEntered_ = true;
    ModelRecord record{};
    if (!startupCommand([&] { return link_.identify(record); }))
        return false;
    if (const int refusal = recordAcceptance(record, main_); refusal != 0) {
        refuse(refusal);
        return false;
    }
    std::array<uint8_t, 12> product{};
    if (!startupCommand([&] { return link_.setDateStamp(); }) ||
        !startupCommand([&] { return link_.readProductInfo(product); }))
        return false;
    std::optional<int> selected;
    for (int i = 0; i < kTestChannelCount; ++i) {
        std::array<uint8_t, 8> frequencies{};
        if (!startupCommand(
                [&] { return link_.selectTestChannel(static_cast<uint8_t>(i + 1), frequencies); }))
            return false;
        if (readBe32(frequencies, 0) != testChannelReceive(main_, i) ||
            readBe32(frequencies, 4) != testChannelTransmit(main_, i)) {
            refuse(texts::kTestChannelDiffers);
            return false;
        }
        if (!selected && isTestChannelValid(main_, i))
            selected = i;
    }
    state_.testChannel = selected.value_or(0);
    std::array<uint8_t, 40> tuning{};
    if (!startupCommand([&] { return link_.readTuningFrequencies(tuning); }))
        return false;
    for (std::size_t i = 0; i < 10; ++i) {
        if (readBe32(tuning, 4 * i) != readLe32(main_, 0x3C0 + 4 * i)) {
            refuse(texts::kTuningFrequenciesDiffer);
            return false;
        }
    }
    std::array<uint8_t, 6> tones{};
    if (!startupCommand([&] { return link_.readToneValues(tones); }))
        return false;
    for (std::size_t i = 0; i < 3; ++i)
        state_.tones[i] = static_cast<uint16_t>(tones[2 * i] << 8 | tones[2 * i + 1]);
    state_.signalling = 0;
    state_.spacing = 1;
    std::array<uint8_t, 8> frequencies{};
    return startupCommand([&] {
               return link_.selectTestChannel(static_cast<uint8_t>(state_.testChannel + 1), frequencies);
           }) &&
           startupCommand([&] { return link_.selectTestSignalling(1); });
}

void TestModeSession::finish()
{
    if (session_ == nullptr)
        return;
    if (active_ && modeEntered_) {
        if (state_.transmitting) {
            // Never leave a repeater keyed: one try, whatever else failed before.
            link_.setTransmit(false);
            state_.transmitting = false;
        }
        if (state_.berOutput != 0)
            link_.stopBerOutput();
        link_.leaveModeOnce();
    }
    link_.close();
    active_ = false;
    modeEntered_ = false;
    delete session_;
    session_ = nullptr;
}

bool TestModeSession::readPrintData(UnitRecord& unit, std::array<uint8_t, kAlignmentDumpSize>& dump)
{
    if (!run([&] { return link_.readInformation("URK", unit); }) ||
        !run([&] { return link_.readAlignmentDump(dump); }))
        return false;
    std::reverse(dump.begin(), dump.end());
    return true;
}

bool TestModeSession::run(const std::function<int()>& command)
{
    if (!active_)
        return false;
    busy_ = true;
    for (;;) {
        // One pump step between commands keeps the dialog painted; a timer tick it dispatches
        // sees the session busy and is skipped.
        link_.pumpMessages();
        if (command() == kLinkOk) {
            busy_ = false;
            return true;
        }
        MessageRequest request;
        request.text = texts_.text(texts::kTestCommandFailed);
        request.caption = texts_.text(texts::kErrorCaption);
        request.buttons = MessageButtons::RetryCancel;
        request.icon = MessageIcon::Error;
        if (dialogs_.showMessage(request) != MessageAnswer::Retry)
            break;
    }
    busy_ = false;
    if (onEnd_)
        onEnd_();
    return false;
}

bool TestModeSession::selectTestChannel(int channel)
{
    if (!isTestChannelValid(main_, channel))
        return false;
    state_.testChannel = channel;
    std::array<uint8_t, 8> frequencies{};
    return run([&] { return link_.selectTestChannel(static_cast<uint8_t>(channel + 1), frequencies); });
}

bool TestModeSession::selectSignalling(int signalling)
{
    if (!signallingAllowed(state_.mode, signalling, state_.spacing))
        return false;
    state_.signalling = signalling;
    state_.perMode[static_cast<std::size_t>(state_.mode)][0] = signalling;
    return run([&] { return link_.selectTestSignalling(static_cast<uint8_t>(signalling + 1)); });
}

bool TestModeSession::sendSpacing()
{
    return run([&] { return link_.selectSpacing(state_.spacing); });
}

bool TestModeSession::selectMode(int mode)
{
    if (mode < 0 || mode > 1)
        return false;
    state_.mode = mode;
    const auto& saved = state_.perMode[static_cast<std::size_t>(mode)];
    state_.signalling = saved[0];
    state_.spacing = saved[1];
    return run([&] { return link_.selectTestMode(static_cast<uint8_t>(mode + 1)); }) &&
           run([&] { return link_.selectTestSignalling(static_cast<uint8_t>(state_.signalling + 1)); }) &&
           sendSpacing();
}

bool TestModeSession::selectSpacing(int spacing)
{
    const auto choices = spacingChoices(state_.mode, firstGroup(), state_.signalling);
    if (std::none_of(choices.begin(), choices.end(), [&](const ChoiceItem& c) { return c.value == spacing; }))
        return false;
    state_.spacing = spacing;
    state_.perMode[static_cast<std::size_t>(state_.mode)][1] = spacing;
    return sendSpacing();
}

bool TestModeSession::setPower(int power)
{
    state_.power = power;
    return run([&] { return link_.switchFunction('u', power == 1); });
}

bool TestModeSession::setSquelch(int squelch)
{
    state_.squelch = squelch;
    return run([&] { return link_.switchFunction(0x0A, squelch == 1); });
}

bool TestModeSession::setSwitch(uint8_t command, bool on)
{
    return run([&] { return link_.switchFunction(command, on); });
}

bool TestModeSession::setBerOutput(int output, bool afc, bool eyePattern)
{
    state_.berOutput = output;
    if (output == 0)
        return run([&] { return link_.stopBerOutput(); });
    const auto first = static_cast<uint8_t>(output * 16 + 1);
    const auto second = static_cast<uint8_t>((afc ? 0 : 1) + 6 + (eyePattern ? 8 : 0));
    return run([&] { return link_.startBerOutput(first, second); });
}

bool TestModeSession::setTransmit(bool on)
{
    // A failed ON may still have keyed the transmitter: it counts as on until an OFF succeeds.
    if (on)
        state_.transmitting = true;
    const bool ok = run([&] { return link_.setTransmit(on); });
    if (ok && !on)
        state_.transmitting = false;
    return ok;
}

bool TestModeSession::sendTestConditions()
{
    std::array<uint8_t, 8> frequencies{};
    return run([&] {
               return link_.selectTestChannel(static_cast<uint8_t>(state_.testChannel + 1), frequencies);
           }) &&
           run([&] { return link_.selectTestSignalling(static_cast<uint8_t>(state_.signalling + 1)); }) &&
           sendSpacing();
}

std::optional<std::string> TestModeSession::pollBer(bool& failed)
{
    failed = false;
    if (!active_ || busy_ || link_.exchanging() || state_.berOutput == 0)
        return std::nullopt;
    std::array<uint8_t, 2> value{};
    busy_ = true;
    const int result = link_.queryBer(value);
    busy_ = false;
    if (result != kLinkOk) {
        failed = true;
        return std::string();
    }
    return berText(static_cast<uint16_t>(value[0] << 8 | value[1]));
}

} // namespace rps
