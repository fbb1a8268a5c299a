#include "app/SecurityRules.h"

#include "app/CommonTexts.h"
#include "app/DialogService.h"
#include "app/LanguageTable.h"
#include "app/ProtectCodec.h"

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
    for (int attempt = 0; attempt < kPasswordTries; ++attempt) {
        const auto answer =
            dialogs.askDigitPassword(texts.text(kPasswordCaptionText), texts.text(kPasswordPromptText),
                                     static_cast<int>(kSecurityPasswordMaxLength));
        if (!answer) {
            return false;
        }
        if (*answer == expected) {
            return true;
        }
        MessageRequest wrong;
        wrong.text = texts.text(kWrongPasswordText);
        wrong.caption = texts.text(rps::texts::kErrorCaption);
        wrong.icon = MessageIcon::Error;
        dialogs.showMessage(wrong);
    }
    return false;
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
