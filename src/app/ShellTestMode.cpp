// Test Mode: the repeater on the configured port, or in demonstration mode a simulated repeater
// in this process seeded from the working image (no port is opened).
#include "app/ShellController.h"
#include "link/RadioLink.h"
#include "service/CTestModeDialog.h"
#include "service/DemoRepeater.h"
#include "service/TestModeSession.h"

#include <QApplication>

#include <memory>

namespace rps {

void ShellController::commandTestMode()
{
    std::unique_ptr<DemoRepeater> demo;
    if (parts_.options.demo)
        demo = std::make_unique<DemoRepeater>(parts_.image);
    if (demo)
        demo->link().setMessagePump([] { QApplication::processEvents(); });
    RadioLink& link = demo ? demo->link() : parts_.link;
    TestModeSession session(link, parts_.dialogs, parts_.texts, parts_.image.main());
    if (!session.start())
        return;
    CTestModeDialog dialog(session, parts_.texts, frameWidget());
    dialog.exec();
    // Close, Cancel after a failed command or the window closed: the transmitter goes off first.
    session.finish();
}

} // namespace rps
