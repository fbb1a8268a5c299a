#include "link/ProtectedMessage.h"

#include "link/LinkTexts.h"
#include "link/TransferSteps.h"

#include <algorithm>

namespace rps {

using namespace transfer;

namespace {

constexpr int kPasswordAttempts = 3;
constexpr int kPasswordLength = 6;

constexpr int kMessageTitle = 840;
constexpr int kPasswordPrompt = 563;
constexpr int kNoPasswordQuestion = 808;
constexpr int kMessageWritten = 564;
constexpr int kChangeWarning = 802;
constexpr int kChangeTitle = 560;
constexpr int kOldPasswordLabel = 561;
constexpr int kNewPasswordLabel = 562;
constexpr int kConfirmationLabel = 540;
constexpr int kOldPasswordWrong = 568;
constexpr int kConfirmationDiffers = 822;
constexpr int kPasswordChanged = 565;

const PasswordBytes kNoPassword{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};

bool isLetterOrDigit(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

MessageAnswer show(TransferContext& context, int text, int caption, MessageButtons buttons, MessageIcon icon)
{
    MessageRequest request{context.texts.text(text), context.texts.text(caption), buttons, icon};
    return context.dialogs.showMessage(request);
}

void inform(TransferContext& context, int text, int caption)
{
    show(context, text, caption, MessageButtons::Ok, MessageIcon::Information);
}

// Opens the port, enters programming mode and identifies the repeater, then checks the empty
// password: kLinkOk = the repeater has none, kLinkRefused = it has one. On kLinkFailed the
// user was told and the port is closed.
int connectAndCheckEmpty(TransferContext& context)
{
    RadioLink& link = context.link;
    if (enterProgramSession(context) != kLinkOk)
        return kLinkFailed;
    ModelRecord record{};
    if (link.identify(record) != kLinkOk)
        return failLeaveClose(context, texts::kNoAnswer);
    link.pumpMessages();
    const int check = link.checkMessagePassword(kNoPassword);
    if (check != kLinkOk && check != kLinkRefused)
        return failLeaveClose(context, texts::kNoAnswer);
    return check;
}

// Leaves the mode and closes the port after the work was done; a repeater that does not take
// the leave is reported as one that stopped answering.
int finish(TransferContext& context)
{
    const bool left = context.link.leaveMode() == kLinkOk;
    const bool closed = context.link.close();
    if (left && closed)
        return kLinkOk;
    showError(context, texts::kNoAnswer);
    return kLinkFailed;
}

// The password question until the repeater takes an entry: kLinkOk, or kLinkFailed after a
// cancel or the third refusal (the mode left, the port closed).
int enterMessagePassword(TransferContext& context)
{
    const LanguageTable& t = context.texts;
    for (int refusals = 0;;) {
        const std::optional<std::string> typed =
            context.dialogs.askPassword(t.text(kMessageTitle), t.text(kPasswordPrompt), kPasswordLength);
        if (!typed)
            return leaveAndClose(context);
        const int result = context.link.checkMessagePassword(messagePasswordBytes(*typed));
        if (result == kLinkOk)
            return kLinkOk;
        if (result != kLinkRefused)
            continue; // no answer: the question stays open
        showError(context, texts::kPasswordRefused);
        if (++refusals == kPasswordAttempts)
            return leaveAndClose(context);
    }
}

} // namespace

PasswordBytes messagePasswordBytes(std::string_view typed)
{
    PasswordBytes bytes{};
    std::size_t count = 0;
    for (char c : typed) {
        if (isLetterOrDigit(c) && count < bytes.size())
            bytes[count++] = static_cast<uint8_t>(c);
    }
    return count == 0 ? kNoPassword : bytes;
}

std::string messagePasswordText(std::span<const uint8_t> bytes)
{
    std::string text;
    for (uint8_t byte : bytes.first(std::min<std::size_t>(bytes.size(), kPasswordLength))) {
        if (isLetterOrDigit(static_cast<char>(byte)))
            text += static_cast<char>(byte);
    }
    return text;
}

int writeProtectedMessage(TransferContext& context, const ConfigImage& image)
{
    LinkSession session(context.link);
    if (!session)
        return kLinkFailed;
    const int check = connectAndCheckEmpty(context);
    if (check == kLinkFailed)
        return kLinkFailed;
    if (check == kLinkOk) {
        if (show(context, kNoPasswordQuestion, texts::kQuestionCaption, MessageButtons::YesNo,
                 MessageIcon::Question) != MessageAnswer::Yes)
            return leaveAndClose(context);
    } else if (enterMessagePassword(context) != kLinkOk) {
        return kLinkFailed;
    }
    const std::span<const uint8_t> lines = image.aux().subspan(kProtectedMessageAux, kProtectedMessageSize);
    if (context.link.writeMemory(lines, kProtectedMessageRadioAddress) != kLinkOk)
        return failLeaveClose(context, texts::kNoAnswer);
    if (finish(context) != kLinkOk)
        return kLinkFailed;
    inform(context, kMessageWritten, kMessageTitle);
    return kLinkOk;
}

int changeMessagePassword(TransferContext& context, ConfigImage& image)
{
    show(context, kChangeWarning, texts::kWarningCaption, MessageButtons::Ok, MessageIcon::Warning);
    LinkSession session(context.link);
    if (!session)
        return kLinkFailed;
    const int check = connectAndCheckEmpty(context);
    if (check == kLinkFailed)
        return kLinkFailed;
    const std::span<uint8_t> stored = image.aux().subspan(kMessagePasswordAux, kPasswordLength);
    // A repeater without a password is asked with the empty one: a password the image brought
    // from another unit must not lock the user out.
    const bool hasPassword = check == kLinkRefused;
    const std::string storedText = hasPassword ? messagePasswordText(stored) : std::string();

    const LanguageTable& t = context.texts;
    PasswordChangeRequest request{t.text(kChangeTitle),
                                  t.text(kOldPasswordLabel),
                                  t.text(kNewPasswordLabel),
                                  t.text(kConfirmationLabel),
                                  storedText,
                                  hasPassword,
                                  kPasswordLength};
    int refusals = 0;
    bool changed = false;
    bool silent = false;
    context.dialogs.askPasswordChange(request, [&](PasswordChangeEntry& entry) {
        const PasswordBytes old = hasPassword ? messagePasswordBytes(entry.oldPassword) : kNoPassword;
        const int result = context.link.checkMessagePassword(old);
        if (result == kLinkRefused) {
            showError(context, kOldPasswordWrong);
            entry.oldPassword = storedText;
            return ++refusals == kPasswordAttempts ? PasswordVerdict::Refuse : PasswordVerdict::TryAgain;
        }
        if (result != kLinkOk) {
            silent = true;
            return PasswordVerdict::Refuse;
        }
        if (entry.newPassword != entry.confirmation) {
            showError(context, kConfirmationDiffers);
            return PasswordVerdict::TryAgain;
        }
        const PasswordBytes fresh = messagePasswordBytes(entry.newPassword);
        if (context.link.writeMemory(fresh, kMessagePasswordRadioAddress) != kLinkOk) {
            silent = true;
            return PasswordVerdict::Refuse;
        }
        std::copy(fresh.begin(), fresh.end(), stored.begin());
        changed = true;
        inform(context, kPasswordChanged, kChangeTitle);
        return PasswordVerdict::Accept;
    });
    if (silent)
        return failLeaveClose(context, texts::kNoAnswer);
    const int left = finish(context);
    return changed && left == kLinkOk ? kLinkOk : kLinkFailed;
}

} // namespace rps
