#include "link/RetryWrapper.h"

#include "link/LinkTexts.h"

namespace rps {

bool runLinkCommand(RadioLink& link, DialogService& dialogs, const LanguageTable& texts,
                    const std::function<int()>& command)
{
    link.pumpMessages();
    if (command() == kLinkOk)
        return true;
    // The question offers only OK: the answer is always to give up.
    MessageRequest request{texts.text(texts::kNoAnswer), texts.text(texts::kErrorCaption), MessageButtons::Ok,
                           MessageIcon::Error};
    dialogs.showMessage(request);
    link.leaveMode();
    link.close();
    return false;
}

} // namespace rps
