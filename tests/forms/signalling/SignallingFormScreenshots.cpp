// Pictures of the DTMF, NXDN, CW ID, CW message, multi table and remote-control forms on the demonstration
// configuration, each in its child frame on a 1280x800 MDI area as the main window shows them:
// scripts/screenshots-signalling-forms.
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
    saveFormPicture(host, kDtmfCommand, folder.filePath("dtmf.png"));
    saveFormPicture(host, kNxdnCommand, folder.filePath("nxdn.png"));
    host.channel = 0;
    if (host.image.main()[0x1000 + 32] != 1) {
        host.image.main()[0x1000 + 32] = 1; // CW ID on channel 1
        enterField(host, "cwid.1.text", "DE RPT1 QTH");
    }
    if (host.image.main()[0x0580] == 0xFF) {
        enterField(host, "cw-message.1.text", "QRV");
        enterField(host, "cw-message.2.text", "QRT SITE 4");
    }
    saveFormPicture(host, kCwIdCommand, folder.filePath("cw-id.png"));
    saveFormPicture(host, kCwMessageCommand, folder.filePath("cw-message.png"));
    if (host.image.main()[0x00C8] == 0xFF) {
        enterField(host, "multi-table.1.analog.1.decode", "88.5");
        enterField(host, "multi-table.1.analog.2.decode", "D023N");
        enterField(host, "multi-table.1.analog.2.encode", "D754I");
        enterField(host, "multi-table.1.analog.3.decode", "131.8");
        enterField(host, "multi-table.1.nxdn.1.decode", "12");
    }
    saveFormPicture(host, kMultiTableCommand, folder.filePath("multi-table.png"));
    if (host.image.main()[0x0693] == 0xFF) {
        const std::pair<std::size_t, uint8_t> codes[] = {
            {0x0693, 0x02}, // PF key 2: decode code 3
            {0x0695, 0x02}, // its type
            {0x06A2, 0x80}, // the PF-key transponder: encode codes 1 and 2
            {0x06A3, 0x81},
        };
        for (const auto& [offset, code] : codes)
            host.image.main()[offset] = code;
    }
    saveFormPicture(host, kRemoteControlCommand, folder.filePath("remote-control.png"));
    return 0;
}
