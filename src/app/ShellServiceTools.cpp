// Tools menu: the support utility options, the hardware versions and the radio information
// of the repeater on the configured port.
#include "app/ShellController.h"
#include "document/Backups.h"
#include "link/TraceFile.h"
#include "link/Transfers.h"
#include "service/CServiceToolDialogs.h"
#include "service/CSupportUtilityDialog.h"

#include <QApplication>

#include <filesystem>

namespace rps {

TransferContext ShellController::toolContext()
{
    return TransferContext{
        parts_.link,           parts_.dialogs, parts_.texts, nullptr, [] { QApplication::processEvents(); },
        parts_.installationId, nullptr};
}

void ShellController::commandSupportUtility()
{
    if (!trace_)
        trace_ = std::make_unique<TraceFile>(parts_.link);
    TraceOption trace{trace_->active(), trace_->path(), [this](bool on) {
                          if (!on) {
                              trace_->stop();
                              return std::string();
                          }
                          // A new file for every start, next to the backups folder.
                          const std::string stamp = backup::fileName(backup::localNow());
                          const std::filesystem::path file =
                              std::filesystem::path(backup::backupsRoot()).parent_path() / "traces" /
                              ("trace-" + stamp.substr(0, stamp.size() - 4) + ".txt");
                          return trace_->start(file.string()) == 0 ? file.string() : std::string();
                      }};
    CSupportUtilityDialog dialog(parts_.texts, parts_.link.options(), parts_.fileSettings, frameWidget(),
                                 std::move(trace));
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
