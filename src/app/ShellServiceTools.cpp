// Tools menu: the support utility options, the hardware versions and the radio information
// of the repeater on the configured port.
#include "app/ShellController.h"
#include "link/Transfers.h"
#include "service/CServiceToolDialogs.h"
#include "service/CSupportUtilityDialog.h"

#include <QApplication>

namespace rps {

TransferContext ShellController::toolContext()
{
    return TransferContext{
        parts_.link,           parts_.dialogs, parts_.texts, nullptr, [] { QApplication::processEvents(); },
        parts_.installationId, nullptr};
}

void ShellController::commandSupportUtility()
{
    CSupportUtilityDialog dialog(parts_.texts, parts_.link.options(), parts_.fileSettings, frameWidget());
    dialog.exec();
}

void ShellController::commandHardwareVersion()
{
    TransferContext context = toolContext();
    openHardwareVersion(context, frameWidget());
}

void ShellController::commandRepeaterInformation()
{
    TransferContext context = toolContext();
    openRadioInformation(context, frameWidget());
}

} // namespace rps
