// A picture of the user lists form on the demonstration configuration with twenty IDs in each
// list (those the demonstration file gains), the individual list sorted by ID, in its child
// frame on a 1280x800 MDI area: user-list.png.
#include "../FormPictures.h"
#include "forms/common/CGridView.h"
#include "forms/signalling/CUserRecordsView.h"

#include <QHeaderView>

using namespace rps;
using namespace rps::test;

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QDir folder = pictureFolder(argc, argv);
    FormTestHost host;
    if (!loadDemonstration(host))
        return 1;
    enterField(host, "user-list.1.1.id", "0");
    for (int n = 2; n <= 20; ++n)
        enterField(host, "user-list.1." + std::to_string(n) + ".id", std::to_string(1121 - n));
    for (int n = 1; n <= 20; ++n)
        enterField(host, "user-list.2." + std::to_string(n) + ".id", std::to_string(100 * n));
    enterField(host, "user-list.2.19.choice", "Off");
    enterField(host, "user-list.2.20.choice", "Off");
    saveFormPicture(host, kUserListCommand, folder.filePath("user-list.png"), -1, [](CFormView& form) {
        emit static_cast<CUserRecordsView&>(form).listGrid(1)->horizontalHeader()->sectionClicked(0);
    });
    return 0;
}
