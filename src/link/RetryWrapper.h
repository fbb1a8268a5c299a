#pragma once
// How transfers and service tools run one command: a pump step, the command, and on failure
// one error box (773) after which the exchange gives up: the mode is left and the port closed.
#include "link/RadioLink.h"
#include "texts/DialogService.h"
#include "texts/LanguageTable.h"

#include <functional>

namespace rps {

// True when the command succeeded.
bool runLinkCommand(RadioLink& link, DialogService& dialogs, const LanguageTable& texts,
                    const std::function<int()>& command);

} // namespace rps
