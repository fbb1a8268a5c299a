#include "app/ShellApplication.h"

#include "app/CMainFrame.h"
#include "app/CSplashWindow.h"
#include "app/CommandLine.h"
#include "app/LanguageChoice.h"
#include "app/LanguageFileSearch.h"
#include "app/LastModelSetting.h"
#include "app/SecurityRules.h"
#include "app/ShellCommands.h"
#include "app/ShellController.h"
#include "link/RadioLink.h"
#include "model/DefaultBuilder.h"
#include "model/ModelBlock.h"
#include "service/MemDebugBridge.h"

#include <QApplication>
#include <QLocale>
#include <QScreen>

#include <iostream>

namespace rps {

namespace {

constexpr int kLowColourDepth = 16;

} // namespace

ShellApplication::ShellApplication(StartupEnvironment environment) : env_(std::move(environment)) {}

ShellApplication::~ShellApplication()
{
    memDebug_.reset(); // the library's window refers to the image and the main window
    frame_.reset();    // the forms refer to the objects below
}

bool ShellApplication::loadLanguage()
{
    const LanguageRow& row = languageRowForKey(settings_.languageKey);
    const LanguageLoadResult result = texts_.loadFile(env_.languageFile, row.name);
    if (result == LanguageLoadResult::Ok)
        return true;
    MessageRequest request;
    request.text = result == LanguageLoadResult::NotFound ? LanguageTable::kMissingMessage
                                                          : LanguageTable::kDamagedMessage;
    // The dialog's text is fixed; where the program looked goes to standard error.
    const bool looked = result == LanguageLoadResult::NotFound && !languageFilesTried_.empty();
    std::cerr << languageFileProblem(request.text, looked ? languageFilesTried_
                                                          : std::vector<std::string>{env_.languageFile});
    request.caption = "RPS-360T";
    request.icon = MessageIcon::Error;
    env_.dialogs.showMessage(request);
    return false;
}

void ShellApplication::buildStartupImage()
{
    image_.clear();
    document_ = DocumentState{};
    document_.folder = settings_.dataFolder;
    const std::optional<ModelBlock> lastModel = startupModelFromSetting(settings_.lastModel);
    if (lastModel)
        writeModelBlock(image_.main(), *lastModel);
    buildDefaults(image_, !lastModel.has_value(), true, installationId_);
    image_.markClean();
    limits_ = FrequencyLimits::forModelCode(readModelBlock(image_.main()).modelCode(), options_.fineStep);
}

bool ShellApplication::start()
{
    // 1. Command line; 2. the locale's decimal separator; 3. the settings key.
    options_ = scanCommandLine(env_.arguments);
    const QString point = QLocale::system().decimalPoint();
    const char separator = point.isEmpty() ? '.' : point.at(0).toLatin1();
    installationId_ = loadInstallationId(env_.userSettings);
    settings_ = loadAppSettings(env_.userSettings, env_.installationSettings, installationId_, env_.folders);
    // 4. Colour depth for the splash picture.
    const QScreen* screen = QGuiApplication::primaryScreen();
    const bool lowColour = screen != nullptr && screen->depth() < kLowColourDepth;
    // 5. Language, image, data file name and folder, port.
    if (!loadLanguage())
        return false;
    // 6. The model of the last run, or the default model.
    buildStartupImage();
    fileSettings_.protectDataFiles = settings_.security.dataFile;
    fileSettings_.securityPassword = settings_.security.password;
    // 8. The start-up password.
    if (!passesStartupPasswordCheck(settings_.security, texts_, env_.dialogs))
        return false;

    if (!env_.portOverride.empty()) {
        savedPort_ = std::make_pair(settings_.comPort, settings_.comDevice);
        settings_.comDevice = env_.portOverride;
        const std::vector<PortChoice> ports = env_.listPorts ? env_.listPorts() : std::vector<PortChoice>{};
        if (const uint8_t number = portNumberOf(ports, env_.portOverride); number != 0)
            settings_.comPort = number;
    } else if (settings_.comDevice.empty() && env_.listPorts) {
        // No device chosen yet: the saved number names the port of the platform's list.
        for (const PortChoice& port : env_.listPorts()) {
            if (port.number == settings_.comPort)
                settings_.comDevice = port.devicePath;
        }
    }
    link_ = std::make_unique<RadioLink>(env_.serialDevice);
    link_->setPort(static_cast<uint8_t>(settings_.comPort), settings_.comDevice);
    link_->setMessagePump([] { QCoreApplication::processEvents(QEventLoop::AllEvents, 0); });

    ShellParts parts{
        image_,
        texts_,
        options_,
        env_.dialogs,
        settings_,
        document_,
        limits_,
        installationId_,
        fileSettings_,
        *link_,
        env_.languageFile,
        env_.listPorts,
        [this](const std::string& placement) { saveWindowPlacement(env_.userSettings, placement); },
        separator,
        env_.formLookup,
        env_.helpFolder};
    controller_ = std::make_unique<ShellController>(std::move(parts));

    // 10. The main window, with the splash over it while it is built.
    CSplashWindow* splash = nullptr;
    if (env_.showSplash) {
        splash = new CSplashWindow(texts_, lowColour);
        splash->showCentred();
        QCoreApplication::processEvents();
    }
    frame_ = std::make_unique<CMainFrame>(*controller_);
    controller_->attachFrame(frame_.get());
    // 11. The placement of the last run, or maximised.
    if (!frame_->restorePlacement(QString::fromStdString(settings_.lastWinPos))) {
        // Maximised; the screen's size is set as well for desktops without a window manager.
        if (screen != nullptr)
            frame_->setGeometry(screen->availableGeometry());
        frame_->setWindowState(Qt::WindowMaximized);
    }
    // 12. Show, then the channel information form.
    frame_->show();
    if (splash != nullptr)
        splash->raise();
    frame_->openForm(cmd::kChannelInformation);
    // The optional debugging library: without it (or without the option) nothing changes.
    if (options_.supportUtility) {
        memDebug_ = std::make_unique<MemDebugBridge>(frame_->formContext(), frame_.get());
        memDebug_->load();
    }
    started_ = true;
    return true;
}

void ShellApplication::saveSettings()
{
    if (!started_)
        return;
    AppSettings stored = settings_;
    // The folder of the last data file opened or saved is where the next Open starts.
    stored.dataFolder = document_.folder;
    if (savedPort_ && stored.comDevice == env_.portOverride) {
        // The run-only port is not remembered; a port chosen in the dialog is.
        stored.comPort = savedPort_->first;
        stored.comDevice = savedPort_->second;
    }
    saveAppSettings(env_.userSettings, stored, readModelBlock(image_.main()), texts_.currentLanguageName(),
                    installationId_);
}

} // namespace rps
