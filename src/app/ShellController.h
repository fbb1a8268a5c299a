#pragma once
// The commands of the main window that act on the document, the settings and the repeater:
// File, Model Information, Read and Write, Communication Port, Language File Setup,
// Security, About, and the questions before the main window closes. The main frame routes
// every menu command here that is not about its own windows.
#include "app/AppSettings.h"
#include "app/CPortDialog.h"
#include "document/DocumentFlows.h"
#include "document/ReadOrigin.h"
#include "forms/ImageComparison.h"
#include "forms/common/AppOptions.h"
#include "forms/common/CFormView.h"
#include "link/Transfers.h"
#include "model/ConfigImage.h"
#include "model/FrequencyLimits.h"
#include "model/InstallationId.h"
#include "texts/DialogService.h"
#include "texts/LanguageTable.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class QWidget;

namespace rps {

struct CompareSide;
struct TransferContext;
class CMainFrame;
class DemoRepeater;
class RadioLink;
class TraceFile;

// Everything the shell works on; owned by the application object.
struct ShellParts {
    ConfigImage& image;
    LanguageTable& texts;
    const AppOptions& options;
    DialogService& dialogs;
    AppSettings& settings;
    DocumentState& document;
    FrequencyLimits& limits;
    const InstallationId& installationId;
    DataFileSettings& fileSettings;
    RadioLink& link;
    // The language file the texts were loaded from (reloaded on a language change).
    std::string languageFile;
    // The serial ports present on this machine (at most twenty) plus the simulated repeater.
    std::function<std::vector<PortChoice>()> listPorts;
    // Remembers the window placement when the main window closes.
    std::function<void(const std::string&)> storePlacement;
    char decimalSeparator = '.';
    // The editing forms of this build by Edit command (the form catalogue; tests add their own).
    std::function<const FormDescriptor*(int command)> formLookup;
    // Where the help collections are looked for; empty: the program's own folder.
    std::string helpFolder = {};
};

class ShellController {
public:
    explicit ShellController(ShellParts parts);
    ~ShellController();

    void attachFrame(CMainFrame* frame) { frame_ = frame; }

    ConfigImage& image() { return parts_.image; }
    const LanguageTable& texts() const { return parts_.texts; }
    LanguageTable& texts() { return parts_.texts; }
    const AppOptions& options() const { return parts_.options; }
    DialogService& dialogs() { return parts_.dialogs; }
    RadioLink& link() { return parts_.link; }
    const std::string& fileName() const { return parts_.document.fileName; }
    int portNumber() const { return parts_.settings.comPort; }
    const std::string& portDevice() const { return parts_.settings.comDevice; }
    char decimalSeparator() const { return parts_.decimalSeparator; }
    const std::string& helpFolder() const { return parts_.helpFolder; }
    bool keepsClockOption() const { return setClock_; }
    const FormDescriptor* findForm(int command) const;

    void runCommand(int command);
    // The two questions before the main window closes; false keeps the application running.
    bool confirmClose();
    void storePlacement(const QString& placement);

    void commandNew();
    void commandOpen();
    // Open of a given file (the desktop's "open with"), with the same questions and messages.
    void openFile(const std::string& path);
    void commandSave();
    void commandSaveAs();
    void commandModelInformation();
    void commandRead();
    void commandWrite();
    // File > Backups...: the backups made so far; the one chosen is opened as Open does.
    void commandBackups();
    // Two configurations field by field: the working image or a data file against a data file
    // or the repeater (read into a scratch image; the working image stays as it is).
    void commandCompare();
    // The image of the read the working image came from in this run, if it did.
    const ReadOrigin& readOrigin() const { return readOrigin_; }
    void commandTuningData();
    // Test mode on the repeater, or on the simulated one in demonstration mode.
    void commandTestMode();
    void commandCommunicationPort();
    void commandLanguage();
    void commandSecurity();
    void commandAbout();
    // The service tools: support utility options, hardware versions, radio information.
    void commandSupportUtility();
    void commandHardwareVersion();
    void commandRepeaterInformation();

private:
    DocumentSession session();
    // After New, Open, a completed read or a model change: the channel copy buffer goes with
    // the old image, then the main frame renews title, menus and tree and reopens the forms.
    void imageReplaced();
    QWidget* frameWidget() const;
    void showText(int text, int caption, MessageIcon icon);
    // Runs the read transfer into the snapshot copy of target; 0 = read completed.
    int readTransfer(const std::function<void(int, int)>& progress, ConfigImage& target);
    int writeTransfer(const std::function<void(int, int)>& progress, bool setClock, bool verify);
    // Saves an image in the backups folder under unit; a failure is a warning, never a stop.
    void backUp(const ImageAreas& image, const std::string& unit);
    // Files the image a read just brought, as it came, under the unit the read met; its name.
    std::string backUpRead(const ConfigImage& image);
    // The context the service tools run their exchanges in, on the configured port or on the
    // demonstration repeater's link.
    TransferContext toolContext(RadioLink& link);
    // Demonstration mode: a simulated repeater in this process, seeded from the working image;
    // nothing otherwise.
    std::unique_ptr<DemoRepeater> demoRepeater();
    // The link a service command talks over: the demonstration repeater's when there is one.
    RadioLink& serviceLink(const std::unique_ptr<DemoRepeater>& demo);
    // The environment fields are shown in, with the given band limits.
    fields::FieldEnv fieldEnv(const FrequencyLimits& limits) const;
    // The sides the compare window offers.
    std::optional<CompareSide> workingSide();
    std::optional<CompareSide> fileSide();
    std::optional<CompareSide> repeaterSide();
    // What a write of the working image changes against the read it came from.
    ImageComparison writePreview() const;

    ShellParts parts_;
    CMainFrame* frame_ = nullptr;
    bool setClock_ = false; // "Adjustment Time", kept for the run
    UnitRecord lastUnit_{};
    std::unique_ptr<TraceFile> trace_; // the support utility's serial trace while it runs
    ReadOrigin readOrigin_;
};

} // namespace rps
