// Pictures of the scan information and advanced settings forms on the demonstration
// configuration, each in its child frame on a 1280x800 MDI area as the main window shows
// them: scripts/screenshots-feature-forms.
#include "../FormPictures.h"

using namespace rps;
using namespace rps::test;

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QDir folder = pictureFolder(argc, argv);
    FormTestHost host;
    if (!loadDemonstration(host))
        return 1;
    saveFormPicture(host, kScanInformationCommand, folder.filePath("scan-information.png"));
    saveFormPicture(host, kAdvancedSettingsCommand, folder.filePath("advanced-settings.png"), 0);
    saveFormPicture(host, kAdvancedSettingsCommand, folder.filePath("advanced-settings-tuning.png"), 1);
    return 0;
}
