#pragma once
// The application object: the start-up sequence, the process-wide objects it creates (texts,
// image, document, settings, link) and the settings written when a normally started run ends.
#include "app/AppSettings.h"
#include "app/SettingsStore.h"
#include "document/DocumentFlows.h"
#include "forms/common/AppOptions.h"
#include "forms/common/CFormView.h"
#include "link/PortList.h"
#include "model/ConfigImage.h"
#include "model/FrequencyLimits.h"
#include "model/InstallationId.h"
#include "texts/DialogService.h"
#include "texts/LanguageTable.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace rps {

class ByteDevice;
class CMainFrame;
class MemDebugBridge;
class RadioLink;
class ShellController;

struct StartupEnvironment {
    std::vector<std::string> arguments; // everything after the program name
    std::string languageFile;           // the language file found on the search path
    SettingsStore& userSettings;
    SettingsStore* installationSettings = nullptr; // the machine-wide initial "Protect"
    DataFolderPlaces folders;
    DialogService& dialogs;
    ByteDevice& serialDevice;
    std::function<std::vector<PortChoice>()> listPorts;
    // A device path that replaces the saved port for this run only (the simulated repeater's
    // link, for example), as resolvePortPath gives it; empty = the saved port.
    std::string portOverride;
    bool showSplash = true;
    std::function<const FormDescriptor*(int command)> formLookup; // empty: the form catalogue
    std::string helpFolder = {}; // where the help collections are; empty: the program's folder
};

class ShellApplication {
public:
    explicit ShellApplication(StartupEnvironment environment);
    ~ShellApplication();

    // Every place the language file was looked for, named on standard error when it cannot be
    // read (otherwise only the file itself is named).
    void setLanguageFilesTried(std::vector<std::string> paths) { languageFilesTried_ = std::move(paths); }
    // The start-up sequence; false ends the process (nothing is stored then).
    bool start();
    // SaveSettings: only after a normal start.
    void saveSettings();

    bool started() const { return started_; }
    CMainFrame* mainFrame() const { return frame_.get(); }
    ShellController* controller() const { return controller_.get(); }
    ConfigImage& image() { return image_; }
    LanguageTable& texts() { return texts_; }
    const AppOptions& options() const { return options_; }
    AppSettings& settings() { return settings_; }
    DocumentState& document() { return document_; }
    RadioLink& link() { return *link_; }

private:
    bool loadLanguage();
    void buildStartupImage();

    StartupEnvironment env_;
    AppOptions options_;
    LanguageTable texts_;
    ConfigImage image_;
    AppSettings settings_;
    DocumentState document_;
    FrequencyLimits limits_;
    InstallationId installationId_{};
    DataFileSettings fileSettings_;
    std::unique_ptr<RadioLink> link_;
    std::unique_ptr<ShellController> controller_;
    std::unique_ptr<CMainFrame> frame_;
    std::unique_ptr<MemDebugBridge> memDebug_; // only with the support-utility option
    bool started_ = false;
    std::vector<std::string> languageFilesTried_;
    std::optional<std::pair<int, std::string>> savedPort_; // the port setting a run-only port replaced
};

} // namespace rps
