#pragma once
// The document: the configuration image with its data file name and folder, and the File
// menu flows over it (New, Open, Save, Save As, the question before an unsaved image is
// replaced, and the model change). Every question and file choice goes through the dialog
// service; every text comes from the language table.
#include "model/ConfigImage.h"
#include "model/DataFile.h"
#include "model/DefaultBuilder.h"
#include "model/FrequencyLimits.h"
#include "model/ImageChecks.h"
#include "model/InstallationId.h"
#include "model/ModelChange.h"
#include "texts/DialogService.h"
#include "texts/LanguageTable.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace rps {

struct DocumentState {
    std::string fileName = kDefaultDataFileName;
    std::string folder; // the current data folder

    std::string path() const; // folder joined with the file name
    void resetName() { fileName = kDefaultDataFileName; }
};

// What a save puts into the file besides the image; the application keeps these current.
struct DataFileSettings {
    bool encryptMode = true;       // off only through the support utility
    bool protectDataFiles = false; // "Data File" option of the security settings
    bool fileInformation = false;  // the Open preview shows the header fields too
    std::string securityPassword;
};

SaveOptions saveOptionsFor(const DataFileSettings& settings, const InstallationId& installationId);

struct DocumentSession {
    ConfigImage& image;
    DocumentState& document;
    FrequencyLimits& limits;
    DialogService& dialogs;
    const LanguageTable& texts;
    const InstallationId& installationId;
    const DataFileSettings& fileSettings;
    // Called just before the working copy is replaced, so that no form shows a stale image.
    std::function<void()> closeAllForms;
};

enum class FlowDecision { GoOn, Abort };

// Before New, Open, a read and closing: offers to save an unsaved image. "Yes" goes on only
// when the save really happened.
FlowDecision askSaveIfModified(DocumentSession& session);

// Each returns whether the working image was replaced (New, Open, model change) or saved.
bool commandNew(DocumentSession& session);
// Open: the save question, the file dialog (or the file given, as `rps360t --open FILE`
// names it), then the load and its messages.
bool commandOpen(DocumentSession& session, const std::optional<std::string>& givenPath = std::nullopt);
bool commandSave(DocumentSession& session);
bool commandSaveAs(DocumentSession& session);
// The Model Information OK: asks the change's question, if any, then carries it out.
bool commandModelChange(DocumentSession& session, uint16_t newModelCode,
                        const ChannelRecheck& recheckChannels);

// A data file loaded apart from the working image, as Open would leave it (to compare with).
struct LoadedImage {
    std::unique_ptr<ConfigImage> image;
    FrequencyLimits limits;
    std::string path;
};
// The file dialog of Open (or the file given), then the load with Open's messages; the working
// image, its name and folder stay as they are. Nothing when no file was chosen or it did not load.
std::optional<LoadedImage> loadImageApart(DocumentSession& session,
                                          const std::optional<std::string>& givenPath = std::nullopt);

// Makes the staged snapshot the working image after a successful Open or read: restore,
// limits of its model, acceptance check with repairs, clean state. A rejected image has
// already been rebuilt as New; the caller shows check.messageText and resets the file name.
ImageCheck acceptStagedImage(ConfigImage& image, ImageSource source, const InstallationId& installationId,
                             FrequencyLimits& limits);

// The name Save As writes for a chosen name: "dat" after a final point, ".dat" after any
// other extension ("x.txt" -> "x.txt.dat", "x." -> "x.dat"); a ".dat" name stays.
std::string dataFileNameFor(const std::string& chosenPath);

} // namespace rps
