#pragma once
// What the picture programs of the main window share: the application started on a simulated
// repeater with in-memory settings, its data and backups in a folder of the pictures' own, the
// Qt dialogs shown as a user sees them except for the file choices scripted in advance.
#include "TestPaths.h"
#include "app/CMainFrame.h"
#include "app/QtDialogService.h"
#include "app/SettingsStore.h"
#include "app/ShellApplication.h"
#include "sim/SimDevice.h"
#include "sim/SimRepeater.h"

#include <QDir>

#include <deque>
#include <memory>
#include <string>
#include <vector>

namespace rps::test {

class PictureDialogs : public QtDialogService {
public:
    // Files Open and Compare take, in turn; with none left the file dialog comes up.
    std::deque<std::string> files;
    // Message boxes answered OK unseen, for pictures that are not of them.
    bool quietMessages = false;

    std::optional<std::string> chooseOpenFile(const FileRequest& request) override
    {
        if (files.empty())
            return QtDialogService::chooseOpenFile(request);
        std::string path = files.front();
        files.pop_front();
        return path;
    }
    MessageAnswer showMessage(const MessageRequest& request) override
    {
        return quietMessages ? MessageAnswer::Ok : QtDialogService::showMessage(request);
    }
};

struct PictureShell {
    // The backups of a run go to dataFolder, emptied of those of earlier runs.
    PictureShell(sim::SimMemory memory, const QString& dataFolder, std::vector<PortChoice> ports = {},
                 std::string port = "sim-link")
        : repeater(sim::SimConfig{}, std::move(memory)), device(repeater), ports_(std::move(ports)),
          port_(std::move(port)), dataFolder_(dataFolder.toStdString())
    {
        QDir().mkpath(dataFolder);
        QDir(QDir(dataFolder).filePath("rps360t")).removeRecursively();
        qputenv("XDG_DATA_HOME", dataFolder.toLocal8Bit());
    }

    // Starts the application with its main window at 1280x800 in the screen's corner.
    bool start()
    {
        StartupEnvironment env{{},
                               kLanguageFile,
                               settings,
                               nullptr,
                               DataFolderPlaces{dataFolder_, dataFolder_},
                               dialogs,
                               device,
                               [this] { return ports_; },
                               port_,
                               false,
                               {}};
        shell = std::make_unique<ShellApplication>(std::move(env));
        dialogs.setTexts(&shell->texts());
        if (!shell->start())
            return false;
        frame().setWindowState(Qt::WindowNoState);
        frame().setGeometry(0, 0, 1280, 800);
        return true;
    }
    CMainFrame& frame() { return *shell->mainFrame(); }
    const LanguageTable& texts() { return shell->texts(); }

    sim::SimRepeater repeater;
    sim::SimDevice device;
    MemorySettingsStore settings;
    PictureDialogs dialogs;
    std::unique_ptr<ShellApplication> shell;

private:
    std::vector<PortChoice> ports_;
    std::string port_;
    std::string dataFolder_;
};

} // namespace rps::test
