// Test Mode: the repeater on the configured port, or in demonstration mode a simulated repeater
// in this process seeded from the working image (no port is opened).
#include "app/ShellController.h"
#include "link/RadioLink.h"
#include "link/Transfers.h"
#include "service/CRadioClockDialog.h"
#include "service/CTestModeDialog.h"
#include "service/DemoRepeater.h"
#include "service/TestModeSession.h"

#include <memory>

namespace rps {

void ShellController::commandTestMode()
{
    const std::unique_ptr<DemoRepeater> demo = demoRepeater();
    RadioLink& link = serviceLink(demo);
    TestModeSession session(link, parts_.dialogs, parts_.texts, parts_.image.main());
    if (!session.start())
        return;
    CTestModeDialog dialog(session, parts_.texts, frameWidget());
    // The clock borrows the link as test mode holds it: the repeater stays in tuning mode and
    // the port stays open; a failed read closes the clock dialog alone.
    TransferContext clockContext = toolContext(link);
    dialog.setClockOpener([&clockContext](QWidget* parent) {
        CRadioClockDialog clock(clockContext, ClockLink::Borrowed, parent);
        clock.exec();
    });
    dialog.exec();
    // Close, Cancel after a failed command or the window closed: the transmitter goes off first.
    session.finish();
}

} // namespace rps
