// The application as README starts it: the real serial device on the simulated repeater's
// pseudo-terminal, chosen for the run by RPS360T_PORT's path.
#include "TestPaths.h"
#include "e2e/SimProcess.h"
#include "model/TempFolder.h"
#include "texts/ScriptedDialogs.h"

#include "app/CMainFrame.h"
#include "app/CTransferDialog.h"
#include "app/SettingsStore.h"
#include "app/ShellApplication.h"
#include "app/ShellCommands.h"
#include "link/qt/QtSerialDevice.h"

#include <QApplication>
#include <QTimer>

#include <gtest/gtest.h>

namespace rps::test {
namespace {

template <typename T> void startNextTransfer()
{
    QTimer::singleShot(0, [] {
        if (auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget()))
            dialog->start();
    });
}

TEST(ShellOnSimulator, ReadsAndWritesTheRepeaterOnItsPseudoTerminal)
{
    TempFolder folder;
    const std::string link = folder.file("rps360t-sim.tty");
    SimProcess sim(RPS_SIM_PROGRAM, {"--link", link, "--model-code", "0x0700", "--seed", "3"});
    ASSERT_TRUE(sim.ready());

    MemorySettingsStore settings;
    ScriptedDialogs dialogs;
    QtSerialDevice device;
    StartupEnvironment env{{},
                           kLanguageFile,
                           settings,
                           nullptr,
                           DataFolderPlaces{folder.path().string(), folder.path().string()},
                           dialogs,
                           device,
                           {},
                           link,
                           false,
                           {}};
    ShellApplication shell(std::move(env));
    ASSERT_TRUE(shell.start());
    CMainFrame& frame = *shell.mainFrame();
    EXPECT_NE(frame.windowTitle().indexOf("VHF"), -1);

    startNextTransfer<CReadDialog>();
    frame.runCommand(cmd::kReadFromRadio);
    ASSERT_FALSE(dialogs.messages.empty());
    EXPECT_EQ(dialogs.messages.back().text, shell.texts().text(550));
    EXPECT_NE(frame.windowTitle().indexOf("QLM-940: K  UHF: 400-470 MHz"), -1);
    EXPECT_FALSE(shell.image().isModified());

    shell.image().main()[0x2345] = 0x3C;
    startNextTransfer<CWriteDialog>();
    frame.runCommand(cmd::kWriteToRadio);
    EXPECT_EQ(dialogs.messages.back().text, shell.texts().text(572));

    // The run-only port is not remembered.
    shell.saveSettings();
    EXPECT_NE(settings.readString(kSettingComDevice).value_or(""), link);
    frame.hide();
}

} // namespace
} // namespace rps::test
