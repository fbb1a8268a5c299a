#include "app/SecurityRules.h"

#include "app/ProtectCodec.h"
#include "texts/CommonTexts.h"
#include "texts/DialogService.h"
#include "texts/LanguageTable.h"

namespace rps {
namespace {

constexpr int kPasswordPromptText = 563;

} // namespace

SecurityVerdict checkSecurityEntry(const SecurityEntry& entry)
{
    if (!entry.programExecution && !entry.dataFile) {
        return {};
    }
    if (entry.password.empty()) {
        return {kPasswordMissingText, false};
    }
    if (entry.password != entry.confirmation) {
        return {kConfirmationDiffersText, true};
    }
    return {};
}

bool askPasswordThreeTimes(const std::string& expected, const LanguageTable& texts, DialogService& dialogs)
{
    int wrong = 0;
    return dialogs.askDigitPasswordUntil(
        texts.text(kPasswordCaptionText), texts.text(kPasswordPromptText),
        static_cast<int>(kSecurityPasswordMaxLength), [&](const std::string& entry) {
            if (entry == expected)
                return PasswordVerdict::Accept;
            // Shown over the question, which stays open for the next try.
            MessageRequest message;
            message.text = texts.text(kWrongPasswordText);
            message.caption = texts.text(rps::texts::kErrorCaption);
            message.icon = MessageIcon::Error;
            dialogs.showMessage(message);
            return ++wrong < kPasswordTries ? PasswordVerdict::TryAgain : PasswordVerdict::Refuse;
        });
}

bool passesStartupPasswordCheck(const SecuritySettings& security, const LanguageTable& texts,
                                DialogService& dialogs)
{
    if (!security.programExecution) {
        return true;
    }
    return askPasswordThreeTimes(security.password, texts, dialogs);
}

} // namespace rps
