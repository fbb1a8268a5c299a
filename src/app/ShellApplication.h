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
};

class ShellApplication {
public:
    explicit ShellApplication(StartupEnvironment environment);
    ~ShellApplication();

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
    std::optional<std::pair<int, std::string>> savedPort_; // the port setting a run-only port replaced
};

// Where the language file is looked for: the program's folder, its "lang" folder, the
// installed layout's share/rps360t folder beside the program's bin folder, then the given
// fallback folder (the source tree, for a program run from the build tree). The first that
// exists is returned (the fallback path otherwise).
std::string findLanguageFile(const std::string& applicationFolder, const std::string& fallbackFolder);

} // namespace rps
