// rps360t: the desktop application.
#include "app/AppRequest.h"
#include "app/CMainFrame.h"
#include "app/LanguageFileSearch.h"
#include "app/QtDialogService.h"
#include "app/QtSettingsStore.h"
#include "app/ShellApplication.h"
#include "app/ShellController.h"
#include "link/PortPath.h"
#include "link/qt/QtSerialDevice.h"
#include "link/qt/SerialPortList.h"

#include <QApplication>
#include <QDir>
#include <QStandardPaths>

#include <cstdlib>
#include <iostream>
#include <string_view>

#ifndef RPS_APP_BUILD_DIR
#define RPS_APP_BUILD_DIR ""
#define RPS_APP_LANG_DIR ""
#endif

int main(int argc, char** argv)
{
    // --help and --version answer before Qt looks for a display.
    const rps::AppRequest early = rps::scanAppRequest(std::vector<std::string>(argv + 1, argv + argc));
    if (early.help || early.version) {
        std::cout << (early.help ? rps::appUsage() : rps::appVersion());
        return EXIT_SUCCESS;
    }
    // Without a display Qt would abort the process; say what is missing and how to run anyway.
    const auto variable = [](const char* name) {
        const char* value = std::getenv(name);
        return std::string(value != nullptr ? value : "");
    };
    if (!rps::displayIsReachable(std::vector<std::string>(argv + 1, argv + argc), variable)) {
        std::cerr << rps::noDisplayMessage();
        return 2;
    }
    QApplication application(argc, argv);
    QApplication::setApplicationName("RPS-360T");
    QApplication::setApplicationVersion("1.00");

    rps::QtSettingsStore userSettings(QSettings::UserScope);
    rps::QtSettingsStore installationSettings(QSettings::SystemScope);
    rps::QtDialogService dialogs;
    rps::QtSerialDevice serialDevice;

    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const std::string applicationFolder = QCoreApplication::applicationDirPath().toStdString();
    // The option words; the file of --open is no word (a file named "demo" sets nothing).
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i) {
        if (std::string_view(argv[i]) == "--open")
            ++i;
        else
            arguments.emplace_back(argv[i]);
    }
    // RPS360T_PORT names a serial device for this run only, such as the simulated repeater's link.
    const char* portOverride = std::getenv("RPS360T_PORT");
    const std::string runPort = rps::resolvePortPath(portOverride != nullptr ? portOverride : "");

    // Only the program in its build folder may fall back to the source tree's language file.
    const rps::LanguageFileSearch language =
        rps::findLanguageFile(applicationFolder, {RPS_APP_BUILD_DIR, RPS_APP_LANG_DIR});
    rps::StartupEnvironment environment{
        std::move(arguments),
        language.found.empty() ? language.tried.front() : language.found,
        userSettings,
        &installationSettings,
        rps::DataFolderPlaces{documents.isEmpty() ? std::nullopt : std::optional(documents.toStdString()),
                              QDir::homePath().toStdString()},
        dialogs,
        serialDevice,
        [runPort] { return rps::availablePorts(runPort); },
        runPort,
        true,
        {}};
    rps::ShellApplication shell(std::move(environment));
    shell.setLanguageFilesTried(language.tried);
    dialogs.setTexts(&shell.texts());
    if (!shell.start())
        return EXIT_FAILURE;
    // Qt has taken its own options out of argv by now.
    const rps::AppRequest request = rps::scanAppRequest(std::vector<std::string>(argv + 1, argv + argc));
    if (request.openPath)
        shell.controller()->openFile(*request.openPath);
    const int result = QApplication::exec();
    shell.saveSettings();
    userSettings.sync();
    return result;
}
