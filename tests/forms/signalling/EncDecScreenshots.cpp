// Pictures of the encode/decode table form on the demonstration configuration, both pages,
// in its child frame on a 1280x800 MDI area as the main window shows it.
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
    saveFormPicture(host, kEncodeDecodeCommand, folder.filePath("encode-decode-encode.png"), 0);
    saveFormPicture(host, kEncodeDecodeCommand, folder.filePath("encode-decode-decode.png"), 1);
    return 0;
}
