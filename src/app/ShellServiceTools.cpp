// Tools menu: the support utility options, the hardware versions and the radio information
// of the repeater on the configured port, or in demonstration mode of the simulated repeater in
// this process (no port is opened).
#include "app/ShellController.h"
#include "document/Backups.h"
#include "link/TraceFile.h"
#include "link/Transfers.h"
#include "service/CServiceToolDialogs.h"
#include "service/CSupportUtilityDialog.h"
#include "service/DemoRepeater.h"

#include <QApplication>

#include <filesystem>

namespace rps {

TransferContext ShellController::toolContext(RadioLink& link)
{
    return TransferContext{link,
                           parts_.dialogs,
                           parts_.texts,
                           nullptr,
                           [] { QApplication::processEvents(); },
                           parts_.installationId,
                           nullptr};
}

std::unique_ptr<DemoRepeater> ShellController::demoRepeater()
{
    if (!parts_.options.demo)
        return nullptr;
    auto demo = std::make_unique<DemoRepeater>(parts_.image);
    demo->link().setMessagePump([] { QApplication::processEvents(); });
    return demo;
}

RadioLink& ShellController::serviceLink(const std::unique_ptr<DemoRepeater>& demo)
{
    return demo ? demo->link() : parts_.link;
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
    const std::unique_ptr<DemoRepeater> demo = demoRepeater();
    TransferContext context = toolContext(serviceLink(demo));
    openHardwareVersion(context, frameWidget());
}

void ShellController::commandRepeaterInformation()
{
    const std::unique_ptr<DemoRepeater> demo = demoRepeater();
    TransferContext context = toolContext(serviceLink(demo));
    openRadioInformation(context, frameWidget());
}

} // namespace rps
