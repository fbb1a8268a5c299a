// Pictures of the test frequency and embedded message forms on the demonstration
// configuration, each in its child frame on a 1280x800 MDI area: test frequencies and message
// lines typed in where the demonstration leaves them empty.
#include "../../link/LinkRig.h"
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
    // Three test frequencies (records 1, 3 and 4), then 151.5 MHz typed into the empty record 2.
    for (const char* record : {"2", "5", "6"})
        enterField(host, std::string("test-frequency.") + record + ".rx", "");
    enterField(host, "test-frequency.2.rx", "151.5");
    enterField(host, "message.line-1", "Programmed by Bench 4");
    enterField(host, "message.line-2", "Service: +1 555 0100");
    enterField(host, "protected-message.line-1", "Site 12, rack B");
    saveFormPicture(host, kTestFrequencyCommand, folder.filePath("test-frequency.png"));
    saveFormPicture(host, kEmbeddedMessageCommand, folder.filePath("embedded-message.png"));
    test::LinkRig rig; // the repeater buttons are offered with a link
    host.link = &rig.link;
    saveFormPicture(host, kEmbeddedPasswordCommand, folder.filePath("embedded-message-password.png"));
    return 0;
}
